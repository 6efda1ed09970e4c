// Splitting a text into lines as the editor counts them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lines end at CR LF, at a lone LF or at a lone CR. A line break at the very
// end of the text does not start a further line; the empty text has no line.
std::vector<std::string> decouperLignes(std::string_view texte);

// Calls `f` with each line of `texte`, cut as above, without copying any.
template <class F>
void pourChaqueLigne(std::string_view texte, F&& f) {
    size_t debut = 0;
    size_t i = 0;
    while (i < texte.size()) {
        const char c = texte[i];
        if (c == '\r' || c == '\n') {
            f(texte.substr(debut, i - debut));
            i += (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ? 2 : 1;
            debut = i;
        } else {
            ++i;
        }
    }
    if (debut < texte.size())
        f(texte.substr(debut));
}

// The lines joined by CR LF, with no break after the last one.
std::string joindreLignes(const std::vector<std::string>& lignes);
