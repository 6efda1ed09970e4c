#include "evaluation/formats.h"
#include "evaluation/reel80.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

struct Tcas {
    double valeur;
    const char* texte;
};

// k units of 10^-d, written with its decimals and without trailing zeros.
std::string decimal(uint64_t k, int d) {
    std::string texte = std::to_string(k);
    texte.insert(0, d + 1 > static_cast<int>(texte.size()) ? d + 1 - texte.size() : 0, '0');
    texte.insert(texte.size() - d, d > 0 ? "." : "");
    while (d > 0 && texte.back() == '0')
        texte.pop_back();
    if (texte.back() == '.')
        texte.pop_back();
    return texte;
}

} // namespace

TEST(formats, exemples_de_reference) {
    const Tcas cas[] = {
        {2.5, "2.5"},
        {3.0, "3"},
        {0.1, "0.1"},
        {2.0 / 3.0, "0.66666667"},
        {1.0 / 3.0, "0.33333333"},
        {-1.5, "-1.5"},
        {0.0, "0"},
        {0.000000005, "0.00000001"},
        {-0.000000004, "0"},
        {10000000000.0, "10000000000"},
        {100000000000.0, "1 x 10^(11)"},
        {123456789012.5, "1.234567890125 x 10^(11)"},
        {-2.5e15, "-2.5 x 10^(15)"},
    };
    for (const Tcas& c : cas)
        EXPECT_EQ(reelAffiche(c.valeur), c.texte) << c.valeur;
}

TEST(formats, passage_a_la_puissance_de_dix) {
    EXPECT_EQ(reelAffiche(99999999999.0), "99999999999");
    EXPECT_EQ(reelAffiche(1e11), "1 x 10^(11)");
    EXPECT_EQ(reelAffiche(-1e11), "-1 x 10^(11)");
    // 18 significant digits of the stored double, beyond those computed.
    EXPECT_EQ(reelAffiche(1e12 / 3), "3.33333333333333313 x 10^(11)");
    EXPECT_EQ(reelAffiche(123456789012345678901234.0), "1.23456789012345686 x 10^(23)");
    EXPECT_EQ(reelAffiche(std::numeric_limits<double>::max()), "1.79769313486231571 x 10^(308)");
    // Just below 1e11 the scaled value passes 2^63 and still rounds right.
    EXPECT_EQ(reelAffiche(99999999999.9999847412109375), "99999999999.99998474");
    EXPECT_EQ(reelAffiche(-99999999999.9999847412109375), "-99999999999.99998474");
}

TEST(formats, arrondi_du_double_stocke) {
    EXPECT_EQ(reelAffiche(0.123456785), "0.12345678");   // its double lies just below the half
    EXPECT_EQ(reelAffiche(0.000000005), "0.00000001");   // its double lies just above it
    EXPECT_EQ(reelAffiche(12345.678905), "12345.678905");
    EXPECT_EQ(reelAffiche(1e-300), "0");
    EXPECT_EQ(reelAffiche(-1e-300), "0");
    EXPECT_EQ(reelAffiche(-0.0), "0");
    EXPECT_EQ(reelAffiche(-0.000000005), "-0.00000001");
    EXPECT_EQ(reelAffiche(7.0), "7");
    EXPECT_EQ(reelAffiche(-2147483648.0), "-2147483648");
}

TEST(formats, decimales_choisies) {
    // Halves go up, away from zero, unlike printf's ties to even.
    EXPECT_EQ(reelEnTexte(2.5, 0), "3");
    EXPECT_EQ(reelEnTexte(-2.5, 0), "-3");
    EXPECT_EQ(reelEnTexte(0.125, 2), "0.13");
    EXPECT_EQ(reelEnTexte(0.375, 2), "0.38");
    EXPECT_EQ(reelEnTexte(0.4, 0), "0");
    EXPECT_EQ(reelEnTexte(-0.4, 0), "0");
    // The count of decimals is clamped into 0..11.
    EXPECT_EQ(reelEnTexte(1.6, -5), "2");
    EXPECT_EQ(reelEnTexte(1.0 / 3.0, 20), "0.33333333333");
    EXPECT_EQ(reelEnTexte(1.0 / 3.0, 11), "0.33333333333");
    // With 11 decimals tiny values take the power-of-ten form too.
    EXPECT_EQ(reelEnTexte(1e-11, 11), "9.99999999999999939 x 10^(-12)");
    EXPECT_EQ(reelEnTexte(-1.5e-20, 11), "-1.50000000000000014 x 10^(-20)");
    EXPECT_EQ(reelEnTexte(0.0, 11), "0");
    EXPECT_EQ(reelEnTexte(2e-11, 11), "0.00000000002");
    EXPECT_EQ(reelEnTexte(1e-11, 10), "0");
    // Far beyond 64-bit integers once scaled by 10^11.
    EXPECT_EQ(reelEnTexte(99999999999.9999847412109375, 11), "99999999999.99998474121");
}

TEST(formats, decimales_reecrites_a_l_identique) {
    // The double nearest a decimal of d decimals, printed with d decimals,
    // is that decimal: up to 15 digits, and to 4 x 10^15 where the digits
    // come from the general conversion.
    std::mt19937_64 hasard(20261208);
    for (int i = 0; i < 20000; ++i) {
        const size_t d = hasard() % 12;
        const uint64_t plafond = i % 4 == 0 ? 4'000'000'000'000'000ull : 1'000'000'000'000'000ull;
        const std::string texte = decimal(i % 100 == 0 ? plafond - 1 : hasard() % plafond, static_cast<int>(d));
        const double x = std::strtod(texte.c_str(), nullptr);
        if (x < 1e11 && (x > 1e-11 || d < 11 || x == 0)) {
            EXPECT_EQ(reelEnTexte(x, static_cast<int>(d)), texte);
        }
    }
}

TEST(formats, decimales_comme_le_produit_etendu) {
    // The fixed form's integer of units, k = a x 10^d rounded halves up, as
    // the extended product gives it, computed here in the portable extended
    // reals whatever the build's: the doubles up to three steps away from a
    // half or an integer of units, where the product's rounding to 64 bits
    // decides.
    std::mt19937_64 hasard(20261209);
    for (int i = 0; i < 60000; ++i) {
        const int d = static_cast<int>(hasard() % 12);
        double p = 1.0;
        for (int j = 0; j < d; ++j)
            p *= 10.0;
        const double echelle = std::ldexp(1.0, static_cast<int>(hasard() % 53));   // k up to 2^52
        double a = (std::floor(echelle * std::ldexp(static_cast<double>(hasard() >> 11), -53)) + (i % 2 ? 0.5 : 0.0)) / p;
        for (int pas = static_cast<int>(hasard() % 7) - 3; pas != 0; pas += pas > 0 ? -1 : 1)
            a = std::nextafter(a, pas > 0 ? 1e300 : 0.0);
        const Treel80 y = Treel80(a) * Treel80(p);
        Treel80 k = tronque(y);
        if (y - k >= Treel80(0.5))
            k += Treel80(1.0);
        const double entier = static_cast<double>(k);
        if (a > 0 && a < 1e11 && (d < 11 || a > 1e-11) && entier < 1e15) {
            ASSERT_EQ(reelEnTexte(a, d), decimal(static_cast<uint64_t>(entier), d)) << std::hexfloat << a << " d=" << d;
        }
    }
}

TEST(formats, entiers_et_conditions) {
    EXPECT_EQ(entierEnTexte(0), "0");
    EXPECT_EQ(entierEnTexte(-7), "-7");
    EXPECT_EQ(entierEnTexte(2147483647), "2147483647");
    EXPECT_EQ(entierEnTexte(INT32_MIN), "-2147483648");
    EXPECT_EQ(naturelEnTexte(4294967295u), "4294967295");
    EXPECT_EQ(conditionEnTexte(0), "F");
    EXPECT_EQ(conditionEnTexte(1), "V");
    EXPECT_EQ(conditionEnTexte(200), "V");
}

TEST(formats, ajout_au_texte) {
    std::string texte = "x =";
    texte += ' ';
    ajouterReel(texte, 2.5);
    texte += ' ';
    ajouterEntier(texte, INT32_MIN);
    texte += ' ';
    ajouterReel(texte, -2.5e15);
    EXPECT_EQ(texte, "x = 2.5 -2147483648 -2.5 x 10^(15)");
}

TEST(formats, independant_de_la_langue) {
    // Whatever locale the window toolkit installs, the separator stays ".".
    const char* langues[] = {"fr_FR.UTF-8", "fr_FR.utf8", "de_DE.UTF-8", "C.UTF-8"};
    for (const char* langue : langues) {
        if (!std::setlocale(LC_ALL, langue))
            continue;
        EXPECT_EQ(reelAffiche(2.5), "2.5") << langue;
        EXPECT_EQ(reelAffiche(123456789012.5), "1.234567890125 x 10^(11)") << langue;
    }
    std::setlocale(LC_ALL, "C");
}
