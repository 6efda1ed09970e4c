#include "evaluation/reel_etendu.h"

#ifndef TREVANE_ETENDU_PORTABLE

#include <cmath>
#include <cstring>

namespace {

long double versX87(Treel80 a) {
    long double v = 0;
    std::memcpy(&v, &a.m, sizeof a.m);
    std::memcpy(reinterpret_cast<char*>(&v) + sizeof a.m, &a.se, sizeof a.se);
    return v;
}

Treel80 depuisX87(long double v) {
    Treel80 a;
    std::memcpy(&a.m, &v, sizeof a.m);
    std::memcpy(&a.se, reinterpret_cast<const char*>(&v) + sizeof a.m, sizeof a.se);
    return a;
}

// The x87 library's results stay within one unit of their last place (64
// bits) of the true value: tests/mpfr measures it on a million arguments per
// function (scripts/fonctions_mpfr.sh) and fails from 4. One that stands more
// than `marge` units away from a halfway point between two normal doubles
// thus rounds to the same double as the correctly rounded value: the
// portable computation, several times slower, is needed only next to those
// points (about 1.6% of results). Only that double matters: every caller
// stores the result at once.
constexpr int marge = 16;

bool memeDouble(long double v) {
    const uint64_t m = depuisX87(v).m;
    const uint16_t exposant = depuisX87(v).se & 0x7fff;
    // Normal doubles: biased exponents 1 to 2046, here 16383 - 1022 to 16383 + 1023.
    if (exposant < 16383 - 1022 || exposant > 16383 + 1023)
        return false;
    const int bas = static_cast<int>(m & 0x7ff);   // the 11 bits below a double's
    return bas < 0x400 - marge || bas > 0x400 + marge;
}

// That bound was measured on glibc's library only. Another C library
// (MinGW-w64's, whose powl is further off) gets the portable computation
// every time, so that it prints the same digits.
#if defined(__GLIBC__)
constexpr bool bibliothequeMesuree = true;
#else
constexpr bool bibliothequeMesuree = false;
#endif

template <typename Rapide, typename Portable>
long double selonBibliotheque(Rapide rapide, Portable portable) {
    if constexpr (bibliothequeMesuree) {
        const long double r = rapide();
        if (memeDouble(r))
            return r;
    }
    return versX87(portable());
}

} // namespace

long double logarithme(long double a) noexcept {
    return selonBibliotheque([a] { return std::log(a); }, [a] { return ln80(depuisX87(a)); });
}
long double exponentielle(long double a) noexcept {
    return selonBibliotheque([a] { return std::exp(a); }, [a] { return exp80(depuisX87(a)); });
}
long double cosinus(long double a) noexcept {
    return selonBibliotheque([a] { return std::cos(a); }, [a] { return cos80(depuisX87(a)); });
}
long double sinus(long double a) noexcept {
    return selonBibliotheque([a] { return std::sin(a); }, [a] { return sin80(depuisX87(a)); });
}
long double tangente(long double a) noexcept {
    return selonBibliotheque([a] { return std::tan(a); }, [a] { return tan80(depuisX87(a)); });
}
long double puissance(long double x, long double y) noexcept {
    // The library's ln may be a unit off in its 64th bit, which the product
    // and e^ carry into the double: ln x is always the portable one.
    return exponentielle(versX87(ln80(depuisX87(x))) * y);
}

#endif
