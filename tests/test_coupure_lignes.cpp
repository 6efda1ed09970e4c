// Where a display line wraps: at blanks, and anywhere in a word wider than
// the row.
#include "commands/coupure_lignes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(coupure_lignes, aux_blancs_et_n_importe_ou) {
    TlargeursCaracteres largeurs;
    largeurs.fill(1);   // one unit a character: widths are counts
    struct Tcas {
        const char* ligne;
        float largeur;
        std::vector<int32_t> rangs;
    };
    const Tcas cas[] = {
        {"", 10, {0}},
        {" abc def", 10, {0}},
        {"ab cd", 5, {0}},                    // fits exactly: one row
        {" abc defgh", 8, {0, 5}},            // the word moves down whole
        {" abc   defgh", 8, {0, 7}},          // blanks hang at the row's end
        {" abcdefghijkl", 5, {0, 5, 10}},     // too wide: broken anywhere
        {" ab cdefghijkl", 5, {0, 4, 9}},     // after a word, from the next row
        {"abcdefghij", 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"ab", 0, {0, 1}},                    // at least one character a row
        {"        ", 3, {0}},                 // blanks alone never wrap
    };
    for (const Tcas& c : cas)
        EXPECT_EQ(coupuresLigne(c.ligne, largeurs, c.largeur), c.rangs) << c.ligne << " / " << c.largeur;
    // A megabyte without a blank: every row full but the last.
    const std::string longue(size_t{1} << 20, 'x');
    const std::vector<int32_t> rangs = coupuresLigne(longue, largeurs, 100);
    EXPECT_EQ(rangs.size(), size_t{(1 << 20) / 100 + 1});
    EXPECT_EQ(rangs.back(), int32_t{(1 << 20) / 100 * 100});
}
