// Treel80, the extended real computed with integers, against the x87: the
// same bits for every operation on operands drawn over the whole range
// (denormals, powers of two, halfway cases, the edges of overflow and
// underflow). CI draws a sample; scripts/reels_x87.sh sets
// TREVANE_TIRAGES_REEL80 to draw ten million pairs per operation.
#include "evaluation/reel80.h"
#include "evaluation/reel80_fonctions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <random>

namespace {

bool memesBits(Treel80 a, Treel80 b) { return a.m == b.m && a.se == b.se; }

// Known results, checked on every processor: correctly rounded values,
// halves to even, denormals and the ends of the range.
TEST(reel80, valeurs_connues) {
    const Treel80 un = 1.0;
    const Treel80 trois = 3.0;
    EXPECT_TRUE(memesBits(un / trois, Treel80::depuisBits(0x3ffd, 0xaaaaaaaaaaaaaaab)));
    EXPECT_TRUE(memesBits(racine(Treel80(2.0)), Treel80::depuisBits(0x3fff, 0xb504f333f9de6484)));
    // 1 + 2^-64 is a tie: to even (1); 1 + 3 × 2^-64 rounds up.
    const Treel80 demiUlp = Treel80::depuisBits(0x3fff - 64, uint64_t{1} << 63);
    EXPECT_TRUE(memesBits(un + demiUlp, un));
    EXPECT_TRUE(memesBits(un + demiUlp * Treel80(3.0), Treel80::depuisBits(0x3fff, (uint64_t{1} << 63) | 2)));
    // The smallest denormal, halved: a tie to zero; times 1.5: up to two.
    const Treel80 plusPetit = Treel80::depuisBits(0, 1);
    EXPECT_TRUE(memesBits(plusPetit * Treel80(0.5), Treel80()));
    EXPECT_TRUE(memesBits(plusPetit * Treel80(1.5), Treel80::depuisBits(0, 2)));
    EXPECT_TRUE(memesBits(-plusPetit * Treel80(0.25), -Treel80()));
    // The largest finite value, doubled: an infinity.
    const Treel80 plusGrand = Treel80::depuisBits(0x7ffe, ~uint64_t{0});
    EXPECT_TRUE(memesBits(plusGrand * Treel80(2.0), Treel80::depuisBits(0x7fff, uint64_t{1} << 63)));
    EXPECT_TRUE(memesBits(plusGrand + plusGrand * Treel80(0x1p-65), plusGrand));
    // Invalid operations give the x87's indefinite.
    const Treel80 indefini = Treel80::depuisBits(0xffff, uint64_t{3} << 62);
    EXPECT_TRUE(memesBits(Treel80(0.0) / Treel80(0.0), indefini));
    EXPECT_TRUE(memesBits(racine(Treel80(-1.0)), indefini));
    EXPECT_TRUE(memesBits(racine(Treel80(-0.0)), -Treel80()));
    // Conversions: doubles and integers are exact, back to double rounds once.
    EXPECT_EQ(static_cast<double>(Treel80(0x1p-1074)), 0x1p-1074);
    EXPECT_EQ(static_cast<double>(Treel80(0x1p-1074) * Treel80(0.5)), 0.0);
    EXPECT_EQ(static_cast<double>(Treel80(0x1p-1074) * Treel80(0.75)), 0x1p-1074);
    EXPECT_EQ(static_cast<double>(Treel80(1.0) + Treel80(0x1p-53)), 1.0);
    EXPECT_EQ(static_cast<double>(Treel80(1.0) + Treel80(0x1p-53) + Treel80(0x1p-60)), 1.0 + 0x1p-52);
    EXPECT_TRUE(std::isinf(static_cast<double>(Treel80(0x1.fffffffffffffp1023) + Treel80(0x1p970))));
    // Just below the midpoint, and a sum that lands on it in 64 bits first.
    EXPECT_EQ(static_cast<double>(Treel80(0x1.fffffffffffffp1023) + Treel80(0x1.ff8p969)), 0x1.fffffffffffffp1023);
    EXPECT_TRUE(std::isinf(static_cast<double>(Treel80(0x1.fffffffffffffp1023) + Treel80(0x1.fffffp969))));
    EXPECT_EQ(versEntier64(Treel80::depuisEntier(INT64_MIN)), INT64_MIN);
    EXPECT_EQ(versEntier64(entierProche(Treel80(2.5))), 2);
    EXPECT_EQ(versEntier64(entierProche(Treel80(-3.5))), -4);
    EXPECT_EQ(versEntier64(tronque(Treel80(-3.75))), -3);
    EXPECT_TRUE(memesBits(entierProche(Treel80(-0.25)), -Treel80()));
    EXPECT_TRUE(Treel80(-0.0) == Treel80(0.0));
    EXPECT_TRUE(Treel80(0x1p-1074) > Treel80(-0.0));
    EXPECT_FALSE(indefini == indefini);
    EXPECT_FALSE(indefini < un || indefini >= un);
}

// ln, e^x, the angles (up to 2^63, next to pi/2): the true values rounded to
// 64 bits (from 2000-bit arithmetic), on every processor; the real power:
// e^(y × ln x), each of the three operations so rounded (MPFR).
TEST(reel80, fonctions_correctement_arrondies) {
    const struct {
        Treel80 calcule, attendu;
    } cas[] = {
        {ln80(Treel80(2.0)), Treel80::depuisBits(0x3ffe, 0xb17217f7d1cf79ac)},
        {ln80(Treel80(1e-300)), Treel80::depuisBits(0xc008, 0xacb1a23fc3fda9aa)},
        {exp80(Treel80(1.0)), Treel80::depuisBits(0x4000, 0xadf85458a2bb4a9b)},
        {exp80(Treel80(-700.5)), Treel80::depuisBits(0x3c0c, 0xa7fa3ae346500dbb)},
        {sin80(Treel80(1.0)), Treel80::depuisBits(0x3ffe, 0xd76aa47848677021)},
        {cos80(Treel80(1e18)), Treel80::depuisBits(0x3ffb, 0xf26d039603acd38c)},
        {tan80(Treel80(1.5707963267948966)), Treel80::depuisBits(0x4034, 0xe814b3e18e6da706)},
        {sin80(Treel80(0x1.fffffffffffffp62)), Treel80::depuisBits(0x3ffe, 0xfd394cd8bab9e9ba)},
        {puissance80(Treel80(10.0), Treel80(-3.3)), Treel80::depuisBits(0x3ff4, 0x83621b1c43a89539)},
        {puissance80(Treel80(1.5), Treel80(58.1)), Treel80::depuisBits(0x4020, 0xfd9590ef7e15dc09)},
    };
    for (const auto& c : cas)
        EXPECT_TRUE(memesBits(c.calcule, c.attendu)) << std::hex << c.calcule.se << " " << c.calcule.m;
    // The ends: ln 0, e^x beyond the range, angles from 2^63.
    EXPECT_TRUE(memesBits(ln80(Treel80(0.0)), -Treel80::depuisBits(0x7fff, uint64_t{1} << 63)));
    EXPECT_TRUE(ln80(Treel80(-1.0)).estNan());
    EXPECT_TRUE(memesBits(exp80(Treel80(12000.0)), Treel80::depuisBits(0x7fff, uint64_t{1} << 63)));
    EXPECT_TRUE(memesBits(exp80(Treel80(-12000.0)), Treel80()));
    EXPECT_TRUE(memesBits(exp80(Treel80(0.0)), Treel80(1.0)));
    EXPECT_TRUE(memesBits(sin80(Treel80(-0.0)), -Treel80()));
    EXPECT_TRUE(sin80(Treel80(0x1p63)).estNan());
}

#if defined(__x86_64__) || defined(__i386__)

static_assert(std::numeric_limits<long double>::digits == 64);

long double versX87(Treel80 a) {
    long double v = 0;
    std::memcpy(&v, &a.m, 8);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &a.se, 2);
    return v;
}

Treel80 depuisX87(long double v) {
    Treel80 a;
    std::memcpy(&a.m, &v, 8);
    std::memcpy(&a.se, reinterpret_cast<const char*>(&v) + 8, 2);
    return a;
}

long tirages(long parDefaut) {
    const char* texte = std::getenv("TREVANE_TIRAGES_REEL80");
    return texte ? std::atol(texte) : parDefaut;
}

// A significand with a random count of low zero bits, so that exact and
// halfway results come up often.
uint64_t mantisse(std::mt19937_64& g) {
    const uint64_t m = g() | (uint64_t{1} << 63);
    const int zeros = static_cast<int>(g() % 64);
    return g() % 2 ? m : (m >> zeros) << zeros;
}

Treel80 tirer(std::mt19937_64& g, int exposant) {
    const uint16_t signe = g() % 2 ? 0x8000 : 0;
    if (exposant <= 0) {   // denormal
        const uint64_t m = mantisse(g) >> (1 + g() % 63);
        return Treel80::depuisBits(signe, m);
    }
    if (exposant >= 0x7fff)
        exposant = 0x7ffe;
    return Treel80::depuisBits(static_cast<uint16_t>(signe | exposant), g() % 16 == 0 ? uint64_t{1} << 63 : mantisse(g));
}

// An exponent anywhere, or near one of the ends.
int exposantQuelconque(std::mt19937_64& g) {
    switch (g() % 6) {
    case 0: return static_cast<int>(g() % 70);                // denormals and the smallest normals
    case 1: return 0x7ffe - static_cast<int>(g() % 70);       // near overflow
    case 2: return 16383 + static_cast<int>(g() % 200) - 100; // moderate
    default: return static_cast<int>(g() % 0x7fff);
    }
}

enum class Toperation { plus, moins, fois, divise };

// The second operand: anywhere, or with an exponent that puts the result
// near an edge, or near the first operand's (cancellation, halfway sums).
Treel80 second(std::mt19937_64& g, Treel80 a, Toperation op) {
    const int ea = a.exposant();
    const int ecart = static_cast<int>(g() % 140) - 70;
    switch (g() % 4) {
    case 0: return tirer(g, exposantQuelconque(g));
    case 1: {
        if (op == Toperation::fois || op == Toperation::divise) {
            // The result's exponent near 0 (underflow) or 0x7fff (overflow).
            const int cible = g() % 2 ? ecart : 0x7fff + ecart;
            return tirer(g, op == Toperation::fois ? cible - ea + 16383 : ea - cible + 16383);
        }
        return tirer(g, ea + ecart);
    }
    case 2: {
        // The same significand or a neighbour: cancellation, exact results.
        const int eb = std::clamp(ea + static_cast<int>(g() % 3) - 1, 0, 0x7ffe);
        const uint64_t m = a.m + static_cast<uint64_t>(static_cast<int64_t>(g() % 5) - 2);
        const uint64_t fort = uint64_t{1} << 63;
        const Treel80 b = Treel80::depuisBits(static_cast<uint16_t>((g() % 2 ? 0x8000 : 0) | eb), eb ? m | fort : m & ~fort);
        return b;
    }
    default: return tirer(g, ea + ecart);
    }
}

TEST(reel80, memes_bits_que_le_x87) {
    std::mt19937_64 g(20261208);
    const long n = tirages(200000);
    long differences[6] = {};
    for (long k = 0; k < n; ++k) {
        const Treel80 a = tirer(g, exposantQuelconque(g));
        const long double x = versX87(a);
        for (const Toperation op : {Toperation::plus, Toperation::moins, Toperation::fois, Toperation::divise}) {
            const Treel80 b = k % 1000 == 0 ? (k % 3000 == 0 ? Treel80() : Treel80::depuisBits(0x7fff, uint64_t{1} << 63)) : second(g, a, op);
            const long double y = versX87(b);
            Treel80 portable;
            long double materiel = 0;
            switch (op) {
            case Toperation::plus: portable = a + b; materiel = x + y; break;
            case Toperation::moins: portable = a - b; materiel = x - y; break;
            case Toperation::fois: portable = a * b; materiel = x * y; break;
            case Toperation::divise: portable = a / b; materiel = x / y; break;
            }
            const int i = static_cast<int>(op);
            if (!memesBits(portable, depuisX87(materiel)) && differences[i]++ < 5)
                ADD_FAILURE() << "operation " << i << " " << std::hexfloat << x << " " << y << " : " << materiel << " != " << versX87(portable);
            if (((comparer(a, b) == -1) != (x < y) || (comparer(a, b) == 0) != (x == y)) && differences[5]++ < 5)
                ADD_FAILURE() << "comparer " << std::hexfloat << x << " " << y << " " << a.se << " " << b.se << " " << a.m << " " << b.m;
        }
        const long double racineX87 = sqrtl(std::fabs(x));
        if (!memesBits(racine(absolu(a)), depuisX87(racineX87)) && differences[4]++ < 5)
            ADD_FAILURE() << "racine " << std::hexfloat << x;
    }
    for (long d : differences)
        EXPECT_EQ(d, 0);
}

TEST(reel80, conversions_comme_le_x87) {
    std::mt19937_64 g(8122026);
    const long n = tirages(200000);
    long differences = 0;
    for (long k = 0; k < n; ++k) {
        // Around the double range: its denormals, its overflow, halfway cases.
        const int exposant = g() % 3 ? 16383 + static_cast<int>(g() % 2200) - 1100 : 16383 + static_cast<int>(g() % 140) - 1140;
        const Treel80 a = tirer(g, exposant);
        const long double x = versX87(a);
        const double d = static_cast<double>(x);
        const double dp = static_cast<double>(a);
        if (std::memcmp(&d, &dp, sizeof d) != 0)
            ++differences;
        if (!memesBits(Treel80(d), depuisX87(static_cast<long double>(d))))
            ++differences;
        const Treel80 petit = tirer(g, 16383 + static_cast<int>(g() % 70) - 3);
        const long double p = versX87(petit);
        if (!memesBits(tronque(petit), depuisX87(truncl(p))) || !memesBits(entierProche(petit), depuisX87(nearbyintl(p))))
            ++differences;
        if (std::fabs(p) < 0x1p63L && versEntier64(tronque(petit)) != static_cast<int64_t>(p))
            ++differences;
        const auto i = static_cast<int64_t>(g()) >> (g() % 64);
        if (!memesBits(Treel80::depuisEntier(i), depuisX87(static_cast<long double>(i))))
            ++differences;
        if (differences > 0) {
            ADD_FAILURE() << std::hexfloat << x << " " << p << " " << i;
            break;
        }
    }
}

#endif

} // namespace
