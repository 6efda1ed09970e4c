#include "evaluation/reel80_fonctions.h"

#include <bit>
#include <utility>

namespace {

using u128 = unsigned __int128;

constexpr uint64_t bitFort = uint64_t{1} << 63;
constexpr u128 bitFort128 = u128{1} << 127;
constexpr Treel80 indefini = Treel80::depuisBits(0xffff, uint64_t{3} << 62);

// A working real of 128 bits: m × 2^e with the leading bit of m at bit 127,
// or m = 0 for zero. Each operation truncates, so each loses less than
// 2^-126 of its result.
struct Tgrand {
    bool negatif = false;
    int32_t e = 0;
    u128 m = 0;
};

int zerosEnTete(u128 x) {
    const auto haut = static_cast<uint64_t>(x >> 64);
    return haut ? std::countl_zero(haut) : 64 + std::countl_zero(static_cast<uint64_t>(x));
}

Tgrand normaliser(bool negatif, int32_t e, u128 m) {
    if (m == 0)
        return {};
    const int z = zerosEnTete(m);
    return {negatif, e - z, m << z};
}

constexpr Tgrand constante(uint64_t haut, uint64_t bas, int32_t e) { return {false, e, (u128{haut} << 64) | bas}; }

// Generated with 600-bit arithmetic (mpmath): the leading 128 bits of each.
constexpr Tgrand ln2 = constante(0xb17217f7d1cf79ab, 0xc9e3b39803f2f6af, -128);
// ln 2 in two parts: 64 bits, so that k × ln2Haut is exact, then the next 128.
constexpr Tgrand ln2Haut = constante(0xb17217f7d1cf79ab, 0, -128);
constexpr Tgrand ln2Bas = constante(0xc9e3b39803f2f6af, 0x40f343267298b62d, -192);
constexpr Tgrand piSur2 = constante(0xc90fdaa22168c234, 0xc4c6628b80dc1cd1, -127);
// 2/pi × 2^384, truncated, lowest word first.
constexpr uint64_t deuxSurPi[6] = {0x06492eea09d1921c, 0xb7246e3a424dd2e0, 0xfe5163abdebbc561,
                                   0xdb6295993c439041, 0xfc2757d1f534ddc0, 0xa2f9836e4e441529};

Tgrand depuis(Treel80 a) {
    if (a.estZero())
        return {};
    const int32_t champ = a.exposant() == 0 ? 1 : a.exposant();
    return normaliser(a.negatif(), champ - 16383 - 63 - 64, u128{a.m} << 64);
}

Tgrand entier(int64_t n) {
    const uint64_t u = n < 0 ? 0 - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
    return normaliser(n < 0, 0, u);
}

Treel80 versReel80(Tgrand a) {
    if (a.m == 0)
        return Treel80();
    return arrondirReel80(a.negatif, a.e, a.m);
}

Tgrand oppose(Tgrand a) {
    a.negatif = !a.negatif;
    return a;
}

// The leading 128 bits of the 256-bit product.
u128 produitHaut(u128 a, u128 b) {
    const u128 a0 = static_cast<uint64_t>(a), a1 = a >> 64;
    const u128 b0 = static_cast<uint64_t>(b), b1 = b >> 64;
    const u128 p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const u128 milieu = (p00 >> 64) + static_cast<uint64_t>(p01) + static_cast<uint64_t>(p10);
    return p11 + (p01 >> 64) + (p10 >> 64) + (milieu >> 64);
}

Tgrand operator*(Tgrand a, Tgrand b) {
    if (a.m == 0 || b.m == 0)
        return {};
    return normaliser(a.negatif != b.negatif, a.e + b.e + 128, produitHaut(a.m, b.m));
}

Tgrand operator+(Tgrand a, Tgrand b) {
    if (b.m == 0)
        return a;
    if (a.m == 0)
        return b;
    if (b.e > a.e || (b.e == a.e && b.m > a.m))
        std::swap(a, b);
    const int32_t ecart = a.e - b.e;
    if (ecart >= 127)
        return a;
    // One bit of room for the carry.
    const u128 grand = a.m >> 1;
    const u128 petit = (b.m >> 1) >> ecart;
    return normaliser(a.negatif, a.e + 1, a.negatif == b.negatif ? grand + petit : grand - petit);
}

Tgrand operator-(Tgrand a, Tgrand b) { return a + oppose(b); }

// a / n for a small n > 0.
Tgrand diviseEntier(Tgrand a, uint32_t n) {
    const u128 q = a.m / n;
    const u128 r = a.m % n;
    if (q == 0)
        return {};
    const int z = zerosEnTete(q);
    return {a.negatif, a.e - z, (q << z) | ((r << z) / n)};
}

// The series' coefficients, made once: 1/n! and 1/(2k + 1). Multiplying by
// them costs a tenth of dividing a 128-bit number.
constexpr int nbCoefficients = 64;

struct Tcoefficients {
    Tgrand inverseFactorielle[nbCoefficients];
    Tgrand inverseImpair[nbCoefficients];
    Tcoefficients() {
        inverseFactorielle[0] = {false, -127, bitFort128};
        for (uint32_t n = 1; n < nbCoefficients; ++n) {
            inverseFactorielle[n] = diviseEntier(inverseFactorielle[n - 1], n);
            inverseImpair[n] = diviseEntier(inverseFactorielle[0], 2 * n + 1);
        }
        inverseImpair[0] = inverseFactorielle[0];
    }
};

const Tcoefficients& coefficients() {
    static const Tcoefficients c;
    return c;
}

// 1 / b by Newton's iteration from a double's estimate, b nonzero.
Tgrand inverse(Tgrand b) {
    const double approche = static_cast<double>(static_cast<uint64_t>(b.m >> 64)) * 0x1p-64;   // in [1/2, 1[
    const auto estimation = static_cast<uint64_t>(0x1p62 / approche);                            // 2^62 / approche
    Tgrand y = normaliser(b.negatif, -62 - 64 - 128 - b.e, u128{estimation} << 64);
    const Tgrand un = entier(1);
    for (int i = 0; i < 3; ++i)
        y = y + y * (un - b * y);
    return y;
}

Tgrand operator/(Tgrand a, Tgrand b) { return a * inverse(b); }

// e^r for |r| <= 0.35 (and r exact to about 2^-130): 1 + r + r^2/2 + ...
Tgrand expReduit(Tgrand r) {
    const Tcoefficients& c = coefficients();
    Tgrand somme = entier(1);
    Tgrand puissance = somme;
    for (int n = 1; n < nbCoefficients; ++n) {
        puissance = puissance * r;
        const Tgrand terme = puissance * c.inverseFactorielle[n];
        if (terme.m == 0 || terme.e < -140 - 128)
            break;
        somme = somme + terme;
    }
    return somme;
}

// The nearest integer to a (|a| below 2^62).
int64_t entierProcheGrand(Tgrand a) {
    if (a.m == 0 || a.e < -128)
        return 0;
    const int decalage = -a.e - 1;   // leaves one bit below the units
    const u128 demi = decalage >= 0 ? a.m >> decalage : a.m << -decalage;
    const auto n = static_cast<int64_t>((demi + 1) >> 1);
    return a.negatif ? -n : n;
}

// e^(j/32) for j in [-16, 16], made once.
const Tgrand* exponentiellesDe32emes() {
    static const auto table = [] {
        struct {
            Tgrand v[33];
        } t;
        for (int j = -16; j <= 16; ++j) {
            Tgrand x = entier(j);
            x.e -= 5;
            t.v[j + 16] = expReduit(x);
        }
        return t;
    }();
    return table.v;
}

// e^a = 2^k e^r with r = a - k ln 2, |r| <= 0.35; the product k × ln2Haut
// and its difference with a are exact for |a| below 2^15 with 64 bits.
Treel80 expGrand(Tgrand a) {
    const int64_t k = entierProcheGrand(a * constante(0xb8aa3b295c17f0bb, 0xbe87fed0691d3e88, -127));   // 1/ln 2
    const Tgrand r = (a - entier(k) * ln2Haut) - entier(k) * ln2Bas;
    // e^r = e^(j/32) e^s with |s| <= 1/64: half the terms of the series.
    const int64_t j = entierProcheGrand(r * entier(32));
    Tgrand trenteDeuxiemes = entier(j);
    trenteDeuxiemes.e -= 5;
    Tgrand resultat = exponentiellesDe32emes()[j + 16] * expReduit(r - trenteDeuxiemes);
    resultat.e += static_cast<int32_t>(k);
    return versReel80(resultat);
}

// ln a for a finite a > 0: e ln 2 + 2 atanh((m - 1)/(m + 1)) with m in
// [sqrt(1/2), sqrt(2)[, the series 2t (1 + t^2/3 + t^4/5 + ...), t^2 < 0.03.
Tgrand lnGrand(Treel80 a) {
    Tgrand x = depuis(a);
    int32_t e = x.e + 127;
    x.e = -127;   // x = m in [1, 2[
    if (x.m > (u128{0xb504f333f9de6484} << 64)) {   // above sqrt(2)
        x.e -= 1;
        e += 1;
    }
    const Tgrand un = entier(1);
    const Tgrand t = (x - un) / (x + un);
    if (t.m == 0)
        return entier(e) * ln2;
    const Tgrand t2 = t * t;
    const Tcoefficients& c = coefficients();
    Tgrand somme = un;
    Tgrand puissance = un;
    for (int k = 1; k < nbCoefficients; ++k) {
        puissance = puissance * t2;
        const Tgrand terme = puissance * c.inverseImpair[k];
        if (terme.m == 0 || terme.e < -135 - 128)
            break;
        somme = somme + terme;
    }
    Tgrand resultat = t * somme;
    resultat.e += 1;
    return entier(e) * ln2 + resultat;
}

bool estInfini(Treel80 a) { return a.exposant() == 0x7fff && (a.m << 1) == 0; }

// The angle a (finite, |a| < 2^63) as r + q pi/2, |r| <= pi/4; returns q mod 4.
// Beyond pi/4, a × 2/pi is formed exactly from 384 bits of 2/pi (its error
// stays below 2^-320), so r keeps about 120 bits even next to a multiple of
// pi/2.
uint32_t reduireAngle(Treel80 a, Tgrand& r) {
    const Tgrand x = depuis(absolu(a));
    if (x.m == 0 || comparer(absolu(a), Treel80(0.78539816339744828)) < 0) {   // below pi/4 (rounded down)
        r = depuis(a);
        return 0;
    }
    // |a| = M × 2^E with 64 bits in M; E in [-64, -1].
    const uint64_t M = static_cast<uint64_t>(x.m >> 64);
    const int32_t E = x.e + 64;
    uint64_t produit[7] = {};
    for (int i = 0; i < 6; ++i) {
        const u128 p = u128{M} * deuxSurPi[i] + produit[i];
        produit[i] = static_cast<uint64_t>(p);
        produit[i + 1] = static_cast<uint64_t>(p >> 64);
    }
    const int32_t virgule = 384 - E;   // the bit of the units
    const auto bits = [&](int32_t position) -> uint64_t {
        const int32_t mot = position >> 6;
        const int decalage = position & 63;
        const uint64_t bas = mot < 7 ? produit[mot] : 0;
        const uint64_t haut = mot + 1 < 7 ? produit[mot + 1] : 0;
        return decalage ? (bas >> decalage) | (haut << (64 - decalage)) : bas;
    };
    uint32_t q = static_cast<uint32_t>(bits(virgule)) & 3;
    // 256 bits of the fraction, the highest word last.
    uint64_t f[4];
    for (int j = 0; j < 4; ++j)
        f[j] = bits(virgule - 256 + 64 * j);
    bool negatif = false;
    if (f[3] & bitFort) {   // past a half: the next multiple, from below
        q = (q + 1) & 3;
        negatif = true;
        unsigned retenue = 1;
        for (uint64_t& mot : f) {
            mot = ~mot + retenue;
            retenue = retenue && mot == 0;
        }
    }
    int j = 3;
    while (j > 0 && f[j] == 0)
        --j;
    if (f[j] == 0) {
        r = {};
    } else {
        const int z = std::countl_zero(f[j]);
        // The 128 bits from the leading one of f[j].
        const uint64_t w1 = j >= 1 ? f[j - 1] : 0;
        const uint64_t w2 = j >= 2 ? f[j - 2] : 0;
        const uint64_t haut = z ? (f[j] << z) | (w1 >> (64 - z)) : f[j];
        const uint64_t bas = z ? (w1 << z) | (w2 >> (64 - z)) : w1;
        // f[j] bit 63 weighs 2^(64 j + 63 - 256).
        const Tgrand fraction = {negatif, 64 * j + 63 - 256 - z - 127, (u128{haut} << 64) | bas};
        r = fraction * piSur2;
    }
    if (a.negatif())
        r = oppose(r);
    return a.negatif() ? (4 - q) & 3 : q;
}

// sin r and cos r for |r| <= pi/4: r (1 - r^2/3! + ...) and 1 - r^2/2! + ...
void sinCosReduits(Tgrand r, Tgrand& s, Tgrand& c) {
    const Tgrand un = entier(1);
    const Tgrand r2 = oppose(r * r);
    const Tcoefficients& k = coefficients();
    Tgrand sommeSin = un;
    Tgrand sommeCos = un;
    Tgrand puissance = un;
    for (int n = 2; n + 1 < nbCoefficients; n += 2) {
        puissance = puissance * r2;   // (-r^2)^k
        const Tgrand terme = puissance * k.inverseFactorielle[n];
        if (terme.m == 0 || terme.e < -135 - 128)
            break;
        sommeCos = sommeCos + terme;
        sommeSin = sommeSin + puissance * k.inverseFactorielle[n + 1];
    }
    s = r * sommeSin;
    c = sommeCos;
}

enum class Ttrigo { cosinus, sinus, tangente };

Treel80 trigo(Treel80 a, Ttrigo f) {
    if (a.estNan() || estInfini(a) || a.exposant() >= 16383 + 63)
        return indefini;
    if (a.estZero())
        return f == Ttrigo::cosinus ? Treel80(1.0) : a;
    Tgrand r;
    const uint32_t q = reduireAngle(a, r);
    Tgrand s, c;
    sinCosReduits(r, s, c);
    switch (f) {
    case Ttrigo::sinus: {
        const Tgrand v[4] = {s, c, oppose(s), oppose(c)};
        return versReel80(v[q]);
    }
    case Ttrigo::cosinus: {
        const Tgrand v[4] = {c, oppose(s), oppose(c), s};
        return versReel80(v[q]);
    }
    case Ttrigo::tangente:
        if (q & 1)
            return s.m == 0 ? indefini : versReel80(oppose(c / s));
        return versReel80(s / c);
    }
    return indefini;
}

} // namespace

Treel80 ln80(Treel80 a) {
    if (a.estNan() || (a.negatif() && !a.estZero()))
        return indefini;
    if (a.estZero())
        return -Treel80::depuisBits(0x7fff, bitFort);
    if (estInfini(a))
        return a;
    return versReel80(lnGrand(a));
}

Treel80 exp80(Treel80 a) {
    if (a.estNan())
        return indefini;
    if (a.exposant() >= 16383 + 15)   // |a| >= 32768: beyond either end
        return a.negatif() ? Treel80() : Treel80::depuisBits(0x7fff, bitFort);
    return expGrand(depuis(a));
}

Treel80 puissance80(Treel80 x, Treel80 y) {
    if (x.estNan() || y.estNan() || x.negatif() || x.estZero() || estInfini(x) || estInfini(y))
        return indefini;
    // Three real operations, each rounded to 64 bits as the x87 rounds them;
    // beyond 2^15 the product sends exp80 past either end.
    return exp80(ln80(x) * y);
}

Treel80 cos80(Treel80 a) { return trigo(a, Ttrigo::cosinus); }
Treel80 sin80(Treel80 a) { return trigo(a, Ttrigo::sinus); }
Treel80 tan80(Treel80 a) { return trigo(a, Ttrigo::tangente); }
