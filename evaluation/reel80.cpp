#include "evaluation/reel80.h"

#include <utility>

namespace {

using u128 = unsigned __int128;

constexpr int32_t biais = 16383;
constexpr uint16_t exposantMax = 0x7fff;
constexpr uint64_t bitFort = uint64_t{1} << 63;
// The x87's answer to an invalid operation.
constexpr Treel80 indefini = Treel80::depuisBits(0xffff, uint64_t{3} << 62);

// A finite nonzero value as m × 2^e with the leading bit of m at bit 63.
struct Tdecompose {
    uint64_t m;
    int32_t e;
};

Tdecompose decomposer(Treel80 a) {
    const int32_t champ = a.exposant();
    if (champ == 0) {   // denormal: the exponent of the smallest normal
        const int decalage = std::countl_zero(a.m);
        return {a.m << decalage, 1 - biais - 63 - decalage};
    }
    return {a.m, champ - biais - 63};
}

constexpr Treel80 infini(bool negatif) { return Treel80::depuisBits(static_cast<uint16_t>((negatif ? 0x8000 : 0) | exposantMax), bitFort); }
constexpr Treel80 zero(bool negatif) { return Treel80::depuisBits(negatif ? 0x8000 : 0, 0); }
constexpr bool estInfini(Treel80 a) { return a.exposant() == exposantMax && (a.m << 1) == 0; }

// (haut × 2^64 + bas) / v and its remainder, for v with its bit 63 set and
// haut below v, so that the quotient holds in 64 bits: two divisions of 64
// bits by 32, each quotient digit corrected at most twice (Knuth's algorithm
// D in base 2^32). A 128-bit division is a call of the C library's, and in
// WebAssembly a general one, bit by bit.
uint64_t divisionLongue(uint64_t haut, uint64_t bas, uint64_t v, uint64_t& reste) {
    constexpr uint64_t base = uint64_t{1} << 32;
    const uint64_t v1 = v >> 32, v0 = v & (base - 1);
    // One digit of the quotient: n, three digits, by v.
    const auto chiffre = [&](uint64_t n21, uint64_t n0) {
        uint64_t q = n21 / v1;
        uint64_t r = n21 - q * v1;
        while (q >= base || q * v0 > (r << 32) + n0) {
            --q;
            r += v1;
            if (r >= base)
                break;
        }
        return q;
    };
    const uint64_t q1 = chiffre(haut, bas >> 32);
    const uint64_t n21 = (haut << 32) + (bas >> 32) - q1 * v;   // below v, modulo 2^64
    const uint64_t q0 = chiffre(n21, bas & (base - 1));
    reste = (n21 << 32) + (bas & (base - 1)) - q0 * v;
    return (q1 << 32) + q0;
}

int bitLePlusHaut(u128 x) {
    const auto haut = static_cast<uint64_t>(x >> 64);
    return haut ? 127 - std::countl_zero(haut) : 63 - std::countl_zero(static_cast<uint64_t>(x));
}

} // namespace

Treel80 arrondirReel80(bool negatif, int32_t e, u128 sig) {
    const int p = bitLePlusHaut(sig);
    int32_t champ = e + p + biais;   // the biased exponent, if the result is normal
    const int32_t decalage = champ >= 1 ? p - 63 : -(biais + 62) - e;
    uint64_t q;
    if (decalage <= 0) {
        q = static_cast<uint64_t>(sig << -decalage);
    } else if (decalage >= 128) {
        // Below a unit of the last place; from 2^127, sig may pass the half.
        q = decalage == 128 && sig > (u128{1} << 127) ? 1 : 0;
    } else {
        q = static_cast<uint64_t>(sig >> decalage);
        const u128 reste = sig & ((u128{1} << decalage) - 1);
        const u128 moitie = u128{1} << (decalage - 1);
        if (reste > moitie || (reste == moitie && (q & 1))) {
            ++q;
            if (q == 0) {   // carried out of the significand
                q = bitFort;
                ++champ;
            }
        }
    }
    if (champ < 1)   // denormal, or the smallest normal reached by rounding up
        champ = q >> 63;
    if (champ >= exposantMax)
        return infini(negatif);
    return Treel80::depuisBits(static_cast<uint16_t>((negatif ? 0x8000 : 0) | champ), q);
}

namespace {

u128 racineEntiere(u128 n, u128& reste) {
    u128 r = 0;
    u128 bit = u128{1} << 126;
    while (bit > n)
        bit >>= 2;
    while (bit != 0) {
        if (n >= r + bit) {
            n -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
        bit >>= 2;
    }
    reste = n;
    return r;
}

} // namespace

Treel80::operator double() const {
    const uint64_t signe = static_cast<uint64_t>(negatif()) << 63;
    if (exposant() == exposantMax) {
        if (estNan())
            return bitsEnType<double>(signe | (uint64_t{0x7ff} << 52) | (uint64_t{1} << 51) | ((m << 1) >> 12));
        return bitsEnType<double>(signe | (uint64_t{0x7ff} << 52));
    }
    if (estZero())
        return bitsEnType<double>(signe);
    const Tdecompose a = decomposer(*this);
    int32_t champ = a.e + 63 + 1023;
    const int32_t decalage = champ >= 1 ? 11 : 11 + 1 - champ;
    uint64_t q;
    if (decalage >= 64) {
        q = decalage == 64 && a.m > bitFort ? 1 : 0;
    } else {
        q = a.m >> decalage;
        const uint64_t reste = a.m & ((uint64_t{1} << decalage) - 1);
        const uint64_t moitie = uint64_t{1} << (decalage - 1);
        if (reste > moitie || (reste == moitie && (q & 1)))
            ++q;
        if (q >> 53) {
            q >>= 1;
            ++champ;
        }
    }
    if (champ < 1)
        champ = static_cast<int32_t>(q >> 52);
    if (champ >= 0x7ff)
        return bitsEnType<double>(signe | (uint64_t{0x7ff} << 52));
    return bitsEnType<double>(signe | (static_cast<uint64_t>(champ) << 52) | (q & ((uint64_t{1} << 52) - 1)));
}

Treel80 operator+(Treel80 a, Treel80 b) {
    if (a.estNan() || b.estNan())
        return indefini;
    if (estInfini(a) || estInfini(b)) {
        if (estInfini(a) && estInfini(b) && a.negatif() != b.negatif())
            return indefini;
        return estInfini(a) ? a : b;
    }
    if (a.estZero())
        return b.estZero() ? zero(a.negatif() && b.negatif()) : b;
    if (b.estZero())
        return a;
    Tdecompose x = decomposer(a);
    Tdecompose y = decomposer(b);
    bool negatif = a.negatif();
    if (y.e > x.e || (y.e == x.e && y.m > x.m)) {
        std::swap(x, y);
        negatif = b.negatif();
    }
    // The larger at bit 126, the smaller shifted below it; bits shifted out
    // of the 128 become one lowest bit.
    const u128 grand = u128{x.m} << 63;
    const int32_t ecart = x.e - y.e;
    u128 petit = u128{y.m} << 63;
    if (ecart >= 127) {
        petit = 1;
    } else if (ecart > 0) {
        const u128 decale = petit >> ecart;
        petit = decale | ((decale << ecart) != petit ? 1 : 0);
    }
    if (a.negatif() == b.negatif())
        return arrondirReel80(negatif, x.e - 63, grand + petit);
    const u128 difference = grand - petit;
    if (difference == 0)
        return zero(false);
    return arrondirReel80(negatif, x.e - 63, difference);
}

Treel80 operator-(Treel80 a, Treel80 b) {
    if (b.estNan())
        return indefini;
    return a + -b;
}

Treel80 operator*(Treel80 a, Treel80 b) {
    const bool negatif = a.negatif() != b.negatif();
    if (a.estNan() || b.estNan())
        return indefini;
    if (estInfini(a) || estInfini(b)) {
        if (a.estZero() || b.estZero())
            return indefini;
        return infini(negatif);
    }
    if (a.estZero() || b.estZero())
        return zero(negatif);
    const Tdecompose x = decomposer(a);
    const Tdecompose y = decomposer(b);
    return arrondirReel80(negatif, x.e + y.e, u128{x.m} * y.m);
}

Treel80 operator/(Treel80 a, Treel80 b) {
    const bool negatif = a.negatif() != b.negatif();
    if (a.estNan() || b.estNan())
        return indefini;
    if (estInfini(a))
        return estInfini(b) ? indefini : infini(negatif);
    if (estInfini(b))
        return zero(negatif);
    if (b.estZero())
        return a.estZero() ? indefini : infini(negatif);
    if (a.estZero())
        return zero(negatif);
    const Tdecompose x = decomposer(a);
    const Tdecompose y = decomposer(b);
    // 65 bits of quotient (x.m < 2 y.m), then 62 more and whether anything
    // remains.
    const bool bit64 = x.m >= y.m;
    uint64_t r1, r2;
    const uint64_t q1 = divisionLongue(bit64 ? x.m - y.m : x.m, 0, y.m, r1);
    const uint64_t q2 = divisionLongue(r1, 0, y.m, r2);
    const bool resteNonNul = (q2 & 3) != 0 || r2 != 0;
    const u128 sig = (u128{bit64} << 126) | (u128{q1} << 62) | (q2 >> 2) | (resteNonNul ? 1 : 0);
    return arrondirReel80(negatif, x.e - y.e - 64 - 62, sig);
}

Treel80 racine(Treel80 a) {
    if (a.estNan())
        return indefini;
    if (a.estZero())
        return a;
    if (a.negatif())
        return indefini;
    if (estInfini(a))
        return a;
    const Tdecompose x = decomposer(a);
    // An even exponent, and 127 or 128 bits under the root: 64 bits of root.
    const int decalage = (x.e & 1) ? 63 : 64;
    const u128 n = u128{x.m} << decalage;
    u128 reste;
    const u128 r = racineEntiere(n, reste);
    // The root is never a halfway point: above r + 1/2 exactly when the
    // remainder passes r.
    const u128 sig = (r << 2) | (reste > r ? 3 : (reste != 0 ? 1 : 0));
    return arrondirReel80(false, (x.e - decalage) / 2 - 2, sig);
}

int comparer(Treel80 a, Treel80 b) {
    if (a.estNan() || b.estNan())
        return 2;
    if (a.estZero() && b.estZero())
        return 0;
    if (a.negatif() != b.negatif())
        return a.negatif() ? -1 : 1;
    const u128 ca = (u128{a.exposant()} << 64) | a.m;
    const u128 cb = (u128{b.exposant()} << 64) | b.m;
    const int c = ca < cb ? -1 : (ca > cb ? 1 : 0);
    return a.negatif() ? -c : c;
}

Treel80 tronque(Treel80 a) {
    if (a.exposant() >= biais + 63)   // already whole, or not finite
        return a;
    if (a.exposant() < biais)
        return zero(a.negatif());
    const int fraction = 63 - (a.exposant() - biais);
    return Treel80::depuisBits(a.se, a.m & ~((uint64_t{1} << fraction) - 1));
}

Treel80 entierProche(Treel80 a) {
    if (a.exposant() >= biais + 63)
        return a;
    if (a.exposant() < biais - 1)   // below a half
        return zero(a.negatif());
    const int fraction = 63 - (a.exposant() - biais);   // 1 to 64 bits
    uint64_t q;
    if (fraction == 64) {
        q = a.m > bitFort ? 1 : 0;
    } else {
        q = a.m >> fraction;
        const uint64_t reste = a.m & ((uint64_t{1} << fraction) - 1);
        const uint64_t moitie = uint64_t{1} << (fraction - 1);
        if (reste > moitie || (reste == moitie && (q & 1)))
            ++q;
    }
    Treel80 r = Treel80::depuisNaturel(q);
    r.se = static_cast<uint16_t>(r.se | (a.se & 0x8000));
    return r;
}

int64_t versEntier64(Treel80 a) {
    if (a.estZero() || a.exposant() < biais)
        return 0;
    const uint64_t n = a.m >> (63 - (a.exposant() - biais));
    return a.negatif() ? static_cast<int64_t>(0 - n) : static_cast<int64_t>(n);
}
