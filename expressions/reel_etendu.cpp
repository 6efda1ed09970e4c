#include "expressions/reel_etendu.h"

#ifndef TREVANE_ETENDU_PORTABLE

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

} // namespace

long double logarithme(long double a) noexcept { return versX87(ln80(depuisX87(a))); }
long double exponentielle(long double a) noexcept { return versX87(exp80(depuisX87(a))); }
long double cosinus(long double a) noexcept { return versX87(cos80(depuisX87(a))); }
long double sinus(long double a) noexcept { return versX87(sin80(depuisX87(a))); }
long double tangente(long double a) noexcept { return versX87(tan80(depuisX87(a))); }
long double puissance(long double x, long double y) noexcept { return versX87(puissance80(depuisX87(x), depuisX87(y))); }

#endif
