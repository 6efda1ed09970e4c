#include "tools/lecture_texte.h"

#include "analysis/lecture_programme.h"

#include <limits>

TlectureTexte lireTexte(const std::string& chemin, TfichierDecode& fichier) {
    std::string octets;
    // Expected outputs may be longer than any program: only the size bounds them.
    switch (lireProgramme(chemin, std::numeric_limits<size_t>::max(), octets)) {
    case Tlecture::complete:
    case Tlecture::tropDeLignes:
        break;
    case Tlecture::tropGrand:
        return TlectureTexte::tropVolumineux;
    case Tlecture::illisible:
        return TlectureTexte::illisible;
    }
    fichier = decoderFichier(octets);
    return TlectureTexte::lu;
}
