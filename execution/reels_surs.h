// Real arithmetic of the engine in doubles, for the cases where it provably
// gives what the evaluator gives: the exact result rounded to 64 bits
// (x87 extended precision), then to a double. The two roundings differ from
// one rounding only when the extended result lands on the midpoint between
// two doubles, so each function finds the exact error of the double result
// and answers only when that error keeps clear of the midpoints; otherwise
// (or near the ends of the double range) it returns false and the caller
// computes in extended precision. The x87 path costs a store and a reload
// per result on a dependency chain; this one stays in SSE registers.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace reels {

constexpr uint64_t masqueMantisse = (uint64_t{1} << 52) - 1;
// Results below 2^-900 or above 2^900 (biased exponents) go the long way,
// so that no product below underflows or overflows.
constexpr uint64_t exposantMin = 1023 - 900;
constexpr uint64_t exposantMax = 1023 + 900;

// True when `s`, the double nearest to s + erreur (|erreur| at most half an
// ulp of s), is also what rounding s + erreur to 64 bits then to 53 gives:
// no error, or s not a power of two (equal spacing on both sides) and the
// error short of half an ulp by more than a 64-bit ulp.
inline bool loinDuMilieu(double s, double erreur) {
    if (erreur == 0)
        return true;
    // An infinite s leaves a NaN error and fails on its exponent.
    const uint64_t bits = std::bit_cast<uint64_t>(s) & ~(uint64_t{1} << 63);
    const uint64_t exposant = bits >> 52;
    if ((bits & masqueMantisse) == 0 || exposant - exposantMin > exposantMax - exposantMin)
        return false;
    const double ulp = std::bit_cast<double>((exposant - 52) << 52);
    return std::fabs(erreur) < ulp * (0.5 - 0x1p-11);
}

// a and b within the range where the splitting of a product is exact.
inline bool dansLaPlage(double x) {
    const uint64_t exposant = (std::bit_cast<uint64_t>(x) >> 52) & 0x7ff;
    return exposant - exposantMin <= exposantMax - exposantMin;
}

// a × b exactly as p + erreur (Dekker), for a and b within the range.
inline void produitExact(double a, double b, double& p, double& erreur) {
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

// a + b (Knuth's exact error). Operands are finite.
inline bool somme(double a, double b, double& resultat) {
    const double s = a + b;
    const double bv = s - a;
    const double erreur = (a - (s - bv)) + (b - bv);
    resultat = s;
    return loinDuMilieu(s, erreur);
}

inline bool difference(double a, double b, double& resultat) { return somme(a, -b, resultat); }

inline bool produit(double a, double b, double& resultat) {
    if (a == 0 || b == 0) {
        resultat = a * b;   // an exact zero with its sign
        return true;
    }
    // The operands and the product within the range: no step of the exact
    // product underflows or overflows.
    if (!dansLaPlage(a) || !dansLaPlage(b) || !dansLaPlage(a * b))
        return false;
    double p, erreur;
    produitExact(a, b, p, erreur);
    resultat = p;
    return loinDuMilieu(p, erreur);
}

// True when |reste / b| falls short of half an ulp of q by 2^-10 ulp (the
// rounding of the product on the right is far below that margin) and q is
// neither a power of two nor outside the range.
inline bool quotientLoinDuMilieu(double q, double b, double reste) {
    const uint64_t bits = std::bit_cast<uint64_t>(q) & ~(uint64_t{1} << 63);
    const uint64_t exposant = bits >> 52;
    if ((bits & masqueMantisse) == 0 || exposant - exposantMin > exposantMax - exposantMin)
        return false;
    const double ulp = std::bit_cast<double>((exposant - 52) << 52);
    return std::fabs(reste) < std::fabs(b) * (ulp * (0.5 - 0x1p-10));
}

// a / b for b not zero. The remainder a - q b is a double, found exactly;
// the quotient's error is remainder / b.
inline bool quotient(double a, double b, double& resultat) {
    if (a == 0) {
        resultat = a / b;
        return true;
    }
    const double q = a / b;
    if (!dansLaPlage(a) || !dansLaPlage(b) || !dansLaPlage(q))
        return false;
    double p, erreur;
    produitExact(q, b, p, erreur);
    resultat = q;
    return quotientLoinDuMilieu(q, b, (a - p) - erreur);
}

// a / b for an integer b, not zero. Up to 2^26 in size, b times either half
// of q (split in 26 and 27 bits) is exact, which makes the remainder cheap.
inline bool quotient(double a, int32_t b, double& resultat) {
    constexpr uint32_t limite = 1u << 26;
    if (static_cast<uint32_t>(b) + limite > 2 * limite)
        return quotient(a, static_cast<double>(b), resultat);
    // With q within the range (checked last), so is a (q b): nothing here
    // underflows or overflows. A zero a fails there and takes the extended path.
    const double bd = b;
    const double q = a / bd;
    constexpr double scission = 0x1p27 + 1;
    const double c = scission * q;
    const double qh = c - (c - q);
    const double ql = q - qh;
    resultat = q;
    return quotientLoinDuMilieu(q, bd, (a - qh * bd) - ql * bd);
}

// Integer operands: a sum or difference is exact in a double, a product is
// when it stays within 2^53 (a zero product keeps the sign the reals give it).
inline bool somme(int32_t a, int32_t b, double& resultat) {
    resultat = static_cast<double>(int64_t{a} + b);
    return true;
}
inline bool difference(int32_t a, int32_t b, double& resultat) {
    resultat = static_cast<double>(int64_t{a} - b);
    return true;
}
inline bool produit(int32_t a, int32_t b, double& resultat) {
    const int64_t p = int64_t{a} * b;
    constexpr int64_t limite = int64_t{1} << 53;
    if (p >= -limite && p <= limite && p != 0) {
        resultat = static_cast<double>(p);
        return true;
    }
    return produit(static_cast<double>(a), static_cast<double>(b), resultat);
}
inline bool quotient(int32_t a, int32_t b, double& resultat) { return quotient(static_cast<double>(a), b, resultat); }

// Mixed operands: as reals.
template <typename A, typename B>
inline bool somme(A a, B b, double& resultat) { return somme(static_cast<double>(a), static_cast<double>(b), resultat); }
template <typename A, typename B>
inline bool difference(A a, B b, double& resultat) { return difference(static_cast<double>(a), static_cast<double>(b), resultat); }
template <typename A, typename B>
inline bool produit(A a, B b, double& resultat) { return produit(static_cast<double>(a), static_cast<double>(b), resultat); }
template <typename A, typename B>
inline bool quotient(A a, B b, double& resultat) { return quotient(static_cast<double>(a), static_cast<double>(b), resultat); }

} // namespace reels
