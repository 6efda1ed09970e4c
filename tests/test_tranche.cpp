// The micro-operation engine of the normal-mode burst against the general
// step: the same programs run both ways must show the same lines and leave
// the same cells, counts and errors. And the engine's double arithmetic
// against the extended computation it stands for.
#include "banc_execution.h"
#include "evaluation/calculs.h"
#include "execution/moteur/decodage.h"
#include "evaluation/reels_surs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Tissue {
    std::vector<std::string> affichage;
    std::unique_ptr<TdonneesCommunes> d;
};

// Runs a program in normal mode with up to `poursuites` continuations.
Tissue executer(const std::string& texte, bool formes, int poursuites) {
    banc::Tbanc b;
    b.d->modeAffichage = modeResultats;
    b.d->formesRapides = formes;
    initialiserHasard(*b.d, 7);
    b.editeur(texte);
    b.executer(executionNormale, poursuites);
    b.d->fenetre = nullptr;
    return {b.f.lignesAffichage, std::move(b.d)};
}

void comparer(const std::string& texte, const std::string& nom, int poursuites = 3) {
    const Tissue rapide = executer(texte, true, poursuites);
    const Tissue general = executer(texte, false, poursuites);
    const TdonneesCommunes& a = *rapide.d;
    const TdonneesCommunes& b = *general.d;
    EXPECT_EQ(rapide.affichage, general.affichage) << nom;
    EXPECT_EQ(a.nbPas, b.nbPas) << nom;
    EXPECT_EQ(a.nbPasTranche, b.nbPasTranche) << nom;
    EXPECT_EQ(a.erreurExecution, b.erreurExecution) << nom;
    EXPECT_EQ(a.ligneErreur, b.ligneErreur) << nom;
    EXPECT_EQ(a.ligneCourante, b.ligneCourante) << nom;
    EXPECT_EQ(std::memcmp(a.entiers, b.entiers, sizeof a.entiers), 0) << nom;
    EXPECT_EQ(std::memcmp(a.reels, b.reels, sizeof a.reels), 0) << nom;
    EXPECT_EQ(std::memcmp(a.conditions, b.conditions, sizeof a.conditions), 0) << nom;
}

std::string lire(const std::filesystem::path& chemin) {
    std::string octets;
    EXPECT_TRUE(lireFichierOctets(chemin.string(), octets)) << chemin;
    return octets;
}

} // namespace

TEST(tranche, programmes_de_test_et_de_mesure) {
    int nombre = 0;
    for (const char* dossier : {DOSSIER_PROGRAMMES, DOSSIER_MESURES}) {
        for (const auto& entree : std::filesystem::directory_iterator(dossier)) {
            if (entree.path().extension() != ".txt")
                continue;
            comparer(lire(entree.path()), entree.path().filename().string());
            ++nombre;
        }
    }
    EXPECT_GT(nombre, 20);
}

TEST(tranche, chaque_raccourci_et_ses_echecs) {
    // Each shortcut, and the failures a shortcut leaves to the general step.
    const char* programmes[] = {
        // Integer forms wrapping around, every comparison taken both ways.
        "Entier i ; s ; p ; c\nDonner à i la valeur 2147483640\n[b]\nDonner à s la valeur s + i\n"
        "Donner à p la valeur p * i\nDonner à c la valeur c - i\nDonner à i la valeur i + 1\n"
        "Aller à [x] si i <> 0\n[x]\nAller à [y] si i = 5\n[y]\nAller à [z] si s >= i\n[z]\n"
        "Aller à [b] si i < -2147483640\nAfficher s ; p ; c ; i",
        // Real forms, copies between integer and real cells.
        "Entier k ; n\nRéel s ; t ; u\nDonner à k la valeur 1\n[b]\nDonner à s la valeur s + k\n"
        "Donner à t la valeur s * 1.5\nDonner à u la valeur t / k\nDonner à u la valeur u - s\n"
        "Donner à n la valeur k\nDonner à s la valeur n\nDonner à k la valeur k + 1\n"
        "Aller à [b] si k <= 1000\nAfficher s ; t ; u",
        // Division by zero in the shortcut: the general step reports it.
        "Entier k\nRéel x\nDonner à k la valeur 3\n[b]\nDonner à k la valeur k - 1\n"
        "Donner à x la valeur 1 / k\nAller à [b] si k > -5\nAfficher x",
        // A real product beyond the double range.
        "Réel x\nDonner à x la valeur 1.0E300\n[b]\nDonner à x la valeur x * x\nAller à [b]\nAfficher x",
        // Unconditional branches, calls and returns between shortcuts.
        "Entier i\n[b]\nAller à [f] et revenir\nDonner à i la valeur i + 1\nAller à [b] si i < 50\n"
        "Aller à [fin]\n[f]\nDonner à i la valeur i + 0\nRevenir\n[fin]\nAfficher i",
        // A loop suspended at the end of a burst, then continued.
        "Entier i\n[b]\nDonner à i la valeur i + 1\nAller à [b] si i > 0\nAfficher i",
    };
    int n = 0;
    for (const char* p : programmes)
        comparer(depuisUtf8(p), "programme " + std::to_string(n++));
}

TEST(tranche, chaque_micro_operation_et_ses_echecs) {
    // Lines of several operations of every kind the engine decodes, each
    // loop ending on a failure the general step must report on the right line.
    const char* programmes[] = {
        // Integer operations, conditions, «divise», «µ»; then quot by zero.
        "Entier i ; a ; b ; n\nDonner à i la valeur -20\n[b]\n"
        "Donner à a la valeur a + quot(i * 7 - 3, 4) + reste(i, 3) - min(i, 2) + max(i, -3) + abs(i) + -i\n"
        "Donner à b la valeur b + µ(i > 2 et non (i = 5) ou i <= -7) + µ(3 divise i) + µ(i <> 1)\n"
        "Aller à [s] si i >= 0 et i < 10\nDonner à n la valeur n + 1\n[s]\n"
        "Donner à i la valeur i + 1\nAller à [b] si i < 20\n"
        "Donner à n la valeur quot(n, i - 20)\nAfficher a ; b ; n",
        // reste and divise by zero, then -2^31 / -1.
        "Entier i ; a\nDonner à i la valeur 3\n[b]\nDonner à i la valeur i - 1\n"
        "Donner à a la valeur a + reste(7, i)\nAller à [b] si i > -3\nAfficher a",
        "Entier i ; a\nDonner à i la valeur 3\n[b]\nDonner à i la valeur i - 1\n"
        "Aller à [c] si i divise 12\n[c]\nAller à [b] si i > -3\nAfficher a",
        "Entier i ; a\nDonner à i la valeur -2147483647\nDonner à i la valeur i - 1\n"
        "Donner à a la valeur quot(i, -1)\nAfficher a",
        // Real operations with every place of operands, comparisons both
        // ways, fused ends; an overflow at the end.
        "Entier k\nRéel s ; t ; u\nDonner à k la valeur 1\nDonner à t la valeur 0.5\n[b]\n"
        "Donner à s la valeur s + 1/k/k - t*k + k*k/t - k/3 + t/7\n"
        "Donner à u la valeur (s - k) * (t + 0.25)\nDonner à t la valeur t * 1.0625\n"
        "Aller à [x] si s <= t ou s > u et k <> 3\n[x]\nAller à [y] si t >= k\n[y]\n"
        "Aller à [z] si u = s\n[z]\nAller à [w] si k < t\n[w]\nAller à [v] si k = 4\n[v]\n"
        "Aller à [q] si t <> 2.5\n[q]\nDonner à k la valeur k + 1\nAller à [b] si k <= 12000\n"
        "Afficher s ; t ; u",
        // Products and quotients of large integers as reals; then a real
        // division by zero and a fused real division by zero.
        "Entier k ; m\nRéel s ; r\nDonner à k la valeur 2147483000\nDonner à m la valeur 67108865\n[b]\n"
        "Donner à s la valeur k * 1.0 * k\nDonner à r la valeur s / m + k / m + 1 / (m * 1.0)\n"
        "Donner à k la valeur k + 97\nAller à [b] si k > 0\nDonner à r la valeur r / 0\nAfficher r",
        "Réel x ; y\nDonner à x la valeur 3\n[b]\nDonner à y la valeur 1 / x\nDonner à x la valeur x - 1\n"
        "Aller à [b] si x > -2\nAfficher y",
        // Lists: reads and writes, integer and real, then an index outside
        // the bounds on a read.
        "Entier L (0..40) ; i ; t\nRéel R (1..40)\n[r]\n"
        "Donner à L(i) la valeur reste(i * 37 + 11, 101)\nDonner à i la valeur i + 1\nAller à [r] si i <= 40\n"
        "Donner à i la valeur 1\n[b]\nDonner à R(i) la valeur L(i) / 3 + R(i - 1 + 1)\n"
        "Donner à t la valeur t + L(i - 1) * L(i + 0)\nAller à [c] si L(i) <= L(i - 1)\n"
        "Donner à L(i) la valeur L(i - 1)\n[c]\nDonner à i la valeur i + 1\nAller à [b] si i <= 41\nAfficher t",
        // An index outside the bounds on a write, integer then real list.
        "Entier L (1..5) ; i\n[b]\nDonner à i la valeur i + 1\nDonner à L(i) la valeur i\nAller à [b]\nAfficher i",
        "Réel L (1..5) ; s\nEntier i\n[b]\nDonner à i la valeur i + 1\nDonner à L(i) la valeur s + i\n"
        "Donner à s la valeur s + L(i)\nAller à [b]\nAfficher i",
        // Tables: reads and writes, then an index outside on the second
        // bound, and a real table.
        "Entier A (1..4 , 0..5) ; i ; j ; s\nRéel T (1..4 , 1..5)\nDonner à i la valeur 1\n[i]\nDonner à j la valeur 0\n[j]\n"
        "Donner à A(i , j) la valeur i * 10 + j\nDonner à s la valeur s + A(i , j) * A(5 - i , 5 - j)\n"
        "Donner à T(i , j + 1) la valeur A(i , j) / 7\nDonner à j la valeur j + 1\nAller à [j] si j <= 5\n"
        "Donner à i la valeur i + 1\nAller à [i] si i <= 4\nDonner à s la valeur s + A(2 , 6)\nAfficher s",
        // Functions the evaluator runs, and their failures.
        "Entier k ; e\nRéel s\nDonner à k la valeur -30\n[b]\n"
        "Donner à s la valeur s + cos(k) * sin(k / 3) + exp(k / 10) + arrondi(k / 7, 2) + abs(k / 3) + 2 ^ (k / 10)\n"
        "Donner à e la valeur e + E(k / 4) + k! + µ(k premier)\n"
        "Donner à s la valeur s + max(k, 1.5) - min(k, 2.5) + -s / 2\n"
        "Donner à k la valeur k + 1\nAller à [b] si k < 30\nDonner à s la valeur s + rac(s - 1.0E10)\nAfficher s ; e",
        "Entier k\nRéel s\nDonner à k la valeur 5\n[b]\nDonner à k la valeur k - 1\n"
        "Donner à s la valeur s + ln(k)\nAller à [b]\nAfficher s",
        // Random draws stay on the general step: the draws of both runs match.
        "Entier k ; t\nRéel s\n[b]\nDonner à t la valeur t + Ehasard(1 , 6) + k\n"
        "Donner à s la valeur s + Rhasard(0 , 1)\nDonner à k la valeur k + 1\nAller à [b] si k < 1000\nAfficher t ; s",
        // Display lines, calls and returns between decoded lines, across bursts.
        "Entier i ; n\n[b]\nDonner à i la valeur i + 1\nAller à [f] et revenir\n"
        "Aller à [b] si i < 4000000\nAfficher i ; n\nAller à [fin]\n[f]\nDonner à n la valeur n + i * 2\n"
        "Aller à [r] si reste(i, 1000000) <> 0\nAfficher i\n[r]\nRevenir\n[fin]",
    };
    int n = 0;
    for (const char* p : programmes)
        comparer(depuisUtf8(p), "micro " + std::to_string(n++));
}

TEST(tranche, les_lignes_decodees) {
    // The engine takes the lines it can and leaves the others general.
    const Tissue issue = executer(depuisUtf8("Entier i ; k\nRéel s\n[b]\nDonner à i la valeur i + 1\n"
                                             "Donner à s la valeur s + 1/i\nDonner à k la valeur Ehasard(1 , 2)\n"
                                             "Afficher i\nAller à [b] si i < 3"),
                                  true, 0);
    const TdonneesCommunes& d = *issue.d;
    const auto code = [&](int32_t ligne) { return d.flux->micros[fluxDeLigne(*d.flux, ligne)].code; };
    EXPECT_EQ(code(3), mFinPlusE);
    EXPECT_EQ(code(4), mDivisionREE);
    EXPECT_EQ(code(5), mGeneral);   // a random draw
    EXPECT_EQ(code(6), mGeneral);   // a display
    EXPECT_EQ(code(7), mFinSiInfE);
    EXPECT_EQ(d.flux->micros[fluxDeLigne(*d.flux, aucuneLigne)].code, mArret);
    for (int32_t ligne = 0; ligne < nbLignesMax; ++ligne)
        EXPECT_EQ(d.flux->micros[fluxDeLigne(*d.flux, ligne)].ligne, ligne);
    const Tissue general = executer(depuisUtf8("Entier i\nDonner à i la valeur i + 1\nAfficher i"), false, 0);
    ASSERT_NE(general.d->flux, nullptr);
    EXPECT_EQ(general.d->flux->micros[fluxDeLigne(*general.d->flux, 1)].code, mGeneral);
}

namespace {

// The value the evaluator stores: the exact result rounded to 64 bits, then
// to a double (the operands here keep it finite).
double etendu(Tetendu v) { return static_cast<double>(v); }

bool memesBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Random doubles with every mantissa and moderate exponents, some integers.
double tirer(std::mt19937_64& g) {
    const int genre = static_cast<int>(g() % 4);
    if (genre == 0)
        return static_cast<double>(static_cast<int32_t>(g()));
    const double mantisse = std::ldexp(static_cast<double>(g() >> 11), -53) + 0.5;
    const int exposant = static_cast<int>(g() % 120) - 60;
    const double x = std::ldexp(mantisse, exposant);
    return g() % 2 ? x : -x;
}

// Doubles anywhere in the range: denormals, the ends, powers of two.
double tirerPartout(std::mt19937_64& g) {
    double x;
    switch (g() % 4) {
    case 0: {
        const uint64_t bits = g() & ~(uint64_t{1} << 63);
        std::memcpy(&x, &bits, sizeof x);   // any double, denormals included
        break;
    }
    case 1: x = std::ldexp(1.0, static_cast<int>(g() % 2098) - 1074); break;
    case 2: x = std::ldexp(std::ldexp(static_cast<double>(g() >> 11), -53) + 0.5, static_cast<int>(g() % 25) + 1000); break;
    default: x = std::ldexp(std::ldexp(static_cast<double>(g() >> 11), -53) + 0.5, static_cast<int>(g() % 160) - 1080); break;
    }
    if (!std::isfinite(x))   // no real cell holds one
        x = 1;
    return g() % 2 ? x : -x;
}

} // namespace

TEST(tranche, reels_surs_aux_bornes_de_l_etendue) {
    // Near the ends of the range the double path answers only with the
    // extended computation's value, and never for a result the evaluator
    // refuses as too large.
    std::mt19937_64 g(20261208);
    for (int k = 0; k < 300000; ++k) {
        const double a = tirerPartout(g);
        const auto n = static_cast<int32_t>(g()) >> (g() % 31);
        const double b = g() % 3 ? tirerPartout(g) : n;
        const Tetendu la = a;
        const Tetendu lb = b;
        double r = 0;
        const struct {
            bool sur;
            double calcule;
            Tetendu exact;
        } cas[] = {
            {reels::somme(a, b, r), r, la + lb},
            {reels::difference(a, b, r), r, la - lb},
            {reels::produit(a, b, r), r, la * lb},
            {b != 0 && reels::quotient(a, b, r), r, b != 0 ? la / lb : 0},
            {n != 0 && reels::quotient(a, n, r), r, n != 0 ? la / n : 0},
        };
        for (const auto& c : cas) {
            double attendu = 0;
            if (!c.sur)
                continue;
            ASSERT_TRUE(versDouble(c.exact, attendu) && memesBits(c.calcule, attendu))
                << std::hexfloat << a << " " << b << " " << n << " " << c.calcule << " " << attendu;
        }
    }
}

namespace {

// The fused multiply-add, rounded once. MinGW-w64's std::fma is computed in
// software and is not always (with a = -0x1.4b4ff5a43bb7p+41,
// b = -0x1.6d4abff753126p+38 and q = a / b, fma(-q, b, a) is wrong from the
// 22nd bit), so there the processor's own instruction serves, where it has one.
#ifdef __MINGW32__
__attribute__((target("fma"))) double fmaExact(double a, double b, double c) { return __builtin_fma(a, b, c); }
bool fmaExactDisponible() { return __builtin_cpu_supports("fma"); }
#else
double fmaExact(double a, double b, double c) { return std::fma(a, b, c); }
bool fmaExactDisponible() { return true; }
#endif

} // namespace

TEST(tranche, restes_exacts_des_quotients) {
    // The remainder a - q b behind every quotient's test is exact: the one
    // rounding of a fused multiply-add gives it too.
    if (!fmaExactDisponible())
        GTEST_SKIP() << "no correctly rounded fused multiply-add here";
    std::mt19937_64 g(8122026);
    for (int k = 0; k < 200000; ++k) {
        const double a = k % 2 ? tirer(g) : tirerPartout(g);
        const auto n = static_cast<int32_t>(g() % (2 * reels::limiteDiviseur + 1)) - static_cast<int32_t>(reels::limiteDiviseur);
        if (n != 0 && std::fabs(a / n) >= 0x1p-900) {
            const double q = a / n;
            ASSERT_EQ(reels::resteEntier(a, q, n), fmaExact(-q, n, a)) << std::hexfloat << a << " " << n;
        }
        const double b = tirer(g);
        if (reels::dansLaPlage(a) && reels::dansLaPlage(a / b)) {
            const double q = a / b;
            ASSERT_EQ(reels::resteReel(a, q, b), fmaExact(-q, b, a)) << std::hexfloat << a << " " << b;
        }
    }
}

TEST(tranche, quotients_pres_d_une_puissance_de_deux) {
    // Exact quotients within a few spacings of a power of two, where the
    // spacing halves underneath: the double path still answers only with
    // the extended value.
    std::mt19937_64 g(31415);
    int reponses = 0;
    int difficiles = 0;   // one rounding and two differ
    for (int k = 0; k < 200000; ++k) {
        const auto n = static_cast<int32_t>(g() % 20000) + 1;
        const bool entier = k % 2 == 0;
        const double b = entier ? n : tirer(g);
        const double puissance = std::ldexp(1.0, static_cast<int>(g() % 40) - 20);
        const double ecart = (static_cast<double>(g() % 2049) - 1024) * 0x1p-62;
        const double a = puissance * b * (1 + ecart);
        double r = 0;
        if (!memesBits(a / b, etendu(Tetendu(a) / Tetendu(b))))
            ++difficiles;
        if (reels::quotient(a, b, r)) {
            ++reponses;
            ASSERT_TRUE(memesBits(r, etendu(Tetendu(a) / Tetendu(b)))) << std::hexfloat << a << " " << b;
        }
        if (entier && reels::quotient(a, n, r)) {
            ++reponses;
            ASSERT_TRUE(memesBits(r, etendu(Tetendu(a) / Tetendu(n)))) << std::hexfloat << a << " " << n;
        }
    }
    EXPECT_GT(reponses, 200000);
    EXPECT_GT(difficiles, 10);   // the hard cases were drawn
}

TEST(tranche, reels_surs_ou_refuses) {
    // Whenever the double computation answers, it gives the extended one's
    // value bit for bit; the cases where one rounding differs from two come
    // up and are refused.
    std::mt19937_64 g(20240611);
    int doublesArrondis = 0;
    int refus = 0;
    constexpr int essais = 300000;
    for (int k = 0; k < essais; ++k) {
        const double a = tirer(g);
        const double b = tirer(g);
        const auto i = static_cast<int32_t>(g());
        const auto petit = static_cast<int32_t>(g() % 200001) - 100000;
        double r = 0;
        const Tetendu la = a;
        const Tetendu lb = b;
        const struct {
            bool sur;
            double calcule;
            double attendu;
        } cas[] = {
            {reels::somme(a, b, r), r, etendu(la + lb)},
            {reels::difference(a, b, r), r, etendu(la - lb)},
            {reels::produit(a, b, r), r, etendu(la * lb)},
            {reels::quotient(a, b, r), r, etendu(la / lb)},
            {reels::produit(a, i, r), r, etendu(la * i)},
            {reels::produit(i, petit, r), r, etendu(Tetendu(i) * Tetendu(petit))},
            {petit != 0 && reels::quotient(a, petit, r), r, petit != 0 ? etendu(la / petit) : 0},
            {petit != 0 && reels::quotient(i, petit, r), r, petit != 0 ? etendu(Tetendu(i) / Tetendu(petit)) : 0},
            {reels::somme(i, petit, r), r, etendu(Tetendu(i) + Tetendu(petit))},
        };
        for (const auto& c : cas) {
            if (c.sur)
                ASSERT_TRUE(memesBits(c.calcule, c.attendu)) << a << " " << b << " " << i << " " << petit;
            else
                ++refus;
        }
        if (!memesBits(a * b, etendu(la * lb)) || !memesBits(a / b, etendu(la / lb)) || !memesBits(a + b, etendu(la + lb)))
            ++doublesArrondis;
    }
    EXPECT_GT(doublesArrondis, 50);      // the hard cases were drawn
    EXPECT_LT(refus, essais * 9 / 50);  // and most cases take the double path
    // A sum whose extended result lands on a midpoint: 1 + 2^-52 + 2^-53 - 2^-70.
    double r = 0;
    const double a = 1 + 0x1p-52;
    const double b = 0x1p-53 - 0x1p-70;
    EXPECT_FALSE(reels::somme(a, b, r) && !memesBits(r, etendu(Tetendu(a) + Tetendu(b))));
    EXPECT_FALSE(memesBits(a + b, etendu(Tetendu(a) + Tetendu(b))));
}

TEST(tranche, egalites_decidees_en_doubles) {
    // "=" between reals as the WebAssembly engine decides it in doubles:
    // whenever it answers, the extended difference gives the same answer,
    // from the bound 1e-15 itself to any distance from it.
    std::mt19937_64 g(20261209);
    std::uniform_real_distribution<double> pres(0.99, 1.01);
    int decides = 0;
    constexpr int essais = 300000;
    for (int k = 0; k < essais; ++k) {
        const double a = k % 3 ? tirer(g) * 1e-13 : tirerPartout(g);
        // b at about 1e-15 from a (a tenth of the draws, at many scales), or anywhere.
        const double ecart = (g() % 2 ? 1e-15 : -1e-15) * (k % 10 ? pres(g) : std::ldexp(pres(g), static_cast<int>(g() % 21) - 10));
        const double b = k % 5 ? a + ecart : tirerPartout(g);
        const int egalite = reels::egaliteDecidee(a, b);
        if (egalite >= 0) {
            ++decides;
            ASSERT_EQ(egalite == 1, egalReels(a, b)) << std::hexfloat << a << " " << b;
        }
    }
    EXPECT_GT(decides, essais * 9 / 10);
    // Exact ends: equal operands, the bound itself, beyond the range.
    const struct {
        double a, b;
        int attendu;
    } cas[] = {
        {1, 1, 1}, {0.0, -0.0, 1}, {0, 0.998e-15, 1}, {0, 1e-15, -1}, {0, -1.0005e-15, -1},
        {0, 1.002e-15, 0}, {1, 1 + 0x1p-52, 1}, {1e300, -1e300, 0}, {1.7e308, -1.7e308, 0}, {0, NAN, -1},
    };
    for (const auto& c : cas)
        EXPECT_EQ(reels::egaliteDecidee(c.a, c.b), c.attendu) << c.a << " " << c.b;
}
