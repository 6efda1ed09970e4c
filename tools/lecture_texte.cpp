#include "tools/lecture_texte.h"

#include "base/donnees.h"
#include "base/lecture_programme.h"

#include <limits>

namespace {

TlectureTexte lire(const std::string& chemin, size_t lignesMax, TfichierDecode& fichier) {
    switch (lireProgramme(chemin, lignesMax, fichier)) {
    case Tlecture::complete:
    case Tlecture::tropDeLignes:
        break;
    case Tlecture::tropGrand:
        return TlectureTexte::tropVolumineux;
    case Tlecture::illisible:
        return TlectureTexte::illisible;
    }
    return TlectureTexte::lu;
}

} // namespace

// Expected outputs may be longer than any program: only the size bounds them.
TlectureTexte lireTexte(const std::string& chemin, TfichierDecode& fichier) {
    return lire(chemin, std::numeric_limits<size_t>::max(), fichier);
}

TlectureTexte lireProgrammeTexte(const std::string& chemin, TfichierDecode& fichier) {
    return lire(chemin, nbLignesMax, fichier);
}
