#include "tools/lecture_texte.h"

#include "analysis/donnees.h"
#include "analysis/lecture_programme.h"
#include "analysis/lignes.h"

#include <limits>

namespace {

// Expected outputs may be longer than any program: only the size bounds them.
TlectureTexte lire(const std::string& chemin, bool programme, std::vector<std::string>& lignes) {
    TfichierDecode lu;
    switch (lireProgramme(chemin, programme ? nbLignesMax : std::numeric_limits<size_t>::max(), lu)) {
    case Tlecture::complete:
    case Tlecture::tropDeLignes:
        break;
    case Tlecture::tropGrand:
        return TlectureTexte::tropVolumineux;
    case Tlecture::illisible:
        return TlectureTexte::illisible;
    }
    lignes = programme ? lignesAExecuter(lu.texte) : decouperLignes(lu.texte);
    return TlectureTexte::lu;
}

} // namespace

TlectureTexte lireTexte(const std::string& chemin, std::vector<std::string>& lignes) {
    return lire(chemin, false, lignes);
}

TlectureTexte lireProgrammeTexte(const std::string& chemin, std::vector<std::string>& lignes) {
    return lire(chemin, true, lignes);
}
