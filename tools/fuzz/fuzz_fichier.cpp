// libFuzzer target: the file-reading path. Any bytes are split into editor
// lines, joined back, converted to UTF-8 and back, and a path built from them
// goes through the program-name and extension rules. After 1000 line breaks
// in the file's own encoding, the bounded reader must reach, on the bytes,
// the decision read from the whole decoded text, and the same bytes fed in
// two pieces to its line follower the decision read from the whole bytes.
#include "base/codage.h"
#include "base/decodage_fichier.h"
#include "base/donnees.h"
#include "base/lecture_programme.h"
#include "base/lignes.h"
#include "commands/fichiers.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The rule read from the whole text: more than `lignesMax` lines, and text
// on a line past the last program line.
bool tropDeLignes(const std::string& texte, size_t lignesMax) {
    const std::vector<std::string> lignes = decouperLignes(texte);
    bool texteApres = false;
    for (size_t i = nbLignesMax; i < lignes.size(); ++i)
        texteApres = texteApres || lignes[i].find_first_not_of(' ') != std::string::npos;
    return texteApres && lignes.size() > lignesMax;
}

// The line follower's decision on the text fed in two pieces, cut `coupure`
// bytes from its end; undecided, it must have taken every byte.
bool suiviDecide(std::string_view texte, size_t lignesMax, uint8_t coupure) {
    TsuiviLignes suivi(lignesMax);
    const size_t milieu = texte.size() - std::min<size_t>(coupure, texte.size());
    const size_t pris = suivi.lire(texte.substr(0, milieu));
    if (!suivi.tropDeLignes() && pris + suivi.lire(texte.substr(milieu)) != texte.size())
        std::abort();
    return suivi.tropDeLignes();
}

} // namespace

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
    const size_t lignesMax = nbLignesMax + (taille > 0 ? octets[0] % 4 : 0);
    if (tropDeLignes(programme, lignesMax) != suiviDecide(programme, lignesMax, taille > 1 ? octets[1] : 0))
        std::abort();

    // The same as a file: its mark kept first, the line breaks in its encoding.
    std::string_view marque;
    std::string saut = "\n";
    for (const std::string_view m : {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"})
        if (texte.substr(0, m.size()) == m)
            marque = m;
    if (marque == "\xFF\xFE")
        saut = std::string("\n\0", 2);
    else if (marque == "\xFE\xFF")
        saut = std::string("\0\n", 2);
    std::string fichier(marque);
    for (int i = 0; i < nbLignesMax - 1; ++i)
        fichier += saut;
    fichier += texte.substr(marque.size());
    const std::string decode = decoderFichier(fichier).texte;
    TfichierDecode lu;
    const Tlecture lecture = decoderProgramme(fichier, true, lignesMax, lu);
    if ((lecture == Tlecture::tropDeLignes) != tropDeLignes(decode, lignesMax))
        std::abort();
    if (lecture == Tlecture::complete && lu.texte != decode)
        std::abort();
    if (lecture == Tlecture::tropDeLignes &&
        (lu.texte.empty() || tropDeLignes(lu.texte.substr(0, lu.texte.size() - 1), lignesMax) ||
         decode.compare(0, lu.texte.size(), lu.texte) != 0))
        std::abort();

    const std::string chemin = "/tmp/" + texte.substr(0, 200);
    (void)nomProgramme(chemin);
    (void)appliquerExtension(chemin);
    return 0;
}
