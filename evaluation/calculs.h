// Numeric helpers of the evaluator: 32-bit integers that wrap around, the
// store of a real result, and the functions whose rules are the language's
// own (integer part, rounding, factorial, primality, powers).
//
// Real results are computed in 80-bit extended precision (Tetendu,
// evaluation/reel_etendu.h) and rounded once to a double when stored. No trap is enabled: a failure is
// found by testing operands and results, which costs a compare and a branch
// where reading the floating-point status would cost a status store and a
// clear around every operation.
#pragma once

#include "evaluation/reel_etendu.h"

#include <cmath>
#include <cstdint>
#include <limits>

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
inline bool versDouble(Tetendu valeur, double& resultat) {
#ifdef TREVANE_ETENDU_PORTABLE
    // The portable conversion gives an infinity from the same point.
    const double arrondi = static_cast<double>(valeur);
    if (!std::isfinite(arrondi))
        return false;
    resultat = arrondi;
    return true;
#else
    // 2^1024 - 2^970: halfway between the largest double and 2^1024, from
    // where rounding to nearest gives an infinity.
    if (!(std::fabs(valeur) < 0x1.fffffffffffff8p1023L))
        return false;
    resultat = static_cast<double>(valeur);
    return true;
#endif
}

// "=" between reals: the difference, in extended precision, below 1e-15.
inline bool egalReels(double a, double b) {
    return absolu(Tetendu(a) - Tetendu(b)) < unMilliardieme15;
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
bool puissanceEntiere(double x, int32_t n, Tetendu& resultat);

// x^y for a real y: a whole y within 32 bits goes to `puissanceEntiere`,
// otherwise e^(y ln x) rounded once, false for x <= 0.
bool puissanceReelle(double x, double y, Tetendu& resultat);
