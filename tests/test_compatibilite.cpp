#include "base/compatibilite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

// The C library's forms (the only ones in the WebAssembly build) against
// charconv, which the native build uses, on the doubles' edges.

TEST(compatibilite, lecture_aux_bornes_des_doubles) {
    const char* const textes[] = {
        "0", "-0", "0.1", "1e23", "9007199254740993", "9007199254740995",   // halves to even
        "1.7976931348623157e308", "1.7976931348623158e308",                  // the largest double
        "1.7976931348623159e308", "1e309", "-1e400",                         // beyond: out of range
        "2.2250738585072014e-308", "2.2250738585072011e-308",                // smallest normal, a denormal
        "4.9406564584124654e-324", "3e-324", "2.4703282292062328e-324",      // smallest denormal and halves
        "2.4703282292062327e-324", "1e-400", "-1e-400",                      // below: out of range
        "0.000000000000000000000000000000000000001", "123456789012345678901234567890",
        "2.47032822920623272088284396434110686182529901307162382212792841250337753635104375932649918180817996189"
        "8982823477228588654633283551779698981993873980053909390631503565951557022552013e-324",
        "12", "1e", "e5", "",                                                // a stop or nothing read
    };
    for (const char* texte : textes) {
        const char* const fin = texte + std::strlen(texte);
        double attendu = -7.0, lu = -7.0;
        const auto a = std::from_chars(texte, fin, attendu);
        const auto b = lireDoubleC(texte, fin, lu);
        EXPECT_EQ(b.ec, a.ec) << texte;
        EXPECT_EQ(b.ptr - texte, a.ptr - texte) << texte;
        if (a.ec == std::errc())
            EXPECT_EQ(bitsEnType<uint64_t>(lu), bitsEnType<uint64_t>(attendu)) << texte;
    }
}

TEST(compatibilite, ecriture_fixe_et_scientifique) {
    const double valeurs[] = {0.0, 0.5, 2.5, 0.125, 1.0 / 3.0, 99999999999.5, 1e-11, 0.000000005,
                              std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                              std::numeric_limits<double>::denorm_min(), 123456789012.5, 1e22, 5e-324 * 3};
    for (const double x : valeurs) {
        for (const bool scientifique : {false, true}) {
            for (const int chiffres : {1, 8, 11, 17}) {
                char a[400], b[400];
                const std::string attendu(a, std::to_chars(a, a + sizeof a, x,
                                                          scientifique ? std::chars_format::scientific
                                                                       : std::chars_format::fixed,
                                                          chiffres).ptr);
                EXPECT_EQ(std::string(b, ecrireDoubleC(b, b + sizeof b, x, scientifique, chiffres)), attendu)
                    << x << (scientifique ? " e" : " f") << chiffres;
            }
        }
    }
}

TEST(compatibilite, memes_bits) {
    static_assert(bitsEnType<uint64_t>(1.0) == 0x3ff0000000000000);
    static_assert(bitsEnType<double>(uint64_t{0x8000000000000000}) == 0.0);
    EXPECT_TRUE(std::signbit(bitsEnType<double>(uint64_t{0x8000000000000000})));
    EXPECT_EQ(bitsEnType<uint64_t>(bitsEnType<double>(uint64_t{0x7ff8000000000123})), 0x7ff8000000000123u);
    EXPECT_EQ(bitsEnType<uint32_t>(-0.0f), 0x80000000u);
}
