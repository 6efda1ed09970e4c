#include "analysis/cellules.h"
#include "analysis/declarations.h"
#include "banc_execution.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/messages.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A fresh workspace as an analysis starts it.
std::unique_ptr<TdonneesCommunes> espace() {
    auto d = banc::espaceAnalyse();
    d->codeErreur = 0;
    d->ligneErreur = aucuneLigne;
    return d;
}

// Declares the lines (UTF-8) in order, as the declaration pass does, each
// on its own line index; stops at the first failure.
void declarer(TdonneesCommunes& d, std::initializer_list<const char*> lignes) {
    int32_t ligne = 0;
    for (const char* texte : lignes) {
        analyserDeclaration(d, ligne++, depuisUtf8(texte));
        if (d.codeErreur != 0)
            return;
    }
}

// The code and its message together; `ligne` is the line to select.
::testing::AssertionResult echoue(std::initializer_list<const char*> lignes, int32_t code, int32_t ligne) {
    auto d = espace();
    declarer(*d, lignes);
    if (d->codeErreur != code || d->ligneErreur != ligne)
        return ::testing::AssertionFailure() << "code " << d->codeErreur << " ligne " << d->ligneErreur;
    if (messageAnalyse(code).empty())
        return ::testing::AssertionFailure() << "pas de message pour " << code;
    return ::testing::AssertionSuccess();
}

} // namespace

TEST(declarations, premieres_cases) {
    auto d = espace();
    declarer(*d, {"Entier i", "Réel x"});
    ASSERT_EQ(d->codeErreur, 0);
    EXPECT_EQ(d->nbVariables, 2);
    EXPECT_EQ(d->variables[1].nom, "i");
    EXPECT_EQ(d->variables[1].typeVariable, typeEntier);
    EXPECT_EQ(d->variables[1].premiereCase, 2);
    EXPECT_EQ(d->variables[1].nbCases, 1);
    EXPECT_EQ(d->variables[1].nbIndices, 0);
    EXPECT_EQ(d->variables[2].typeVariable, typeReel);
    EXPECT_EQ(d->variables[2].premiereCase, 10002);
    EXPECT_EQ(d->entierLibre, 3);
    EXPECT_EQ(d->reelLibre, 10003);
}

TEST(declarations, listes_et_tableaux) {
    auto d = espace();
    declarer(*d, {"Entier   i ; j ; L (1..100)", "Réel   x1 ; x2 ; y ; A (1..4 , 1..4)"});
    ASSERT_EQ(d->codeErreur, 0);
    EXPECT_EQ(d->nbVariables, 7);
    const Tvariable& l = d->variables[3];
    EXPECT_EQ(l.nom, "L");
    EXPECT_EQ(l.nbIndices, 1);
    EXPECT_EQ(l.premiereCase, 4);
    EXPECT_EQ(l.nbCases, 100);
    EXPECT_EQ(l.borneMin1, 1);
    EXPECT_EQ(l.borneMax1, 100);
    EXPECT_EQ(d->entierLibre, 104);
    const Tvariable& a = d->variables[7];
    EXPECT_EQ(a.nbIndices, 2);
    EXPECT_EQ(a.typeVariable, typeReel);
    EXPECT_EQ(a.premiereCase, 10005);
    EXPECT_EQ(a.nbCases, 16);
    EXPECT_EQ(a.borneMin2, 1);
    EXPECT_EQ(a.borneMax2, 4);
    EXPECT_EQ(d->reelLibre, 10005 + 16);
    EXPECT_EQ(chercherVariable(*d, "A"), 7);
    EXPECT_EQ(chercherVariable(*d, "a"), 0);
    EXPECT_EQ(chercherVariable(*d, "x2"), 5);
    EXPECT_EQ(chercherVariable(*d, "x2 "), 0);
    EXPECT_EQ(chercherVariable(*d, ""), 0);
}

TEST(declarations, noms) {
    auto d = espace();
    declarer(*d, {"Entier compteur; abcd_e", "Entier i;", "Réel pi(1..3)", "Entier cos; abs(1..3)",
                  "Entier L(0..5)"});
    ASSERT_EQ(d->codeErreur, 0);
    EXPECT_EQ(chercherVariable(*d, "comp"), 1);
    EXPECT_EQ(chercherVariable(*d, "compteur"), 0);
    EXPECT_EQ(chercherVariable(*d, "abcd"), 2);
    EXPECT_EQ(chercherVariable(*d, "pi"), 4);
    EXPECT_EQ(d->variables[chercherVariable(*d, "L")].nbCases, 6);
    EXPECT_EQ(d->variables[chercherVariable(*d, "L")].borneMin1, 0);
}

TEST(declarations, declarations_refusees) {
    const char* refusees[] = {
        "Entier i;;j", "Entier 1a", "Entier é", "Entier a b", "Réel pi", "Entier cos(1..3)",
        "Entier E(1..2)", "Entier L(1..1)", "Entier L(3..2)", "Entier L(-1..5)", "Entier L(1..5",
        "Entier A(1..2,1..2,1..2)", "Entier ;", "Entier  ", "Entier L()", "Entier (1..2)",
        "Entier L(1..2,)", "Entier L(,1..2)", "Entier L(1..2)x", "Entier _a", "Entier L(a..b)"};
    for (const char* ligne : refusees)
        EXPECT_TRUE(echoue({ligne}, errDeclaration, 0)) << ligne;
}

TEST(declarations, doublons_et_nombre) {
    EXPECT_TRUE(echoue({"Entier x", "Réel x"}, errDeclareeDeuxFois, 1));
    EXPECT_TRUE(echoue({"Entier comp", "Entier compteur"}, errDeclareeDeuxFois, 1));
    auto d = espace();
    declarer(*d, {"Entier a", "Entier A"});
    EXPECT_EQ(d->codeErreur, 0);

    std::string cinquante = "Entier v0";
    for (int k = 1; k < 50; ++k)
        cinquante += " ; v" + std::to_string(k);
    d = espace();
    declarer(*d, {cinquante.c_str()});
    EXPECT_EQ(d->codeErreur, 0);
    EXPECT_EQ(d->nbVariables, 50);
    EXPECT_TRUE(echoue({cinquante.c_str(), "Réel z"}, errTropDeVariables, 1));
}

TEST(declarations, capacites) {
    auto d = espace();
    declarer(*d, {"Entier L(0..9998)"});
    EXPECT_EQ(d->codeErreur, 0);
    EXPECT_EQ(d->entierLibre, 10001);
    EXPECT_TRUE(echoue({"Entier L(0..9998)", "Réel x", "Entier i"}, errCapacites, 2));
    EXPECT_TRUE(echoue({"Entier L(1..9999) ; i"}, errCapacites, 0));
    EXPECT_TRUE(echoue({"Entier L(0..2147483647)"}, errCapacites, 0));
    EXPECT_TRUE(echoue({"Réel A(1..100000,1..100000)"}, errCapacites, 0));
    EXPECT_TRUE(echoue({"Réel A(0..2147483647,0..2147483647)"}, errCapacites, 0));
    d = espace();
    declarer(*d, {"Réel R(1..9999)"});
    EXPECT_EQ(d->codeErreur, 0);
    EXPECT_EQ(d->reelLibre, 20001);
}
