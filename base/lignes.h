// Splitting a text into lines as the editor counts them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Lines end at CR LF, at a lone LF or at a lone CR. A line break at the very
// end of the text does not start a further line; the empty text has no line.
// Lines of blanks past the first `blanchesGardees` lines are left out.
std::vector<std::string> decouperLignes(std::string_view texte, size_t blanchesGardees = SIZE_MAX);

// The lines joined by CR LF, with no break after the last one.
std::string joindreLignes(const std::vector<std::string>& lignes);
