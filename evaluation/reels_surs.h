// Real arithmetic in doubles, for the cases where it provably gives what the
// extended computation gives: the exact result rounded to 64 bits
// (x87 extended precision), then to a double. The two roundings differ from
// one rounding only when the extended result lands on the midpoint between
// two doubles, so each function finds the exact error of the double result
// and answers only when that error keeps clear of the midpoints; otherwise
// (or near the ends of the double range) it returns false and the caller
// computes in extended precision. The exact errors need each operation
// rounded on its own: the build keeps the compiler from fusing a product
// with a sum (-ffp-contract=off). The x87 path costs a store and a reload
// per result on a dependency chain; this one stays in SSE registers.
#pragma once

#include <cmath>
#include <cstdint>

// Every function here inline: in WebAssembly the engine's loop must make no
// call (execution/moteur/moteur.cpp), so there it is forced.
#if defined(__wasm__)
#define TREVANE_REEL_SUR [[gnu::always_inline]] inline
#else
#define TREVANE_REEL_SUR inline
#endif

namespace reels {

// s is the double nearest to the exact result s + erreur. Rounding that
// result to 64 bits moves it by at most 2^-12 of the spacing of doubles
// around s, so the second rounding gives s too unless erreur lies within that
// of half the spacing. Hence the test: s + erreur stretched by 2^-9 still
// rounds to s. The rounding of that sum knows the spacing on erreur's side
// (half as wide below a power of two), and an exact midpoint fails it.
// s must be finite (an infinite s passes any finite erreur).
constexpr double etirement = 1 + 0x1p-9;
TREVANE_REEL_SUR bool loinDuMilieu(double s, double erreur) { return s + erreur * etirement == s; }

// x with the bits outside `masque` cleared, without leaving the
// floating-point registers (a vector of one, in the compiler's extension).
TREVANE_REEL_SUR double masquer(double x, uint64_t masque) {
    typedef double Tdouble2 __attribute__((vector_size(16)));
    typedef uint64_t Tbits2 __attribute__((vector_size(16)));
    const Tdouble2 v = {x, 0};
    const Tbits2 m = {masque, 0};
    return reinterpret_cast<Tdouble2>(reinterpret_cast<Tbits2>(v) & m)[0];
}

// Products and quotients of doubles are split exactly only away from the
// ends of the double range: operands and results between 2^-900 and 2^900
// (a zero aside) leave every partial product normal and finite.
TREVANE_REEL_SUR bool dansLaPlage(double x) {
    const double m = std::fabs(x);
    return m >= 0x1p-900 && m <= 0x1p900;
}

// a × b exactly as p + erreur (Dekker), for a and b within the range.
TREVANE_REEL_SUR void produitExact(double a, double b, double& p, double& erreur) {
    constexpr double scission = 0x1p27 + 1;
    p = a * b;
    const double ca = scission * a;
    const double ah = ca - (ca - a);
    const double al = a - ah;
    const double cb = scission * b;
    const double bh = cb - (cb - b);
    const double bl = b - bh;
    erreur = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

// a + b and its exact error, exact even among denormals. Operands are
// finite; a sum beyond the range gives an infinite s, an error that is
// infinite or not a number, and false.
TREVANE_REEL_SUR bool somme(double a, double b, double& resultat) {
    const double s = a + b;
    // Dekker's: the error is exact when taken from the operand larger in size.
    const double erreur = std::fabs(a) >= std::fabs(b) ? b - (s - a) : a - (s - b);
    resultat = s;
    return loinDuMilieu(s, erreur);
}

TREVANE_REEL_SUR bool difference(double a, double b, double& resultat) { return somme(a, -b, resultat); }

TREVANE_REEL_SUR bool produit(double a, double b, double& resultat) {
    if (a == 0 || b == 0) {
        resultat = a * b;   // an exact zero with its sign
        return true;
    }
    if (!dansLaPlage(a) || !dansLaPlage(b) || !dansLaPlage(a * b))
        return false;
    double p, erreur;
    produitExact(a, b, p, erreur);
    resultat = p;
    return loinDuMilieu(p, erreur);
}

// The quotient q of a by b is off by reste / b, where reste = a - q b is
// found exactly. Compared without a second division: against half the
// spacing at q, 2^-53 of the power of two at or below |q|. For a power of
// two q that is twice the spacing underneath, which does no harm: a tie
// there goes to the even neighbour, q itself.
TREVANE_REEL_SUR bool quotientLoinDuMilieu(double q, double b, double reste) {
    constexpr uint64_t exposantSeul = uint64_t{0x7ff} << 52;
    return std::fabs(reste) * (0x1p53 * etirement) < std::fabs(b) * masquer(q, exposantSeul);
}

// a - q b exactly, for a, b and their quotient q within the range: q b is
// within an ulp of a, and the exact remainder of a division is a double.
TREVANE_REEL_SUR double resteReel(double a, double q, double b) {
    double p, erreur;
    produitExact(q, b, p, erreur);
    return (a - p) - erreur;
}

// a / b for b not zero.
TREVANE_REEL_SUR bool quotient(double a, double b, double& resultat) {
    if (a == 0) {
        resultat = a / b;
        return true;
    }
    const double q = a / b;
    if (!dansLaPlage(a) || !dansLaPlage(b) || !dansLaPlage(q))
        return false;
    resultat = q;
    return quotientLoinDuMilieu(q, b, resteReel(a, q, b));
}

// q b exactly as qh b + ql b, for an integer b up to 2^26 in size: q cut
// into its first 26 bits and the other 27, each part times b fits in a
// double. qh b is within 2^-25 of a, so a - qh b is exact too, and so is
// the remainder (q at least 2^-900 keeps the products normal).
TREVANE_REEL_SUR double resteEntier(double a, double q, double b) {
    const double qh = masquer(q, ~((uint64_t{1} << 27) - 1));
    const double ql = q - qh;
    return (a - qh * b) - ql * b;
}
constexpr uint32_t limiteDiviseur = 1u << 26;
TREVANE_REEL_SUR bool diviseurCourt(int32_t b) { return static_cast<uint32_t>(b) + limiteDiviseur <= 2 * limiteDiviseur; }

// a / b for an integer b, not zero. q at least 2^-900 keeps the halves'
// products normal (a zero a fails there and takes the extended path); a q
// too large to split gives NaNs and fails.
TREVANE_REEL_SUR bool quotient(double a, int32_t b, double& resultat) {
    if (!diviseurCourt(b))
        return quotient(a, static_cast<double>(b), resultat);
    const double bd = b;
    const double q = a / bd;
    resultat = q;
    return std::fabs(q) >= 0x1p-900 && quotientLoinDuMilieu(q, bd, resteEntier(a, q, bd));
}

// Integer operands: a sum or difference is exact in a double, a product is
// when it stays within 2^53 (a zero product keeps the sign the reals give it).
TREVANE_REEL_SUR bool somme(int32_t a, int32_t b, double& resultat) {
    resultat = static_cast<double>(int64_t{a} + b);
    return true;
}
TREVANE_REEL_SUR bool difference(int32_t a, int32_t b, double& resultat) {
    resultat = static_cast<double>(int64_t{a} - b);
    return true;
}
TREVANE_REEL_SUR bool produit(int32_t a, int32_t b, double& resultat) {
    const int64_t p = int64_t{a} * b;
    constexpr int64_t limite = int64_t{1} << 53;
    if (p >= -limite && p <= limite && p != 0) {
        resultat = static_cast<double>(p);
        return true;
    }
    return produit(static_cast<double>(a), static_cast<double>(b), resultat);
}
// Integers: the quotient is 0 or at least 2^-26, within the range.
TREVANE_REEL_SUR bool quotient(int32_t a, int32_t b, double& resultat) {
    if (!diviseurCourt(b))
        return quotient(static_cast<double>(a), static_cast<double>(b), resultat);
    const double ad = a;
    const double bd = b;
    const double q = ad / bd;
    resultat = q;
    return quotientLoinDuMilieu(q, bd, resteEntier(ad, q, bd));
}

// "=" between reals (evaluation/calculs.h, egalReels): the extended
// difference below 1e-15. The double difference is within 2^-52 of it in
// relative terms, so away from the bound it gives the same answer: 1 equal,
// 0 not, -1 too close to tell (or not a number).
TREVANE_REEL_SUR int egaliteDecidee(double a, double b) {
    const double ecart = std::fabs(a - b);
    if (ecart < 0.999e-15)
        return 1;
    if (ecart > 1.001e-15)
        return 0;
    return -1;
}

// Mixed operands: as reals.
template <typename A, typename B>
TREVANE_REEL_SUR bool somme(A a, B b, double& resultat) { return somme(static_cast<double>(a), static_cast<double>(b), resultat); }
template <typename A, typename B>
TREVANE_REEL_SUR bool difference(A a, B b, double& resultat) { return difference(static_cast<double>(a), static_cast<double>(b), resultat); }
template <typename A, typename B>
TREVANE_REEL_SUR bool produit(A a, B b, double& resultat) { return produit(static_cast<double>(a), static_cast<double>(b), resultat); }
template <typename A, typename B>
TREVANE_REEL_SUR bool quotient(A a, B b, double& resultat) { return quotient(static_cast<double>(a), static_cast<double>(b), resultat); }

} // namespace reels
