// The rows of the "Variables" panel: the texts of every column for simple
// variables, lists and tables (the elements' indices from their rows), and
// what a step marks changed.
#include "banc_execution.h"
#include "commands/lignes_variables.h"

#include <gtest/gtest.h>

#include <string>

using namespace banc;

using L = TlignesVariables;

TEST(lignes_variables, textes_des_colonnes) {
    Tbanc b;
    b.demarrer();
    b.taper("Entier n ; L (1..3) ; A (1..2 , 0..1)\r\nRéel x ; R (0..20)\r\n"
            "Donner à n la valeur 3\r\nDonner à L(2) la valeur -4\r\nDonner à A(2,0) la valeur 7\r\n"
            "Donner à x la valeur 1/4\r\nDonner à R(20) la valeur 2.5\r\nDonner à R(0) la valeur 1/3\r\nAfficher n");
    ASSERT_EQ(b.d->codeErreur, 0);
    lancerExecution(*b.d, executionNormale);
    L lignes;
    lignes.commencer(*b.d);
    lignes.mettreAJour(*b.d);
    ASSERT_EQ(lignes.nbVariables(), 5);
    EXPECT_EQ(lignes.nbElements(0), 0);
    EXPECT_EQ(lignes.nbElements(2), 4);
    EXPECT_EQ(lignes.nbElements(4), 21);
    struct Tcas {
        int32_t variable, element;
        L::Tcolonne colonne;
        const char* texte;   // UTF-8
    };
    const Tcas cas[] = {
        {0, L::ligneVariable, L::colonneNom, "n"},
        {0, L::ligneVariable, L::colonneType, "entier"},
        {0, L::ligneVariable, L::colonneValeur, "3"},
        {1, L::ligneVariable, L::colonneType, "entier (1..3)"},
        {1, L::ligneVariable, L::colonneValeur, "0  -4  0"},
        {1, 1, L::colonneNom, "L(2)"},
        {1, 1, L::colonneType, ""},
        {1, 1, L::colonneValeur, "-4"},
        {2, L::ligneVariable, L::colonneType, "entier (1..2 , 0..1)"},
        {2, 0, L::colonneNom, "A(1,0)"},
        {2, 2, L::colonneNom, "A(2,0)"},
        {2, 3, L::colonneNom, "A(2,1)"},
        {2, 2, L::colonneValeur, "7"},
        {3, L::ligneVariable, L::colonneType, "réel"},
        {3, L::ligneVariable, L::colonneValeur, "0.25"},
        {4, L::ligneVariable, L::colonneType, "réel (0..20)"},
        // Folded: the first 12 elements, then an ellipsis.
        {4, L::ligneVariable, L::colonneValeur, "0.33333333  0  0  0  0  0  0  0  0  0  0  0  …"},
        {4, 0, L::colonneNom, "R(0)"},
        {4, 20, L::colonneNom, "R(20)"},
        {4, 20, L::colonneValeur, "2.5"},
    };
    for (const Tcas& c : cas)
        EXPECT_EQ(versUtf8(lignes.texte(c.variable, c.element, c.colonne)), c.texte)
            << c.variable << " " << c.element << " " << c.colonne;
    EXPECT_EQ(L::titre(L::colonneValeur), "Valeur");
}

TEST(lignes_variables, changements_d_un_pas_a_l_autre) {
    Tbanc b;
    b.demarrer();
    const char* programme = "Entier n ; L (1..5)\r\nDonner à L(2) la valeur 5\r\nDonner à L(4) la valeur 7\r\n"
                            "Donner à n la valeur 1\r\nDonner à n la valeur 1\r\nAfficher n";
    b.taper(programme);
    lancerExecution(*b.d, executionCommentee);   // runs the first step
    L lignes;
    EXPECT_FALSE(lignes.memesVariables(*b.d));
    lignes.commencer(*b.d);
    EXPECT_TRUE(lignes.memesVariables(*b.d));
    // After each step: whether n and L changed, L's changed elements, and the
    // span of L's rows to repaint (those changed now or before), the texts
    // of n and L before the step (empty where unchanged); a changed element was 0.
    struct Tpas {
        bool n, liste;
        std::vector<int32_t> elements;
        L::Tplage repeindre;
        const char *avantN, *avantListe;
    };
    const Tpas pas[] = {
        {false, true, {1}, {1, 1}, "", "0  0  0  0  0"},
        {false, true, {3}, {1, 3}, "", "0  5  0  0  0"},
        {true, false, {}, {3, 3}, "0", ""},
        {false, false, {}, {-1, -1}, "", ""},   // the same value again: unchanged
    };
    for (size_t k = 0; k < std::size(pas); ++k) {
        if (k > 0)
            poursuivreExecution(*b.d);
        lignes.mettreAJour(*b.d);
        const Tpas& p = pas[k];
        EXPECT_EQ(lignes.change(0, L::ligneVariable), p.n) << k;
        EXPECT_EQ(lignes.change(1, L::ligneVariable), p.liste) << k;
        EXPECT_EQ(lignes.texteAvant(0, L::ligneVariable), p.avantN) << k;
        EXPECT_EQ(lignes.texteAvant(1, L::ligneVariable), p.avantListe) << k;
        for (int32_t e = 0; e < 5; ++e) {
            const bool changee = std::find(p.elements.begin(), p.elements.end(), e) != p.elements.end();
            EXPECT_EQ(lignes.change(1, e), changee) << k << " " << e;
            EXPECT_EQ(lignes.texteAvant(1, e), changee ? "0" : "") << k << " " << e;
        }
        EXPECT_EQ(lignes.aRepeindre(1).premier, p.repeindre.premier) << k;
        EXPECT_EQ(lignes.aRepeindre(1).dernier, p.repeindre.dernier) << k;
    }
    b.taper("Entier n ; L (1..6)\r\nAfficher n");   // another declaration: new rows
    lancerExecution(*b.d, executionNormale);
    EXPECT_FALSE(lignes.memesVariables(*b.d));
}
