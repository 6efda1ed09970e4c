// Where a display line wraps, for a given width: at blanks, and anywhere
// inside a word wider than the row. Linear in the line's length, so a line
// of a megabyte without a blank wraps as fast as any other. Toolkit-free:
// the widths of the 256 Windows-1252 characters come from the caller.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

using TlargeursCaracteres = std::array<float, 256>;

// The offset of each row's first byte; the first row starts at 0. Blanks at
// a row's end hang past the width and never start a row.
std::vector<int32_t> coupuresLigne(std::string_view ligne, const TlargeursCaracteres& largeurs, float largeur);

// The width of the bytes of `texte`.
float largeurTexte(std::string_view texte, const TlargeursCaracteres& largeurs);

// The byte of the row `texte` nearest to abscissa x (0..size).
int32_t colonneA(std::string_view texte, const TlargeursCaracteres& largeurs, float x);
