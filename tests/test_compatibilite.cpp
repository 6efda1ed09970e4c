#include "base/compatibilite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

// The C library's forms, the only ones in the WebAssembly build (where this
// test runs under Node too), on the doubles' edges; where charconv has
// doubles, it must agree with them.

TEST(compatibilite, lecture_aux_bornes_des_doubles) {
    struct Tcas {
        const char* texte;
        std::errc erreur;
        size_t lus;
        uint64_t bits;
    };
    const Tcas cas[] = {
        {"0", std::errc(), 1, 0x0000000000000000},
        {"-0", std::errc(), 2, 0x8000000000000000},
        {"0.1", std::errc(), 3, 0x3fb999999999999a},
        {"1e23", std::errc(), 4, 0x44b52d02c7e14af6},
        {"9007199254740993", std::errc(), 16, 0x4340000000000000},   // halves to even
        {"9007199254740995", std::errc(), 16, 0x4340000000000002},
        {"1.7976931348623157e308", std::errc(), 22, 0x7fefffffffffffff},   // the largest double
        {"1.7976931348623158e308", std::errc(), 22, 0x7fefffffffffffff},
        {"1.7976931348623159e308", std::errc::result_out_of_range, 22, 0},
        {"-1e400", std::errc::result_out_of_range, 6, 0},
        {"2.2250738585072014e-308", std::errc(), 23, 0x0010000000000000},   // the smallest normal
        {"2.2250738585072011e-308", std::errc(), 23, 0x000fffffffffffff},   // a denormal
        {"4.9406564584124654e-324", std::errc(), 23, 0x0000000000000001},   // the smallest denormal
        {"3e-324", std::errc(), 6, 0x0000000000000001},
        {"2.4703282292062328e-324", std::errc(), 23, 0x0000000000000001},   // just above half of it
        {"2.4703282292062327e-324", std::errc::result_out_of_range, 23, 0},  // just below
        {"-1e-400", std::errc::result_out_of_range, 7, 0},
        {"0.000000000000000000000000000000000000001", std::errc(), 41, 0x37d5c72fb1552d83},
        {"123456789012345678901234567890", std::errc(), 30, 0x45f8ee90ff6c373e},
        {"1e", std::errc(), 1, 0x3ff0000000000000},   // stops before an exponent without digits
        {"e5", std::errc::invalid_argument, 0, 0},
        {"", std::errc::invalid_argument, 0, 0},
    };
    for (const Tcas& c : cas) {
        const char* const fin = c.texte + std::strlen(c.texte);
        double lu = -7.0;
        const auto r = lireDoubleC(c.texte, fin, lu);
        EXPECT_EQ(r.ec, c.erreur) << c.texte;
        if (c.erreur != std::errc::invalid_argument) {
            EXPECT_EQ(static_cast<size_t>(r.ptr - c.texte), c.lus) << c.texte;
        }
        if (c.erreur == std::errc()) {
            EXPECT_EQ(bitsEnType<uint64_t>(lu), c.bits) << c.texte;
        }
#if defined(__cpp_lib_to_chars)
        double attendu = -7.0;
        EXPECT_EQ(std::from_chars(c.texte, fin, attendu).ec, c.erreur) << c.texte;
#endif
    }
}

TEST(compatibilite, ecriture_fixe_et_scientifique) {
    struct Tcas {
        double x;
        bool scientifique;
        int chiffres;
        const char* texte;
    };
    const Tcas cas[] = {
        {0.0, true, 1, "0.0e+00"},
        {0.125, false, 1, "0.1"},   // an exact half: to even
        {2.5, false, 1, "2.5"},
        {99999999999.5, true, 1, "1.0e+11"},
        {1.0 / 3.0, false, 17, "0.33333333333333331"},
        {1e-11, true, 17, "9.99999999999999939e-12"},
        {0.000000005, false, 11, "0.00000000500"},
        {1e22, false, 1, "10000000000000000000000.0"},
        {2.2250738585072014e-308, true, 17, "2.22507385850720138e-308"},
        {4.9406564584124654e-324, true, 17, "4.94065645841246544e-324"},
        {1.7976931348623157e308, true, 17, "1.79769313486231571e+308"},
    };
    for (const Tcas& c : cas) {
        char tampon[64];
        EXPECT_EQ(std::string(tampon, ecrireDoubleC(tampon, tampon + sizeof tampon, c.x, c.scientifique, c.chiffres)),
                  c.texte);
        EXPECT_EQ(std::string(tampon, ecrireDouble(tampon, tampon + sizeof tampon, c.x, c.scientifique, c.chiffres)),
                  c.texte);
    }
}

TEST(compatibilite, memes_bits) {
    static_assert(bitsEnType<uint64_t>(1.0) == 0x3ff0000000000000);
    static_assert(bitsEnType<double>(uint64_t{0x8000000000000000}) == 0.0);
    EXPECT_TRUE(std::signbit(bitsEnType<double>(uint64_t{0x8000000000000000})));
    EXPECT_EQ(bitsEnType<uint64_t>(bitsEnType<double>(uint64_t{0x7ff8000000000123})), 0x7ff8000000000123u);
    EXPECT_EQ(bitsEnType<uint32_t>(-0.0f), 0x80000000u);
}
