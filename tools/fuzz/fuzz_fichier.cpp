// libFuzzer target: the file-reading path. Any bytes are split into editor
// lines, joined back, converted to UTF-8 and back, and a path built from them
// goes through the program-name and extension rules.
#include "analysis/codage.h"
#include "analysis/lignes.h"
#include "window/fichiers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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
    const std::string chemin = "/tmp/" + texte.substr(0, 200);
    (void)nomProgramme(chemin);
    (void)appliquerExtension(chemin);
    return 0;
}
