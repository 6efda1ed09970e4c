// Numeric helpers of the evaluator: 32-bit integers that wrap around, the
// store of a real result, and the functions whose rules are the language's
// own (integer part, rounding, factorial, primality, powers).
//
// Real results are computed in long double (80-bit extended on x86-64) and
// rounded once to a double when stored. No trap is enabled: a failure is
// found by testing operands and results, which costs a compare and a branch
// where reading the floating-point status would cost a status store and a
// clear around every operation.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Every real result depends on the x87 extended format: 64-bit significand,
// 15-bit exponent. A compiler whose long double is a plain double (Microsoft's),
// or IEEE binary128, would print other digits, so it cannot build Trevane.
static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384,
              "Trevane a besoin du long double x87 de 80 bits (mantisse de 64 bits) : "
              "ce compilateur ne le fournit pas (sous Windows, prendre MinGW-w64, pas MSVC)");

// 32-bit two's-complement arithmetic, wrapping around without error.
inline int32_t plusEntier(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t moinsEntier(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t foisEntier(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}
// -(-2^31) stays -2^31.
inline int32_t opposeEntier(int32_t a) { return static_cast<int32_t>(0u - static_cast<uint32_t>(a)); }
// |-2^31| stays -2^31.
inline int32_t absEntier(int32_t a) { return a < 0 ? opposeEntier(a) : a; }

// True when the truncated division of a by b cannot be made: a zero divisor,
// or -2^31 / -1 whose quotient leaves the 32-bit range.
inline bool divisionImpossible(int32_t a, int32_t b) {
    return b == 0 || (a == std::numeric_limits<int32_t>::min() && b == -1);
}

// Rounds an extended result to the double to store. False when it does not
// round to a finite double (beyond about 1.8e308, or not a number); a result
// too small for a normal double becomes a denormal or zero.
inline bool versDouble(long double valeur, double& resultat) {
    if constexpr (std::numeric_limits<long double>::digits > std::numeric_limits<double>::digits) {
        // 2^1024 - 2^970: halfway between the largest double and 2^1024, from
        // where rounding to nearest gives an infinity.
        if (!(std::fabs(valeur) < 0x1.fffffffffffff8p1023L))
            return false;
    } else {
        if (!(std::fabs(valeur) <= std::numeric_limits<double>::max()))
            return false;
    }
    resultat = static_cast<double>(valeur);
    return true;
}

// "=" between reals: the difference, in extended precision, below 1e-15.
inline bool egalReels(double a, double b) {
    return std::fabs(static_cast<long double>(a) - static_cast<long double>(b)) < 1e-15L;
}

// E(x): the nearest integer to x - 0.5 + 1e-10 (halves to even), formed in
// 64 bits and cut to its low 32 bits. False beyond the 64-bit range.
bool partieEntiere(double x, int32_t& resultat);

// x rounded to n decimals: n products by 10 (each a double), the nearest
// integer (halves to even), then n quotients by 10. False when a product
// overflows or the integer leaves the 64-bit range.
bool arrondir(double x, int32_t n, double& resultat);

// n! on 32 bits with wrap-around; 1 for n < 2.
int32_t factorielle(int32_t n);

// The primality test of "premier" (false below 2).
bool estPremier(int32_t n);

// x^n by square and multiply in extended precision; 1 for n = 0. False for
// a zero power with a negative exponent.
bool puissanceEntiere(double x, int32_t n, long double& resultat);

// x^y for a real y: a whole y within 32 bits goes to `puissanceEntiere`,
// otherwise e^(y ln x), false for x <= 0.
bool puissanceReelle(double x, double y, long double& resultat);
