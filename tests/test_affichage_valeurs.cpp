// The display words: texts, values and ranges appended to the output line.
#include "banc_execution.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/operations.h"
#include "evaluation/affichage_valeurs.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace banc;

namespace {

// Writes the words at 1.., runs them as display words, returns what they built.
std::string afficher(TdonneesCommunes& d, std::initializer_list<int32_t> mots, bool& reussi, int32_t& w) {
    int32_t n = 1;
    for (int32_t m : mots)
        d.code[n++] = m;
    d.ligneAffichee.clear();
    d.erreurExecution = 0;
    w = 1;
    reussi = true;
    while (w < n && reussi)
        reussi = executerAffichage(d, w);
    return versUtf8(d.ligneAffichee);
}

} // namespace

TEST(affichage_valeurs, textes_colles_valeurs_separees) {
    Tbanc b;
    auto& d = *b.d;
    d.textesAffiches = "k = x = ";
    d.entiers[2] = 3;
    caseReelle(d, 10002) = 2.5;
    d.entiers[3] = 7;
    d.conditions[1] = 1;
    bool reussi = false;
    int32_t w = 0;
    EXPECT_EQ(afficher(d, {opAfficherTexte, 1, 4, opAfficherEntier, 2, opAfficherTexte, 5, 4, opAfficherReel, 10002,
                           opAfficherEntier, 3, opAfficherCondition, 1},
                       reussi, w),
              "k =  3x =  2.5 7 V");
    EXPECT_TRUE(reussi);
    EXPECT_EQ(w, 15);
    EXPECT_EQ(afficher(d, {opAfficherTexte, 1, 0, opAfficherEntier, 1}, reussi, w), " 0");
}

TEST(affichage_valeurs, plages_de_liste) {
    Tbanc b;
    auto& d = *b.d;
    d.variables[1] = variable("L", typeEntier, 10, 1, 3);
    d.variables[2] = variable("R", typeReel, 10002, -1, 1);
    d.entiers[10] = 4;
    d.entiers[11] = 5;
    d.entiers[12] = 6;
    caseReelle(d, 10002) = 0.5;
    caseReelle(d, 10003) = 1.0 / 3;
    caseReelle(d, 10004) = 1e11;
    d.entiers[2] = 1;
    d.entiers[3] = 3;
    d.entiers[4] = 4;
    d.entiers[5] = -1;
    bool reussi = false;
    int32_t w = 0;
    EXPECT_EQ(afficher(d, {opAfficherListe, 2, 3, 1}, reussi, w), "  4  5  6");
    EXPECT_EQ(afficher(d, {opAfficherListe, 3, 2, 1}, reussi, w), "  6  5  4");
    EXPECT_EQ(afficher(d, {opAfficherListe, 3, 3, 1}, reussi, w), "  6");
    EXPECT_EQ(afficher(d, {opAfficherListe, 5, 2, 2}, reussi, w), "  0.5  0.33333333  1 x 10^(11)");
    // One bound outside: nothing at all is appended, the word is not passed.
    EXPECT_EQ(afficher(d, {opAfficherTexte, 1, 0, opAfficherListe, 2, 4, 1}, reussi, w), "");
    EXPECT_FALSE(reussi);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(afficher(d, {opAfficherListe, 4, 2, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
}

TEST(affichage_valeurs, lignes_et_colonnes_de_tableau) {
    Tbanc b;
    auto& d = *b.d;
    d.variables[1] = variable("A", typeEntier, 100, 1, 4, 1, 4);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            d.entiers[100 + (i - 1) * 4 + (j - 1)] = 10 * i + j;
    d.entiers[2] = 1;
    d.entiers[3] = 4;
    d.entiers[4] = 2;
    d.entiers[5] = 5;
    bool reussi = false;
    int32_t w = 0;
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 2, 2, 3, 1}, reussi, w), "  11  12  13  14");
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 2, 3, 2, 1}, reussi, w), "  14  13  12  11");
    EXPECT_EQ(afficher(d, {opAfficherColonneTableau, 2, 3, 4, 1}, reussi, w), "  12  22  32  42");
    EXPECT_EQ(afficher(d, {opAfficherColonneTableau, 3, 4, 4, 1}, reussi, w), "  42  32  22");
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 2, 2, 5, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 5, 2, 3, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(afficher(d, {opAfficherColonneTableau, 2, 3, 5, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
}
