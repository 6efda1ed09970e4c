// The rows of the "Suivi" table: which cells show a change, and their texts
// as the table shows them (the cut is checked through the window).
#include "base/codage.h"
#include "commands/lignes_suivi.h"

#include <gtest/gtest.h>

#include <string>

namespace {

Tvariable variable(const char* nom, int32_t type, int32_t nbIndices) {
    Tvariable v;
    v.nom = nom;
    v.typeVariable = type;
    v.nbIndices = nbIndices;
    v.borneMin1 = 1;
    v.borneMax1 = 3;
    return v;
}

} // namespace

TEST(lignes_suivi, changements_et_textes) {
    // Columns: pas, ligne, instruction, n, x, éléments.
    TcolonnesSuivi colonnes;
    colonnes.variables = {variable("n", typeEntier, 0), variable("x", 2, 0), variable("L", typeEntier, 1)};
    colonnes.simples = {1, 2};
    colonnes.instructions = {"Donner \xE0 n la valeur 1", "Donner \xE0 x la valeur 1/2", "Donner \xE0 L(2) la valeur 4"};
    TlignesSuivi lignes;
    lignes.commencer(colonnes);
    lignes.ajouter({1, 0, {1, 0}, 0, 0, 0, 0});
    lignes.ajouter({2, 1, {1, 0.5}, 0, 0, 0, 0});
    lignes.ajouter({3, 2, {1, 0.5}, 3, 2, 0, 4});
    ASSERT_EQ(lignes.nombre(), 3);
    ASSERT_EQ(lignes.nbColonnes(), 6);
    struct Tcas {
        int32_t ligne, colonne;
        bool change;
        const char* texte;   // UTF-8
    };
    const Tcas cas[] = {
        {0, colonnePas, false, "1"},
        {0, colonneLigne, false, "1"},
        {0, colonneInstruction, false, "Donner à n la valeur 1"},
        {0, 3, true, "1"},     // 0 before the first step
        {0, 4, false, "0"},
        {0, 5, false, ""},
        {1, 3, false, "1"},
        {1, 4, true, "0.5"},
        {2, 4, false, "0.5"},
        {2, 5, true, "L(2) = 4"},
        {3, 3, false, nullptr},   // no such row
    };
    for (const Tcas& c : cas) {
        EXPECT_EQ(lignes.change(c.ligne, c.colonne), c.change) << c.ligne << " " << c.colonne;
        if (c.texte) {
            EXPECT_EQ(versUtf8(lignes.texte(c.ligne, c.colonne)), c.texte) << c.ligne << " " << c.colonne;
        }
    }
    EXPECT_EQ(versUtf8(lignes.titre(5)), "éléments");
}
