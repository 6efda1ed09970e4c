// ln, e^x, cos, sin and tan of a Treel80, for now through the platform's own
// long double functions: the x87 format on x86 (the same bits as the
// hardware path) or IEEE binary128 on ARM64, whose result is rounded to 64
// bits once. A narrower long double (a plain double) is refused.
#include "expressions/reel_etendu.h"

#ifdef TREVANE_ETENDU_PORTABLE

#include <cstring>

static_assert(std::numeric_limits<long double>::digits >= 64 && std::numeric_limits<long double>::max_exponent >= 16384,
              "ln, exp, cos, sin et tan demandent un long double d'au moins 64 bits de mantisse");

namespace {

constexpr bool formatX87 = std::numeric_limits<long double>::digits == 64;

// 2^n for n within the normal range.
Treel80 puissanceDeDeux(int32_t n) {
    if (n < -16382)
        return Treel80();
    return Treel80::depuisBits(static_cast<uint16_t>(n + 16383), uint64_t{1} << 63);
}

long double versLong(Treel80 a) {
    if constexpr (formatX87) {
        long double v = 0;
        std::memcpy(&v, &a.m, sizeof a.m);
        std::memcpy(reinterpret_cast<char*>(&v) + sizeof a.m, &a.se, sizeof a.se);
        return v;
    } else {
        if (a.estNan())
            return std::numeric_limits<long double>::quiet_NaN();
        long double v;
        if (a.exposant() == 0x7fff)
            v = std::numeric_limits<long double>::infinity();
        else   // exact: the wider format holds every Treel80
            v = std::ldexp(static_cast<long double>(a.m), (a.exposant() == 0 ? 1 : a.exposant()) - 16383 - 63);
        return a.negatif() ? -v : v;
    }
}

Treel80 depuisLong(long double v) {
    if constexpr (formatX87) {
        Treel80 a;
        std::memcpy(&a.m, &v, sizeof a.m);
        std::memcpy(&a.se, reinterpret_cast<const char*>(&v) + sizeof a.m, sizeof a.se);
        return a;
    } else {
        if (std::isnan(v))
            return Treel80::depuisBits(0xffff, uint64_t{3} << 62);
        if (std::isinf(v) || v == 0)
            return Treel80(static_cast<double>(v));
        // |v| = s × 2^k with s in [1/2, 1[: its first 64 bits and the rest
        // below them (at most 49 bits), added with one rounding.
        int k;
        const long double s = std::frexp(std::fabs(v), &k);
        const long double haut = std::ldexp(s, 64);
        const auto h = static_cast<uint64_t>(haut);
        const auto l = static_cast<uint64_t>(std::ldexp(haut - static_cast<long double>(h), 64));
        const Treel80 r = Treel80::depuisNaturel(h) * puissanceDeDeux(k - 64) + Treel80::depuisNaturel(l) * puissanceDeDeux(k - 128);
        return v < 0 ? -r : r;
    }
}

} // namespace

Treel80 logarithme(Treel80 a) { return depuisLong(std::log(versLong(a))); }
Treel80 exponentielle(Treel80 a) { return depuisLong(std::exp(versLong(a))); }
Treel80 cosinus(Treel80 a) { return depuisLong(std::cos(versLong(a))); }
Treel80 sinus(Treel80 a) { return depuisLong(std::sin(versLong(a))); }
Treel80 tangente(Treel80 a) { return depuisLong(std::tan(versLong(a))); }

#endif
