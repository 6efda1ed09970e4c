// Treel80: the 80-bit extended real of the x87, computed with integers so
// that every processor gives the same bits. A 64-bit significand with its
// leading bit explicit, a 15-bit exponent biased by 16383, denormals, and
// rounding to nearest with halves to even. The layout is the x87's, so a
// value compares bit for bit with the hardware's.
//
// The basic operations (+ - x / square root) are exact: each result is the
// true one rounded once. An invalid operation (0/0, inf - inf, the root of a
// negative) gives the x87's "indefinite" not-a-number.
#pragma once

#include "base/compatibilite.h"

#include <bit>
#include <cstdint>

struct Treel80 {
    uint64_t m = 0;     // significand, leading bit explicit (clear for zero and denormals)
    uint16_t se = 0;    // sign (bit 15) and biased exponent

    constexpr Treel80() = default;
    // Exact: every double and every 32-bit integer is a Treel80.
    constexpr Treel80(double x) : Treel80(depuisDouble(x)) {}
    constexpr Treel80(int32_t x) : Treel80(depuisEntier(x)) {}

    static constexpr Treel80 depuisBits(uint16_t se, uint64_t m) {
        Treel80 r;
        r.m = m;
        r.se = se;
        return r;
    }
    static constexpr Treel80 depuisDouble(double x);
    static constexpr Treel80 depuisEntier(int64_t x) {
        const uint64_t n = x < 0 ? 0 - static_cast<uint64_t>(x) : static_cast<uint64_t>(x);
        Treel80 r = depuisNaturel(n);
        r.se = static_cast<uint16_t>(r.se | (x < 0 ? 0x8000 : 0));
        return r;
    }
    static constexpr Treel80 depuisNaturel(uint64_t n) {
        if (n == 0)
            return Treel80();
        const int decalage = std::countl_zero(n);
        return depuisBits(static_cast<uint16_t>(16383 + 63 - decalage), n << decalage);
    }

    // The nearest double (halves to even, denormals, infinities beyond).
    explicit operator double() const;

    constexpr bool negatif() const { return se >> 15; }
    constexpr uint16_t exposant() const { return se & 0x7fff; }
    constexpr bool estNan() const { return exposant() == 0x7fff && (m << 1) != 0; }
    constexpr bool estZero() const { return exposant() == 0 && m == 0; }
};

Treel80 operator+(Treel80 a, Treel80 b);
Treel80 operator-(Treel80 a, Treel80 b);
Treel80 operator*(Treel80 a, Treel80 b);
Treel80 operator/(Treel80 a, Treel80 b);
constexpr Treel80 operator-(Treel80 a) { return Treel80::depuisBits(static_cast<uint16_t>(a.se ^ 0x8000), a.m); }
inline Treel80& operator+=(Treel80& a, Treel80 b) { return a = a + b; }
inline Treel80& operator*=(Treel80& a, Treel80 b) { return a = a * b; }

// -1, 0 or 1 as a is below, equal to or above b; 2 when either is not a
// number (every comparison is then false but !=).
int comparer(Treel80 a, Treel80 b);
inline bool operator<(Treel80 a, Treel80 b) { return comparer(a, b) == -1; }
inline bool operator>(Treel80 a, Treel80 b) { return comparer(a, b) == 1; }
inline bool operator<=(Treel80 a, Treel80 b) { const int c = comparer(a, b); return c == -1 || c == 0; }
inline bool operator>=(Treel80 a, Treel80 b) { const int c = comparer(a, b); return c == 1 || c == 0; }
inline bool operator==(Treel80 a, Treel80 b) { return comparer(a, b) == 0; }

constexpr Treel80 absolu(Treel80 a) { return Treel80::depuisBits(static_cast<uint16_t>(a.se & 0x7fff), a.m); }
Treel80 racine(Treel80 a);
// The integer toward zero, and the nearest integer (halves to even); the
// sign of a zero result is the operand's.
Treel80 tronque(Treel80 a);
Treel80 entierProche(Treel80 a);
// An integral value within the signed 64-bit range, as an integer.
int64_t versEntier64(Treel80 a);
// sig × 2^e rounded once to a Treel80 (halves to even), sig nonzero: the
// last step of every operation. The lowest bit of sig may stand for lost
// nonzero bits if the rounding point lies at least two bits above it.
Treel80 arrondirReel80(bool negatif, int32_t e, unsigned __int128 sig);

constexpr Treel80 Treel80::depuisDouble(double x) {
    const uint64_t b = bitsEnType<uint64_t>(x);
    const uint16_t signe = static_cast<uint16_t>((b >> 63) << 15);
    const uint32_t e = static_cast<uint32_t>(b >> 52) & 0x7ff;
    const uint64_t f = b & ((uint64_t{1} << 52) - 1);
    if (e == 0x7ff)   // an infinity, or a not-a-number made quiet
        return depuisBits(static_cast<uint16_t>(signe | 0x7fff), (uint64_t{1} << 63) | (f << 11) | (f ? uint64_t{1} << 62 : 0));
    if (e == 0) {
        if (f == 0)
            return depuisBits(signe, 0);
        const int decalage = std::countl_zero(f);   // a denormal double is a normal Treel80
        return depuisBits(static_cast<uint16_t>(signe | (16383 - 1022 - (decalage - 11))), f << decalage);
    }
    return depuisBits(static_cast<uint16_t>(signe | (e - 1023 + 16383)), (uint64_t{1} << 63) | (f << 11));
}
