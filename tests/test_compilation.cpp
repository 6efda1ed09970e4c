#include "analysis/cellules.h"
#include "analysis/compilation.h"
#include "analysis/declarations.h"
#include "analysis/desassembleur.h"
#include "banc_execution.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/messages.h"
#include "evaluation/evaluation.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

// A fresh analysis with integers n, m, k, reals x, y, the integer list
// L(1..100) and the integer table A(1..4 , 1..4). Texts are written in UTF-8.
struct Tessai {
    std::unique_ptr<TdonneesCommunes> d = banc::espaceAnalyse();

    Tessai() {
        for (const char* nom : {"n", "m", "k", "L(1..100)", "A(1..4,1..4)"})
            declarerVariable(*d, nom, false);
        for (const char* nom : {"x", "y"})
            declarerVariable(*d, nom, true);
    }

    TexpressionCompilee compiler(const std::string& utf8) { return compilerExpression(*d, depuisUtf8(utf8)); }

    // Compiles and runs; the value of an integer or condition result as an integer.
    int64_t entier(const std::string& utf8) {
        const int32_t debut = d->codeLibre;
        const TexpressionCompilee r = compiler(utf8);
        EXPECT_EQ(d->codeErreur, 0) << utf8;
        evaluerCode(*d, debut, d->codeLibre);
        EXPECT_EQ(d->erreurExecution, 0) << utf8;
        if (r.type == typeCondition)
            return d->conditions[r.cellule];
        EXPECT_EQ(r.type, typeEntier) << utf8;
        return d->entiers[r.cellule];
    }

    int32_t& variable(const char* nom) { return d->entiers[d->variables[chercherVariable(*d, nom)].premiereCase]; }
};

// The analysis error left by compiling `utf8`, checked with its message.
::testing::AssertionResult refuse(const std::string& utf8, int32_t code, const char* messageUtf8) {
    Tessai e;
    e.compiler(utf8);
    if (e.d->codeErreur != code)
        return ::testing::AssertionFailure() << "«" << utf8 << "» gives " << e.d->codeErreur << ", not " << code;
    if (messageAnalyse(code) != depuisUtf8(messageUtf8))
        return ::testing::AssertionFailure() << "message of " << code << ": " << versUtf8(messageAnalyse(code));
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult syntaxe(const std::string& utf8) { return refuse(utf8, errSyntaxe, "Erreur de syntaxe"); }

::testing::AssertionResult accepte(const std::string& utf8) {
    Tessai e;
    e.compiler(utf8);
    if (e.d->codeErreur != 0)
        return ::testing::AssertionFailure() << "«" << utf8 << "» gives " << e.d->codeErreur;
    return ::testing::AssertionSuccess();
}

std::string listing(Tessai& e, const std::string& utf8) {
    const int32_t debut = e.d->codeLibre;
    e.compiler(utf8);
    EXPECT_EQ(e.d->codeErreur, 0) << utf8;
    return desassembler(*e.d, debut, e.d->codeLibre);
}

} // namespace

TEST(compilation, exemple_du_listing) {
    auto d = banc::espaceAnalyse();
    declarerVariable(*d, "n", false);
    declarerVariable(*d, "x", true);
    ASSERT_EQ(d->variables[1].premiereCase, 2);
    ASSERT_EQ(d->variables[2].premiereCase, 10002);
    const TexpressionCompilee r = compilerExpression(*d, "(2*x+3)/(x-5)");
    ASSERT_EQ(d->codeErreur, 0);
    EXPECT_EQ(r.type, typeReel);
    EXPECT_EQ(r.cellule, 10006);
    EXPECT_EQ(d->codeLibre, 17);
    EXPECT_EQ(desassembler(*d, 1, d->codeLibre),
              "1 opMoinsReel 10002 3 10003\n"
              "5 opFoisReel 5 10002 10004\n"
              "9 opPlusReel 10004 4 10005\n"
              "13 opDivision 10005 10003 10006\n");
    EXPECT_EQ(d->entiers[3], 5);
    EXPECT_EQ(d->entiers[4], 3);
    EXPECT_EQ(d->entiers[5], 2);
    EXPECT_EQ(d->entierLibre, 6);
    EXPECT_EQ(d->reelLibre, 10007);
}

TEST(compilation, feuilles_sans_mots) {
    Tessai e;
    const int32_t x = e.d->variables[chercherVariable(*e.d, "x")].premiereCase;
    const int32_t libre = e.d->entierLibre;
    TexpressionCompilee r = e.compiler("x");
    EXPECT_EQ(r.type, typeReel);
    EXPECT_EQ(r.cellule, x);
    r = e.compiler(" ( (x) ) ");
    EXPECT_EQ(r.cellule, x);
    r = e.compiler("+x");
    EXPECT_EQ(r.cellule, x);
    r = e.compiler("pi");
    EXPECT_EQ(r.type, typeReel);
    EXPECT_EQ(r.cellule, 10001);
    // Each literal gets a cell of its own.
    r = e.compiler("3");
    EXPECT_EQ(r.type, typeEntier);
    EXPECT_EQ(r.cellule, libre);
    EXPECT_EQ(e.compiler("3").cellule, libre + 1);
    EXPECT_EQ(e.d->entiers[libre + 1], 3);
    r = e.compiler("-5");
    EXPECT_EQ(e.d->entiers[r.cellule], -5);
    r = e.compiler("$FF");
    EXPECT_EQ(e.d->entiers[r.cellule], 255);
    r = e.compiler("1.5E3");
    EXPECT_EQ(r.type, typeReel);
    EXPECT_EQ(caseReelle(*e.d, r.cellule), 1500.0);
    r = e.compiler("-2.5");
    EXPECT_EQ(caseReelle(*e.d, r.cellule), -2.5);
    EXPECT_EQ(e.d->codeErreur, 0);
    EXPECT_EQ(e.d->codeLibre, 1);
}

TEST(compilation, priorites_et_groupements) {
    Tessai e;
    // Operators of one row group to the left.
    EXPECT_EQ(e.entier("10 - 4 - 3"), 3);
    EXPECT_EQ(e.entier("quot(E(2 ^ 3 ^ 2), 1)"), 64);
    EXPECT_EQ(e.entier("2 * 3 + 4"), 10);
    EXPECT_EQ(e.entier("2 + 3 * 4"), 14);
    EXPECT_EQ(e.entier("E(-2^2)"), 4);
    e.variable("n") = 2;
    EXPECT_EQ(e.entier("E(-n^2)"), -4);
    EXPECT_EQ(e.entier("-5*n"), -10);
    EXPECT_EQ(e.entier("- 5*n"), -10);
    EXPECT_EQ(e.entier("3!+1"), 7);
    EXPECT_EQ(e.entier("2*3!"), 12);
    EXPECT_EQ(e.entier("n!!"), 2);
    EXPECT_EQ(e.entier("n * (-n)"), -4);
    EXPECT_EQ(e.entier("max(min(1, 5), 3)"), 3);
    EXPECT_EQ(e.entier("quot(7, 2) * 2 + reste(7, 2)"), 7);
    // Comparisons bind more loosely than arithmetic, "et" more loosely than "ou".
    EXPECT_EQ(e.entier("n + 1 = 3"), 1);
    e.variable("n") = 1;
    e.variable("m") = 0;
    e.variable("k") = 0;
    EXPECT_EQ(e.entier("n = 1 ou m = 1 et k = 1"), 0);
    e.variable("n") = 0;
    e.variable("k") = 1;
    EXPECT_EQ(e.entier("n = 1 et m = 1 ou k = 1"), 0);
    e.variable("n") = 1;
    e.variable("m") = 1;
    EXPECT_EQ(e.entier("non n = 1 ou m = 1"), 1);
    EXPECT_EQ(e.entier("non (n = 1 ou m = 1)"), 0);
    EXPECT_EQ(e.entier("\xC2\xB5(1 < 2) + \xC2\xB5(2 < 1)"), 1);
    EXPECT_EQ(e.entier("\xC2\xB5(n > 0) * 5"), 5);
    EXPECT_EQ(e.entier("E(2.7) + ent(2.7) + int(2.7)"), 6);
}

TEST(compilation, ordre_des_mots) {
    Tessai e;
    // Cells: n 2, m 3, k 4, L 5..104, A 105..120, then temporaries from 121;
    // x 10002, y 10003, temporaries from 10004. Variables: n 1, L 4, A 5.
    // "+" is cut before "-" and "*" before "/"; the right-hand part runs first.
    EXPECT_EQ(listing(e, "n + m - k"),
              "1 opMoinsEntier 3 4 121\n"
              "5 opPlusEntier 2 121 122\n");
    EXPECT_EQ(listing(e, "n - m + k"),
              "9 opMoinsEntier 2 3 123\n"
              "13 opPlusEntier 123 4 124\n");
    EXPECT_EQ(listing(e, "n * m / k"),
              "17 opDivision 3 4 10004\n"
              "21 opFoisReel 2 10004 10005\n");
    EXPECT_EQ(listing(e, "x ^ n"), "25 opPuissanceEntier 10002 2 10006\n");
    EXPECT_EQ(listing(e, "x ^ y"), "29 opPuissanceReel 10002 10003 10007\n");
    EXPECT_EQ(listing(e, "L(n)"), "33 opElementListeEntier 2 125 4\n");
    EXPECT_EQ(listing(e, "A(n, m)"), "37 opElementTableauEntier 2 3 126 5\n");
    EXPECT_EQ(listing(e, "non n < m"),
              "42 opInfEntier 2 3 1\n"
              "46 opNon 1 2\n");
}

TEST(compilation, erreurs_de_syntaxe) {
    for (const char* texte : {"", "   ", "()", "(  )", "+", "-", "n +", "* n", "x * -y", "x - -y", "2^-1",
                              "1.5E-3", "1E5", "x < y < z", "x = non y", "n non m", "cosh(x)", "arccos(x)",
                              "arctanh(x)", "min(x,y,z)", "min(x)", "quot(1,)", "PI", "z", "n!2", "n premier 5",
                              "n premier + 1", "L", "n(1)", "A(1)", "L(1,2)", "L(x)", "A(1, 2.0)", "quot(x, 2)",
                              "n et m", "n = 1 + (m = 1)", "\xC2\xB5(n)", "3 divise x", "2147483648", "1.0E400",
                              "cos x", "cos", "cos(x)(y)", "x cos(y)", "(x)cos(y)", "1..2", "3,5", "12a", "non",
                              "x!", "pi(1)", "n m"})
        EXPECT_TRUE(syntaxe(texte));
    for (const char* texte : {"x * (-y)", "2^(-1)", "1.0E5", "-2147483648", "n!", "n premier",
                              "non (n < 1)", "cos (x) ", "Rhasard(x, 1)", "Ehasard(1, n)", "E(x)", "abs(n)",
                              "A(max(1,2), 3)", "L((n))", "arrondi(x, n)", "n divise m"})
        EXPECT_EQ(accepte(texte) ? "" : texte, std::string());
}

TEST(compilation, parenthesage) {
    for (const char* texte : {"(1 + 2", "1 + 2)", ")(", "(()", "cos(x))"})
        EXPECT_TRUE(refuse(texte, errParenthesage, "Erreur de parenthésage"));
    // Brackets are counted before anything else.
    EXPECT_TRUE(refuse("+ )", errParenthesage, "Erreur de parenthésage"));
}

TEST(compilation, variable_cache_fonction) {
    auto d = banc::espaceAnalyse();
    declarerVariable(*d, "cos", true);
    declarerVariable(*d, "abs(1..3)", false);
    declarerVariable(*d, "x", true);
    compilerExpression(*d, "cos(x)");
    EXPECT_EQ(d->codeErreur, errSyntaxe);
    d->codeErreur = 0;
    d->entiers[d->variables[2].premiereCase + 1] = 7;
    const int32_t debut = d->codeLibre;
    const TexpressionCompilee r = compilerExpression(*d, "abs(2)");
    ASSERT_EQ(d->codeErreur, 0);
    evaluerCode(*d, debut, d->codeLibre);
    EXPECT_EQ(d->entiers[r.cellule], 7);
    // The variable "cos" itself is an ordinary real.
    EXPECT_EQ(compilerExpression(*d, "cos").cellule, d->variables[1].premiereCase);
}

TEST(compilation, capacites) {
    {
        Tessai e;
        for (int k = 0; k < 500; ++k)
            e.compiler("1 < 2");
        EXPECT_EQ(e.d->codeErreur, 0);
        EXPECT_EQ(e.d->conditionLibre, 501);
        e.compiler("1 < 2");
        EXPECT_EQ(e.d->codeErreur, errCapacites);
        EXPECT_EQ(messageAnalyse(errCapacites), depuisUtf8("Dépassement des capacités du logiciel"));
    }
    {
        // Words 9997..10000 are the last four.
        Tessai e;
        e.d->codeLibre = 9997;
        e.compiler("n + m");
        EXPECT_EQ(e.d->codeErreur, 0);
        EXPECT_EQ(e.d->codeLibre, 10001);
        EXPECT_FALSE(ajouterMot(*e.d, 1));
        EXPECT_EQ(e.d->codeErreur, errCapacites);
        EXPECT_EQ(e.d->codeLibre, 10001);
    }
    {
        Tessai e;
        e.d->codeLibre = 9998;
        e.compiler("n + m");
        EXPECT_EQ(e.d->codeErreur, errCapacites);
    }
    {
        Tessai e;
        e.d->entierLibre = 10000;
        e.compiler("n + m");
        EXPECT_EQ(e.d->codeErreur, 0);
        e.compiler("1");
        EXPECT_EQ(e.d->codeErreur, errCapacites);
    }
    {
        Tessai e;
        e.d->reelLibre = 20001;
        e.compiler("n / m");
        EXPECT_EQ(e.d->codeErreur, errCapacites);
    }
    {
        // 2000 terms fit: 7996 words and 3999 integer cells.
        Tessai e;
        std::string somme = "1";
        for (int k = 1; k < 2000; ++k)
            somme += "+1";
        EXPECT_EQ(e.entier(somme), 2000);
        // 3000 do not.
        for (int k = 2000; k < 3000; ++k)
            somme += "+1";
        e.compiler(somme);
        EXPECT_EQ(e.d->codeErreur, errCapacites);
    }
}

TEST(compilation, imbrications_profondes) {
    const int profondeur = 100000;
    {
        Tessai e;
        const std::string texte = std::string(profondeur, '(') + "x" + std::string(profondeur, ')');
        const auto debut = std::chrono::steady_clock::now();
        const TexpressionCompilee r = e.compiler(texte);
        const auto duree = std::chrono::steady_clock::now() - debut;
        EXPECT_EQ(e.d->codeErreur, 0);
        EXPECT_EQ(r.cellule, 10002);
        // Generous: only a quadratic normalisation would come near it.
        EXPECT_LT(duree, std::chrono::seconds(2));
    }
    {
        // Too deep to compile: refused as beyond the capacities, without
        // exhausting the stack.
        Tessai e;
        std::string texte;
        for (int k = 0; k < profondeur; ++k)
            texte += "-(";
        texte += "x" + std::string(profondeur, ')');
        e.compiler(texte);
        EXPECT_EQ(e.d->codeErreur, errCapacites);
        std::string abs;
        for (int k = 0; k < profondeur; ++k)
            abs += "abs(1+";
        abs += "x" + std::string(profondeur, ')');
        Tessai f;
        f.compiler(abs);
        EXPECT_EQ(f.d->codeErreur, errCapacites);
    }
    {
        // A long flat chain: each level finds its operator without
        // rescanning the rest of the text.
        Tessai e;
        std::string somme = "n";
        for (int k = 0; k < profondeur; ++k)
            somme += " + n";
        const auto debut = std::chrono::steady_clock::now();
        e.compiler(somme);
        const auto duree = std::chrono::steady_clock::now() - debut;
        EXPECT_EQ(e.d->codeErreur, errCapacites);
        EXPECT_LT(duree, std::chrono::seconds(2));
    }
}

TEST(compilation, desassemblage) {
    Tessai e;
    e.compiler("Ehasard(1, 6) < 3 et 2 premier");
    EXPECT_EQ(desassembler(*e.d, 1, e.d->codeLibre),
              "1 opPremier 121 1\n"
              "4 opEhasard 124 123 125\n"
              "8 opInfEntier 125 122 2\n"
              "12 opEt 2 1 3\n");
    e.d->code[e.d->codeLibre] = 999;
    EXPECT_EQ(desassembler(*e.d, 12, e.d->codeLibre + 1), "12 opEt 2 1 3\n16 ? 999\n");
}
