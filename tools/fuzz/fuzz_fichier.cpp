// libFuzzer target: the file-reading path. Any bytes are split into editor
// lines, joined back, converted to UTF-8 and back, and a path built from them
// goes through the program-name and extension rules. After 1000 line breaks,
// the same bytes fed in two pieces to the line follower of the bounded
// reader must reach the decision read from the whole text.
#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "analysis/lecture_programme.h"
#include "analysis/lignes.h"
#include "window/noyau/fichiers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(octets), taille);
    const auto lignes = decouperLignes(texte);
    const std::string joint = joindreLignes(lignes);
    // Splitting what was joined gives the same lines back (a trailing empty
    // line aside, which a final line break never starts).
    const auto relues = decouperLignes(joint);
    if (relues.size() > lignes.size() || relues.size() + 1 < lignes.size())
        std::abort();
    for (size_t i = 0; i < relues.size(); ++i)
        if (relues[i] != lignes[i])
            std::abort();
    if (depuisUtf8(versUtf8(texte)) != texte)
        std::abort();
    const std::string programme = std::string(nbLignesMax - 1, '\n') + texte;
    const std::vector<std::string> lignesProgramme = decouperLignes(programme);
    bool texteApres = false;
    for (size_t i = nbLignesMax; i < lignesProgramme.size(); ++i)
        texteApres = texteApres || lignesProgramme[i].find_first_not_of(' ') != std::string::npos;
    const size_t lignesMax = nbLignesMax + (taille > 0 ? octets[0] % 4 : 0);
    TsuiviLignes suivi(lignesMax);
    const size_t coupure = programme.size() - (taille > 1 ? octets[1] % (taille + 1) : 0);
    const size_t pris = suivi.lire(std::string_view(programme).substr(0, coupure));
    const size_t tout = suivi.tropDeLignes() ? pris : pris + suivi.lire(std::string_view(programme).substr(coupure));
    if (suivi.tropDeLignes() != (texteApres && lignesProgramme.size() > lignesMax))
        std::abort();
    if (!suivi.tropDeLignes() && tout != programme.size())
        std::abort();

    const std::string chemin = "/tmp/" + texte.substr(0, 200);
    (void)nomProgramme(chemin);
    (void)appliquerExtension(chemin);
    return 0;
}
