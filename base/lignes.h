// Splitting a text into lines as the editor counts them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lines end at CR LF, at a lone LF or at a lone CR. A line break at the very
// end of the text does not start a further line; the empty text has no line.
// Calls `f` with each line, in order (the one rule every reader of lines uses).
template <class F>
void pourChaqueLigne(std::string_view texte, F&& f) {
    size_t debut = 0;
    for (size_t i = 0; i < texte.size();) {
        const char c = texte[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        f(texte.substr(debut, i - debut));
        i += (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ? 2 : 1;
        debut = i;
    }
    if (debut < texte.size())
        f(texte.substr(debut));
}

// The lines as pourChaqueLigne cuts them; lines of blanks past the first
// `blanchesGardees` lines are left out.
std::vector<std::string> decouperLignes(std::string_view texte, size_t blanchesGardees = SIZE_MAX);

// The lines joined by CR LF, with no break after the last one.
std::string joindreLignes(const std::vector<std::string>& lignes);
