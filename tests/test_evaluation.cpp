#include "analysis/cellules.h"
#include "analysis/compilation.h"
#include "analysis/declarations.h"
#include "banc_execution.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/operations.h"
#include "evaluation/calculs.h"
#include "evaluation/evaluation.h"
#include "evaluation/hasard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int32_t int32Min = std::numeric_limits<int32_t>::min();
constexpr int32_t int32Max = std::numeric_limits<int32_t>::max();

// A fresh analysis with integer n, real x, the integer list L(1..100), the
// real list R(0..9) and the integer table A(1..4 , 1..4).
struct Tessai {
    std::unique_ptr<TdonneesCommunes> d = banc::espaceAnalyse();
    TexpressionCompilee resultat;
    int32_t debut = 0;

    Tessai() {
        declarerVariable(*d, "n", false);
        declarerVariable(*d, "x", true);
        declarerVariable(*d, "L(1..100)", false);
        declarerVariable(*d, "R(0..9)", true);
        declarerVariable(*d, "A(1..4,1..4)", false);
        initialiserHasard(*d, 12345);
    }

    // Compiles (UTF-8 text) and runs; the run error, 0 when none.
    int32_t executer(const std::string& utf8) {
        debut = d->codeLibre;
        resultat = compilerExpression(*d, depuisUtf8(utf8));
        EXPECT_EQ(d->codeErreur, 0) << utf8;
        d->erreurExecution = 0;
        evaluerCode(*d, debut, d->codeLibre);
        return d->erreurExecution;
    }

    int64_t entier(const std::string& utf8) {
        EXPECT_EQ(executer(utf8), 0) << utf8;
        if (resultat.type == typeCondition)
            return d->conditions[resultat.cellule];
        EXPECT_EQ(resultat.type, typeEntier) << utf8;
        return d->entiers[resultat.cellule];
    }

    double reel(const std::string& utf8) {
        EXPECT_EQ(executer(utf8), 0) << utf8;
        EXPECT_EQ(resultat.type, typeReel) << utf8;
        return valeurReelle(*d, resultat.cellule);
    }

    int32_t& n() { return d->entiers[2]; }
    double& x() { return caseReelle(*d, 10002); }
    int32_t& L(int32_t i) { return d->entiers[d->variables[3].premiereCase + i - 1]; }
};

struct TcasEntier {
    const char* texte;
    int64_t attendu;
};

struct TcasReel {
    const char* texte;
    double attendu;
};

} // namespace

TEST(evaluation, arithmetique_entiere) {
    const TcasEntier cas[] = {
        {"2147483647 + 1", int32Min},
        {"-2147483648 - 1", int32Max},
        {"65536 * 65536", 0},
        {"-(-2147483648)", int32Min},
        {"abs(-2147483648)", int32Min},
        {"abs(-7)", 7},
        {"quot(7,2)", 3},
        {"reste(7,2)", 1},
        {"quot(-7,2)", -3},
        {"reste(-7,2)", -1},
        {"reste(7,-2)", 1},
        {"quot(-2147483648, 1)", int32Min},
        {"12!", 479001600},
        {"13!", 1932053504},
        {"34!", 0},
        {"0!", 1},
        {"-3!", 1},
        {"E(2.7)", 2},
        {"E(-2.7)", -3},
        {"E(3)", 3},
        {"E(2.5)", 2},
        {"E(-2.5)", -3},
        {"E(2.99999999999)", 3},
        {"E(2.9999999)", 2},
        {"E(4294967296.5)", 0},
        {"E(1.0E18)", -1486618624},
        {"min(3, -7) + max(3, 7)", 0},
        {"Ehasard(5,5)", 5},
        {"Ehasard(3,2)", 3},
        {"Ehasard(3,1)", 3},
        {"\xC2\xB5(1 < 2) + \xC2\xB5(2 < 1)", 1},
    };
    for (const TcasEntier& c : cas) {
        Tessai e;
        EXPECT_EQ(e.entier(c.texte), c.attendu) << c.texte;
    }
}

TEST(evaluation, arithmetique_reelle) {
    const TcasReel cas[] = {
        {"7/2", 3.5},
        {"2^10", 1024.0},
        {"2^(-1)", 0.5},
        {"0^0", 1.0},
        {"0^3", 0.0},
        {"0^2.5", 0.0},
        {"(-2)^3", -8.0},
        {"(-8)^2.0", 64.0},
        {"4^0.5", 2.0},
        {"2^(-1074)", 0x1p-1074},
        {"10^(-400)", 0.0},
        {"arrondi(pi,4)", 3.1415999999999995},
        {"arrondi(2.5,0)", 2.0},
        {"arrondi(3.5,0)", 4.0},
        {"arrondi(-2.5,0)", -2.0},
        {"arrondi(1234.5,-2)", 1234.0},
        {"arrondi(0.0, 2147483647)", 0.0},
        {"rac(16)", 4.0},
        {"ln(1)", 0.0},
        {"exp(0)", 1.0},
        {"exp(-1000)", 0.0},
        {"cos(0)", 1.0},
        {"sin(0)", 0.0},
        {"cos(1.0E19)", 0.0},
        {"sin(-1.0E19)", 0.0},
        {"tan(1.0E19)", 0.0},
        {"abs(-2.5)", 2.5},
        {"-(2.5)", -2.5},
        {"min(2.5, 3)", 2.5},
        {"max(2.5, 3)", 3.0},
        {"(1/1.0E200) * (1/1.0E200)", 0.0},
        {"Rhasard(1,1)", 1.0},
        {"0.1 + 0.2", 0.30000000000000004},
    };
    for (const TcasReel& c : cas) {
        Tessai e;
        EXPECT_EQ(e.reel(c.texte), c.attendu) << c.texte;
    }
    Tessai e;
    EXPECT_DOUBLE_EQ(e.reel("exp(1)"), std::exp(1.0));
    EXPECT_DOUBLE_EQ(e.reel("2^0.5"), std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(e.reel("tan(1)"), std::tan(1.0));
    // «*» is cut before «/»: the quotient comes first and nothing overflows.
    EXPECT_EQ(e.reel("1.0E308 * 10 / 10"), 1.0E308);
}

TEST(evaluation, conditions) {
    const TcasEntier cas[] = {
        {"0.1 + 0.2 = 0.3", 1},
        {"0.1 + 0.2 > 0.3", 1},
        {"0.1 + 0.2 <> 0.3", 0},
        {"1.0E20 + 16384 = 1.0E20", 0},
        {"1 + 1/1.0E16 = 1", 1},
        {"1 + 1/1.0E12 = 1", 0},   // a gap between 1e-15 and 1e-9 is a difference
        // Extended differences of exactly 1e-15 (0x1.203af9ee75615p-50 against
        // -0x1.364p-103) and of just below: the tolerance is strict.
        {"5070602400912917.0 / 2^102 = -4964 / 2^115", 0},
        {"5070602400912916.0 / 2^102 = -4964 / 2^115", 1},
        {"1/1.0E12 <> 0", 1},
        {"arrondi(pi,4) = 3.1416", 1},
        {"2.5 >= 2", 1},
        {"2 <= 2", 1},
        {"3 <> 3", 0},
        {"-1 < 1", 1},
        {"-1 > 1", 0},
        {"2 = 2.0", 1},
        {"1 premier", 0},
        {"2 premier", 1},
        {"49 premier", 0},
        {"2147483647 premier", 1},
        {"-7 premier", 0},
        {"3 divise 12", 1},
        {"12 divise 3", 0},
        {"-1 divise 7", 1},
        {"5 divise -10", 1},
        {"non (1 < 2)", 0},
        {"1 < 2 et 2 < 1", 0},
        {"1 < 2 ou 2 < 1", 1},
    };
    for (const TcasEntier& c : cas) {
        Tessai e;
        EXPECT_EQ(e.entier(c.texte), c.attendu) << c.texte;
    }
}

TEST(evaluation, echecs_de_calcul) {
    for (const char* texte :
         {"1/0", "0.0/0", "rac(-1)", "ln(0)", "ln(-1)", "exp(1000)", "quot(5,0)", "reste(5,0)", "0 divise 5",
          "10^400", "1.0E200 * 1.0E200", "1.0E308 + 1.0E308", "-1.0E308 - 1.0E308", "1.0E308 / 0.0000000001", "(1.0E308 * 10) / 10",
          "0^(-1)", "0.0^(-2.5)", "(-8)^(1/3)", "2^2147483647", "0.5^(-2147483648)", "quot(-2147483648, -1)",
          "reste(-2147483648, -1)", "-1 divise -2147483648", "E(1.0E19)", "E(-1.0E19)", "arrondi(1.0E300, 2)",
          "arrondi(1.0E300, 0)", "arrondi(pi, 20)", "arrondi(1/1.0E300, 2147483647)"}) {
        Tessai e;
        EXPECT_EQ(e.executer(texte), 101) << texte;
    }
}

TEST(evaluation, echec_sans_effet) {
    Tessai e;
    // «1/n + rac(4)»: the right-hand term runs first, then the division fails.
    const int32_t debut = e.d->codeLibre;
    const TexpressionCompilee r = compilerExpression(*e.d, "1/n + rac(4)");
    ASSERT_EQ(e.d->codeErreur, 0);
    caseReelle(*e.d, r.cellule) = 42.0;
    evaluerCode(*e.d, debut, e.d->codeLibre);
    EXPECT_EQ(e.d->erreurExecution, 101);
    EXPECT_EQ(caseReelle(*e.d, r.cellule), 42.0);
    EXPECT_EQ(caseReelle(*e.d, e.d->code[debut + 2]), 2.0);   // rac(4) did run

    // The failing step neither stores nor moves on.
    int32_t w = debut + 3;
    const int32_t resultatDivision = e.d->code[w + 3];
    caseReelle(*e.d, resultatDivision) = 7.0;
    EXPECT_FALSE(executerInstruction(*e.d, w));
    EXPECT_EQ(w, debut + 3);
    EXPECT_EQ(caseReelle(*e.d, resultatDivision), 7.0);

    // An error already set stops the code before its first word.
    caseReelle(*e.d, e.d->code[debut + 2]) = 0.0;
    e.n() = 1;
    evaluerCode(*e.d, debut, e.d->codeLibre);
    EXPECT_EQ(caseReelle(*e.d, e.d->code[debut + 2]), 0.0);
    e.d->erreurExecution = 0;
    evaluerCode(*e.d, debut, e.d->codeLibre);
    EXPECT_EQ(e.d->erreurExecution, 0);
    EXPECT_EQ(caseReelle(*e.d, r.cellule), 3.0);
}

TEST(evaluation, indices_hors_limites) {
    for (const char* texte : {"L(0)", "L(101)", "L(n + 101)", "R(-1)", "R(10)", "A(2,5)", "A(0,1)", "A(5,1)"}) {
        Tessai e;
        EXPECT_EQ(e.executer(texte), 102) << texte;
    }
    Tessai e;
    EXPECT_EQ(e.entier("L(1)"), 0);
    e.L(3) = 7;
    e.n() = 3;
    EXPECT_EQ(e.entier("L(n)"), 7);
    EXPECT_EQ(e.entier("L(n) + L(100)"), 7);
    caseReelle(*e.d, e.d->variables[4].premiereCase + 9) = 2.5;
    EXPECT_EQ(e.reel("R(9)"), 2.5);
    // Rows follow one another: (2, 1) is the fifth cell of A.
    e.d->entiers[e.d->variables[5].premiereCase + 4] = 21;
    EXPECT_EQ(e.entier("A(2,1)"), 21);
    EXPECT_EQ(e.entier("A(1,4) + A(2, 1)"), 21);

    // The failing read leaves its word and its result cell.
    const int32_t debut = e.d->codeLibre;
    const TexpressionCompilee r = compilerExpression(*e.d, "L(n)");
    e.n() = 0;
    e.d->entiers[r.cellule] = 5;
    int32_t w = debut;
    e.d->erreurExecution = 0;
    EXPECT_FALSE(executerInstruction(*e.d, w));
    EXPECT_EQ(w, debut);
    EXPECT_EQ(e.d->erreurExecution, 102);
    EXPECT_EQ(e.d->entiers[r.cellule], 5);
}

TEST(evaluation, hasard) {
    Tessai e;
    std::set<int64_t> vus;
    for (int k = 0; k < 600; ++k) {
        const int64_t v = e.entier("Ehasard(1,6)");
        EXPECT_TRUE(v >= 1 && v <= 6) << v;
        vus.insert(v);
    }
    EXPECT_EQ(vus.size(), 6u);
    for (int k = 0; k < 200; ++k) {
        const double v = e.reel("Rhasard(-1,1)");
        EXPECT_TRUE(v >= -1.0 && v < 1.0) << v;
    }
    // The whole 32-bit range draws more than its lower bound.
    std::set<int64_t> extremes;
    for (int k = 0; k < 20; ++k)
        extremes.insert(e.entier("Ehasard(-2147483648, 2147483647)"));
    EXPECT_GT(extremes.size(), 15u);

    // The right-hand draw is made first.
    initialiserHasard(*e.d, 7);
    const uint32_t premier = tirerHasard(*e.d);
    const uint32_t second = tirerHasard(*e.d);
    const auto tirage = [](uint32_t r) { return 1 + static_cast<int64_t>((uint64_t{r} * 1000000u) >> 32); };
    initialiserHasard(*e.d, 7);
    EXPECT_EQ(e.entier("Ehasard(1,1000000) - Ehasard(1,1000000)"), tirage(second) - tirage(premier));
    initialiserHasard(*e.d, 7);
    EXPECT_EQ(e.reel("Rhasard(0, 4294967296.0)"), static_cast<double>(premier));
}

TEST(evaluation, mots_d_affichage) {
    Tessai e;
    e.n() = 5;
    e.d->code[1] = opAfficherEntier;
    e.d->code[2] = 2;
    e.d->ligneAffichee.clear();
    evaluerCode(*e.d, 1, 3);
    EXPECT_EQ(e.d->erreurExecution, 0);
    EXPECT_EQ(e.d->ligneAffichee, " 5");
    // An unknown code cannot run.
    e.d->code[3] = 3;
    int32_t w = 3;
    EXPECT_FALSE(executerInstruction(*e.d, w));
    evaluerCode(*e.d, 3, 7);
    EXPECT_EQ(e.d->erreurExecution, 101);
}

TEST(calculs, partie_entiere_et_arrondi) {
    int32_t e = 0;
    EXPECT_TRUE(partieEntiere(-0.0, e));
    EXPECT_EQ(e, 0);
    EXPECT_TRUE(partieEntiere(2147483648.0, e));
    EXPECT_EQ(e, int32Min);
    EXPECT_TRUE(partieEntiere(-9.2e18, e));
    EXPECT_FALSE(partieEntiere(9.3e18, e));
    double r = 0.0;
    EXPECT_TRUE(arrondir(3.141592653589793, 4, r));
    EXPECT_EQ(r, 3.1415999999999995);
    EXPECT_TRUE(arrondir(-0.125, 2, r));
    EXPECT_DOUBLE_EQ(r, -0.12);
    EXPECT_TRUE(arrondir(0.5, -5, r));
    EXPECT_EQ(r, 0.0);
    EXPECT_FALSE(arrondir(9.3e18, 0, r));
    EXPECT_FALSE(arrondir(5e-324, 2147483647, r));
}

TEST(calculs, factorielle_et_premiers) {
    int32_t attendu = 1;
    for (int32_t n = 1; n <= 40; ++n) {
        attendu = static_cast<int32_t>(static_cast<uint32_t>(attendu) * static_cast<uint32_t>(n));
        EXPECT_EQ(factorielle(n), attendu) << n;
    }
    EXPECT_EQ(factorielle(int32Max), 0);
    EXPECT_EQ(factorielle(int32Min), 1);
    // Against a sieve.
    const int32_t limite = 20000;
    std::vector<bool> compose(limite + 1, false);
    for (int32_t i = 2; i * i <= limite; ++i)
        for (int32_t j = i * i; j <= limite; j += i)
            compose[j] = true;
    for (int32_t n = -5; n <= limite; ++n)
        EXPECT_EQ(estPremier(n), n >= 2 && !compose[n]) << n;
    EXPECT_TRUE(estPremier(2147483647));
    EXPECT_TRUE(estPremier(2147483629));
    EXPECT_FALSE(estPremier(2147483647 - 2));
    EXPECT_FALSE(estPremier(46337 * 46337));
    EXPECT_FALSE(estPremier(int32Min));
}

TEST(calculs, puissances_et_stockage) {
    Tetendu p = 0.0;
    EXPECT_TRUE(puissanceEntiere(0.0, 0, p));
    EXPECT_EQ(p, Tetendu(1.0));
    EXPECT_TRUE(puissanceEntiere(-1.0, int32Min, p));
    EXPECT_EQ(p, Tetendu(1.0));
    EXPECT_TRUE(puissanceEntiere(3.0, 5, p));
    EXPECT_EQ(p, Tetendu(243.0));
    EXPECT_TRUE(puissanceEntiere(2.0, -2, p));
    EXPECT_EQ(p, Tetendu(0.25));
    EXPECT_FALSE(puissanceEntiere(0.0, -3, p));
    EXPECT_TRUE(puissanceReelle(-8.0, 3e9, p) == false);
    EXPECT_TRUE(puissanceReelle(-2.0, -3.0, p));
    EXPECT_EQ(p, Tetendu(-0.125));
    double r = 0.0;
    EXPECT_TRUE(versDouble(std::numeric_limits<double>::max(), r));
    EXPECT_TRUE(versDouble(Tetendu(std::numeric_limits<double>::max()) * (Tetendu(1.0) + Tetendu(0x1p-60)), r));
    EXPECT_EQ(r, std::numeric_limits<double>::max());
    EXPECT_FALSE(versDouble(Tetendu(std::numeric_limits<double>::max()) * Tetendu(2.0), r));
    EXPECT_FALSE(versDouble(Tetendu(std::numeric_limits<double>::quiet_NaN()), r));
    EXPECT_TRUE(versDouble(Tetendu(1e-320), r));
    EXPECT_GT(r, 0.0);
}
