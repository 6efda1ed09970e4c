// ln, e^x, cos, sin, tan and the real power of Treel80 against MPFR: the
// portable result must be the true value rounded once to 64 bits (the
// power's, e^(y × ln x) with each operation so rounded). The x87
// library's results are counted beside them: how often they are not
// correctly rounded, how often the double a learner sees differs, and their
// largest error. What the evaluator stores (through Tetendu, whichever path
// the build takes) must be the double of the correctly rounded value.
// CI draws a sample; scripts/fonctions_mpfr.sh sets TREVANE_TIRAGES_MPFR to
// draw a million arguments per function.
#include "evaluation/reel80_fonctions.h"
#include "evaluation/reel_etendu.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>

namespace {

static_assert(std::numeric_limits<long double>::digits == 64, "the comparison with the x87 needs x86");

long double versX87(Treel80 a) {
    long double v = 0;
    std::memcpy(&v, &a.m, 8);
    std::memcpy(reinterpret_cast<char*>(&v) + 8, &a.se, 2);
    return v;
}

bool memesBits(long double a, long double b) { return std::memcmp(&a, &b, 10) == 0; }
bool memesBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

long tirages() {
    const char* texte = std::getenv("TREVANE_TIRAGES_MPFR");
    return texte ? std::atol(texte) : 20000;
}

// The true value rounded once to 64 bits, from 320 bits.
struct Treference {
    mpfr_t x, y, r;
    Treference() { mpfr_inits2(320, x, y, r, static_cast<mpfr_ptr>(nullptr)); }
    ~Treference() { mpfr_clears(x, y, r, static_cast<mpfr_ptr>(nullptr)); }
    long double arrondie() {
        mpfr_prec_round(r, 64, MPFR_RNDN);
        return mpfr_get_ld(r, MPFR_RNDN);
    }
};

double doubleAuHasard(std::mt19937_64& g, double bas, double haut) {
    return bas + (haut - bas) * std::ldexp(static_cast<double>(g() >> 11), -53);
}

// A double of magnitude 2^u, u uniform in [umin, umax], any sign if signe.
double logUniforme(std::mt19937_64& g, int umin, int umax, bool signe) {
    const double x = std::ldexp(1.0 + std::ldexp(static_cast<double>(g() >> 12), -52), umin + static_cast<int>(g() % (umax - umin + 1)));
    return signe && g() % 2 ? -x : x;
}

struct Tfonction {
    const char* nom;
    std::function<void(std::mt19937_64&, double&, double&)> tirer;   // one or two arguments
    std::function<void(Treference&)> mpfr;                          // ref.r from ref.x (and ref.y)
    std::function<long double(long double, long double)> x87;         // the value before, from the x87 library
    std::function<Treel80(Treel80, Treel80)> portable;
    std::function<double(double, double)> systeme;                    // through Tetendu: what the evaluator stores
};

const Tfonction fonctions[] = {
    {"ln",
     [](std::mt19937_64& g, double& x, double&) {
         switch (g() % 3) {
         case 0: { const uint64_t b = g() >> 2; std::memcpy(&x, &b, 8); if (!(x > 0) || std::isinf(x)) x = 3; break; }
         case 1: x = 1 + static_cast<double>(static_cast<int64_t>(g() % 2000001) - 1000000) * 0x1p-52; break;
         default: x = doubleAuHasard(g, 0.5, 2); break;
         }
     },
     [](Treference& f) { mpfr_log(f.r, f.x, MPFR_RNDN); },
     [](long double x, long double) { return std::log(x); },
     [](Treel80 x, Treel80) { return ln80(x); },
     [](double x, double) { return static_cast<double>(logarithme(Tetendu(x))); }},
    {"exp",
     [](std::mt19937_64& g, double& x, double&) {
         x = g() % 2 ? doubleAuHasard(g, -745, 709.7) : logUniforme(g, -60, 9, true);
     },
     [](Treference& f) { mpfr_exp(f.r, f.x, MPFR_RNDN); },
     [](long double x, long double) { return std::exp(x); },
     [](Treel80 x, Treel80) { return exp80(x); },
     [](double x, double) { return static_cast<double>(exponentielle(Tetendu(x))); }},
    {"sin",
     [](std::mt19937_64& g, double& x, double&) {
         if (g() % 4 == 0)   // next to a multiple of pi/2
             x = static_cast<double>(static_cast<long double>(g() >> (14 + g() % 50)) * 1.5707963267948966192313216916397514L);
         else
             x = logUniforme(g, -30, 62, true);
     },
     [](Treference& f) { mpfr_sin(f.r, f.x, MPFR_RNDN); },
     [](long double x, long double) { return std::sin(x); },
     [](Treel80 x, Treel80) { return sin80(x); },
     [](double x, double) { return static_cast<double>(sinus(Tetendu(x))); }},
    {"cos",
     [](std::mt19937_64& g, double& x, double&) {
         if (g() % 4 == 0)
             x = static_cast<double>(static_cast<long double>(g() >> (14 + g() % 50)) * 1.5707963267948966192313216916397514L);
         else
             x = logUniforme(g, -30, 62, true);
     },
     [](Treference& f) { mpfr_cos(f.r, f.x, MPFR_RNDN); },
     [](long double x, long double) { return std::cos(x); },
     [](Treel80 x, Treel80) { return cos80(x); },
     [](double x, double) { return static_cast<double>(cosinus(Tetendu(x))); }},
    {"tan",
     [](std::mt19937_64& g, double& x, double&) {
         if (g() % 4 == 0)
             x = static_cast<double>(static_cast<long double>(g() >> (14 + g() % 50)) * 1.5707963267948966192313216916397514L);
         else
             x = logUniforme(g, -30, 62, true);
     },
     [](Treference& f) { mpfr_tan(f.r, f.x, MPFR_RNDN); },
     [](long double x, long double) { return std::tan(x); },
     [](Treel80 x, Treel80) { return tan80(x); },
     [](double x, double) { return static_cast<double>(tangente(Tetendu(x))); }},
    {"x^y",
     [](std::mt19937_64& g, double& x, double& y) {
         do {
             switch (g() % 3) {
             case 0:   // as learners write them: 0.01 to 9.99, -60 to 60 with two decimals
                 x = static_cast<double>(1 + g() % 999) / 100;
                 y = static_cast<double>(static_cast<int64_t>(g() % 12001) - 6000) / 100;
                 break;
             case 1:
                 x = logUniforme(g, -40, 40, false);
                 y = g() % 2 ? doubleAuHasard(g, -40, 40) : logUniforme(g, -20, 12, true);
                 break;
             default:
                 x = doubleAuHasard(g, 0.9, 1.1);
                 y = logUniforme(g, -20, 12, true);
                 break;
             }
         } while (y == std::trunc(y) || std::fabs(y * std::log(x)) > 11000);
     },
     // e^(y × ln x), each of the three operations rounded to 64 bits.
     [](Treference& f) {
         mpfr_set_prec(f.r, 64);
         mpfr_log(f.r, f.x, MPFR_RNDN);
         mpfr_mul(f.r, f.r, f.y, MPFR_RNDN);
         mpfr_exp(f.r, f.r, MPFR_RNDN);
     },
     // The same three operations with the x87 library's ln and e^.
     [](long double x, long double y) { return std::exp(y * std::log(x)); },
     [](Treel80 x, Treel80 y) { return puissance80(x, y); },
     [](double x, double y) { return static_cast<double>(puissance(Tetendu(x), Tetendu(y))); }},
};

long double valeurJuste(const Tfonction& f, Treference& ref, double x, double y) {
    mpfr_set_d(ref.x, x, MPFR_RNDN);
    mpfr_set_d(ref.y, y, MPFR_RNDN);
    f.mpfr(ref);
    return ref.arrondie();
}

TEST(fonctions_mpfr, arrondi_correct_sur_64_bits) {
    const long n = tirages();
    std::printf("%-5s %9s %16s %12s %10s %14s %8s\n", "f", "tirages", "x87 mal arrondis", "doubles diff", "ecart max", "portable faux", "x86 faux");
    for (const Tfonction& f : fonctions) {
        std::mt19937_64 g(20261208);
        Treference ref;
        long x87Faux = 0, doublesDifferents = 0, portableFaux = 0, systemeFaux = 0;
        long double ecartMax = 0;   // the library's, in units of the 64-bit last place
        int exemples = 0;
        for (long k = 0; k < n; ++k) {
            double x = 0, y = 0;
            f.tirer(g, x, y);
            const long double juste = valeurJuste(f, ref, x, y);
            const long double materiel = f.x87(x, y);
            const long double portable = versX87(f.portable(Treel80(x), Treel80(y)));
            if (!memesBits(portable, juste) && portableFaux++ < 5)
                ADD_FAILURE() << f.nom << " " << std::hexfloat << x << " " << y << " : " << portable << " != " << juste;
            if (!memesBits(f.systeme(x, y), static_cast<double>(juste)) && systemeFaux++ < 5)
                ADD_FAILURE() << f.nom << " " << std::hexfloat << x << " " << y << " : " << f.systeme(x, y);
            // The library call that the x86 path makes (for the power, e^ of the exact product).
            const long double bibliotheque = f.nom[0] == 'x' ? std::exp(versX87(ln80(Treel80(x))) * y) : materiel;
            if (juste != 0 && std::isfinite(juste)) {
                const long double ecart = std::fabs((bibliotheque - juste) / std::ldexp(1.0L, std::ilogb(juste) - 63));
                if (ecart > ecartMax)
                    ecartMax = ecart;
            }
            if (!memesBits(materiel, juste)) {
                ++x87Faux;
                if (!memesBits(static_cast<double>(materiel), static_cast<double>(juste))) {
                    ++doublesDifferents;
                    if (exemples++ < 3) {
                        char arguments[64];
                        std::snprintf(arguments, sizeof arguments, f.nom[0] == 'x' ? "%.17g, %.17g" : "%.17g", x, y);
                        std::printf("  %s(%s) : %.17g devient %.17g\n", f.nom, arguments, static_cast<double>(materiel),
                                    static_cast<double>(juste));
                    }
                }
            }
        }
        std::printf("%-5s %9ld %16ld %12ld %10.2Lf %14ld %8ld\n", f.nom, n, x87Faux, doublesDifferents, ecartMax, portableFaux, systemeFaux);
        EXPECT_EQ(portableFaux, 0) << f.nom;
        EXPECT_EQ(systemeFaux, 0) << f.nom;
        // The x87 path keeps the library's result 16 units from a halfway point.
        EXPECT_LT(ecartMax, 4) << f.nom;
    }
}

// Arguments whose true value lies next to a halfway point between two
// doubles, where the x87 library's result rounds the other way: found by a
// million draws with the x86 path's margin set to 0, which the sample above
// lets pass. Whichever path the build takes must still store the right double.
TEST(fonctions_mpfr, pres_d_un_milieu_entre_deux_doubles) {
    const struct {
        const char* nom;
        double x, y;
    } cas[] = {
        {"ln", 0x1.ea09373c2a017p-1, 0},       {"ln", 0x1.00000000f0004p+0, 0},  {"ln", 0x1.5f3216cc04544p+0, 0},
        {"ln", 0x1.ad69d76abb261p-343, 0},     {"ln", 0x1.ffffffff6dadap-1, 0},  {"sin", 0x1.5c3167193da63p+38, 0},
        {"sin", 0x1.4b9949b3596fbp+34, 0},     {"cos", 0x1.ea6029d5c4a0bp+37, 0}, {"cos", -0x1.1131c76414046p+14, 0},
        {"tan", 0x1.04dffd41ce0efp+28, 0},     {"tan", -0x1.22909a334d5d8p+13, 0}, {"x^y", 0.73, -52.86},
        {"x^y", 7.13, 29.55},                  {"x^y", 0x1.833c89929d384p-23, -0x1.354f86e6f14dfp+5},
    };
    for (const auto& c : cas) {
        const Tfonction* f = std::find_if(std::begin(fonctions), std::end(fonctions),
                                          [&](const Tfonction& g) { return std::strcmp(g.nom, c.nom) == 0; });
        ASSERT_NE(f, std::end(fonctions)) << c.nom;
        Treference ref;
        const long double juste = valeurJuste(*f, ref, c.x, c.y);
        EXPECT_TRUE(memesBits(f->systeme(c.x, c.y), static_cast<double>(juste))) << c.nom << " " << std::hexfloat << c.x;
        EXPECT_TRUE(memesBits(versX87(f->portable(Treel80(c.x), Treel80(c.y))), juste)) << c.nom << " " << std::hexfloat << c.x;
    }
}

} // namespace
