#include "evaluation/calculs.h"

namespace {

// The signed 64-bit range, as bounds of an integral extended real.
constexpr Tetendu moins2p63 = -0x1p63;
constexpr Tetendu plus2p63 = 0x1p63;

} // namespace

bool partieEntiere(double x, int32_t& resultat) {
    const Tetendu entier = entierProche(Tetendu(x) - Tetendu(0.5) + unDixMilliardieme);
    if (!(entier >= moins2p63 && entier < plus2p63))
        return false;
    resultat = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(versEntier64(entier))));
    return true;
}

bool arrondir(double x, int32_t n, double& resultat) {
    // Zero stays zero; any other value overflows within about 950 products,
    // which bounds the loops below whatever n is.
    if (x == 0.0) {
        resultat = 0.0;
        return true;
    }
    double v = x;
    for (int32_t k = 0; k < n; ++k) {
        v *= 10.0;
        if (!std::isfinite(v))
            return false;
    }
    const double entier = std::nearbyint(v);
    if (!(entier >= -0x1p63 && entier < 0x1p63))
        return false;
    double r = static_cast<double>(static_cast<int64_t>(entier));
    for (int32_t k = 0; k < n; ++k)
        r /= 10.0;
    resultat = r;
    return true;
}

int32_t factorielle(int32_t n) {
    if (n < 2)
        return 1;
    // 34! holds 2^32: from there on the wrapped product is 0.
    if (n >= 34)
        return 0;
    uint32_t produit = 1;
    for (uint32_t k = 2; k <= static_cast<uint32_t>(n); ++k)
        produit *= k;
    return static_cast<int32_t>(produit);
}

bool estPremier(int32_t n) {
    if (n < 2)
        return false;
    if (n < 50) {
        constexpr uint64_t petits = (1ull << 2) | (1ull << 3) | (1ull << 5) | (1ull << 7) | (1ull << 11) |
                                    (1ull << 13) | (1ull << 17) | (1ull << 19) | (1ull << 23) | (1ull << 29) |
                                    (1ull << 31) | (1ull << 37) | (1ull << 41) | (1ull << 43) | (1ull << 47);
        return (petits >> n) & 1u;
    }
    switch (n % 30) {
    case 1: case 7: case 11: case 13: case 17: case 19: case 23: case 29:
        break;
    default:
        return false;
    }
    for (int64_t diviseur = 7; diviseur * diviseur <= n; diviseur += 2)
        if (n % diviseur == 0)
            return false;
    return true;
}

bool puissanceEntiere(double x, int32_t n, Tetendu& resultat) {
    if (n == 0) {
        resultat = 1.0;
        return true;
    }
    uint32_t e = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    Tetendu carre = x;
    Tetendu puissance = 1.0;
    // Square only while bits remain, so no square exceeds the result.
    for (;;) {
        if (e & 1u)
            puissance *= carre;
        e >>= 1;
        if (e == 0)
            break;
        carre *= carre;
    }
    if (n < 0) {
        // A zero power (x = 0, or a true result beyond every range) has no inverse.
        if (puissance == Tetendu(0.0))
            return false;
        puissance = Tetendu(1.0) / puissance;
    }
    resultat = puissance;
    return true;
}

bool puissanceReelle(double x, double y, Tetendu& resultat) {
    if (y == 0.0) {
        resultat = 1.0;
        return true;
    }
    if (x == 0.0 && y > 0.0) {
        resultat = 0.0;
        return true;
    }
    if (y == std::trunc(y) && std::fabs(y) <= 2147483647.0)
        return puissanceEntiere(x, static_cast<int32_t>(y), resultat);
    if (x <= 0.0)
        return false;
    resultat = puissance(Tetendu(x), Tetendu(y));
    return true;
}
