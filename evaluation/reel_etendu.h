// Tetendu: the real in which every real result is computed before it is
// rounded once to a double. The one place that chooses, for + - x / and the
// square root, between the x87's long double (x86, where it gives the same
// bits as Treel80, only faster) and the portable Treel80 (every other
// processor, or any build configured with -DTREVANE_REELS_PORTABLES=ON).
// ln, e^x, cos, sin and tan store the double of the portable, correctly
// rounded value on every processor; the real power, e^(y × ln x), is made
// of them and of the extended product.
#pragma once

#include "evaluation/reel80.h"
#include "evaluation/reel80_fonctions.h"

#include <cmath>
#include <cstdint>
#include <limits>

#if defined(TREVANE_REELS_PORTABLES) || !(defined(__x86_64__) || defined(__i386__))
#define TREVANE_ETENDU_PORTABLE 1

using Tetendu = Treel80;

// Constants that are not doubles, by their bits.
constexpr Tetendu unDixMilliardieme = Treel80::depuisBits(0x3fdd, 0xdbe6fecebdedd5bf);   // 1e-10
constexpr Tetendu unMilliardieme15 = Treel80::depuisBits(0x3fcd, 0x901d7cf73ab0acd9);    // 1e-15

inline Treel80 logarithme(Treel80 a) { return ln80(a); }
inline Treel80 exponentielle(Treel80 a) { return exp80(a); }
inline Treel80 cosinus(Treel80 a) { return cos80(a); }
inline Treel80 sinus(Treel80 a) { return sin80(a); }
inline Treel80 tangente(Treel80 a) { return tan80(a); }
inline Treel80 puissance(Treel80 x, Treel80 y) { return puissance80(x, y); }
inline Treel80 naturel32(uint32_t n) { return Treel80::depuisNaturel(n); }
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
inline long double naturel32(uint32_t n) { return static_cast<long double>(n); }

// The functions give the double of the portable, correctly rounded value
// here too, the power that of its three operations (the x87 library's result
// is not always it, and every processor must show the same digits), taking
// the library's when that provably rounds to the same double
// (reel_etendu.cpp). Out of line, as the library's were, and declared like
// them without side effects or exceptions, so that the engine's code around
// the calls stays as it was.
[[gnu::const]] long double logarithme(long double a) noexcept;
[[gnu::const]] long double exponentielle(long double a) noexcept;
[[gnu::const]] long double cosinus(long double a) noexcept;
[[gnu::const]] long double sinus(long double a) noexcept;
[[gnu::const]] long double tangente(long double a) noexcept;
[[gnu::const]] long double puissance(long double x, long double y) noexcept;
#endif
