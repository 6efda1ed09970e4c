// Tetendu: the real in which every real result is computed before it is
// rounded once to a double. The one place that chooses between the x87's
// long double (x86, where it is the 80-bit format and bit for bit the same
// as Treel80, only faster) and the portable Treel80 (every other processor,
// or any build configured with -DTREVANE_REELS_PORTABLES=ON).
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#if defined(TREVANE_REELS_PORTABLES) || !(defined(__x86_64__) || defined(__i386__))
#define TREVANE_ETENDU_PORTABLE 1
#include "expressions/reel80.h"

using Tetendu = Treel80;

// Constants that are not doubles, by their bits.
constexpr Tetendu unDixMilliardieme = Treel80::depuisBits(0x3fdd, 0xdbe6fecebdedd5bf);   // 1e-10
constexpr Tetendu unMilliardieme15 = Treel80::depuisBits(0x3fcd, 0x901d7cf73ab0acd9);    // 1e-15

// ln, e^x, cos, sin, tan (reel80_fonctions.cpp).
Treel80 logarithme(Treel80 a);
Treel80 exponentielle(Treel80 a);
Treel80 cosinus(Treel80 a);
Treel80 sinus(Treel80 a);
Treel80 tangente(Treel80 a);
#else
// A narrower long double would silently change every real result.
static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "long double n'est pas le réel étendu 80 bits du x87 : configurer avec -DTREVANE_REELS_PORTABLES=ON");

using Tetendu = long double;

constexpr Tetendu unDixMilliardieme = 1e-10L;
constexpr Tetendu unMilliardieme15 = 1e-15L;

inline long double absolu(long double a) { return std::fabs(a); }
inline long double racine(long double a) { return std::sqrt(a); }
inline long double tronque(long double a) { return truncl(a); }
// Rounding to nearest is the default mode and nothing here changes it.
inline long double entierProche(long double a) { return std::nearbyint(a); }
inline int64_t versEntier64(long double a) { return static_cast<int64_t>(a); }
inline long double logarithme(long double a) { return std::log(a); }
inline long double exponentielle(long double a) { return std::exp(a); }
inline long double cosinus(long double a) { return std::cos(a); }
inline long double sinus(long double a) { return std::sin(a); }
inline long double tangente(long double a) { return std::tan(a); }
#endif
