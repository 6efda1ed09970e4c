// The reference text and the new-program template.
#include "banc_execution.h"
#include "base/codage.h"
#include "execution/textes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace banc;

TEST(textes, modele_de_nouveau_programme) {
    Tbanc b;
    b.f.taper("ancien");
    modeleNouveauProgramme(*b.d);
    EXPECT_EQ(b.f.programme, "Nouveau programme");
    EXPECT_FALSE(b.f.modifie);
    ASSERT_EQ(b.f.lignesEditeur.size(), 18u);
    for (size_t i = 0; i < 18; ++i) {
        if (i == 1 || i == 3 || i == 5 || i == 7)
            EXPECT_EQ(b.f.lignesEditeur[i], " ") << i;
        else
            EXPECT_EQ(b.f.lignesEditeur[i][0], '#') << i;
    }
    EXPECT_EQ(versUtf8(b.f.lignesEditeur[16]), "# Donner à  ?  la valeur  ?");
    EXPECT_EQ(b.f.lignesEditeur[17], "# Afficher   ?");
}

TEST(textes, texte_de_reference) {
    const Vlignes& t = texteReference();
    ASSERT_EQ(t.size(), 81u);
    for (size_t n : {6, 13, 25, 31, 41, 49, 60, 76, 81})
        EXPECT_TRUE(t[n - 1].empty()) << n;
    EXPECT_EQ(t[0], "    1/ Les commentaires");
    const size_t debuts[] = {7, 14, 26, 32, 42, 61, 77};
    for (size_t k = 0; k < 7; ++k)
        EXPECT_EQ(t[debuts[k] - 1].rfind("     " + std::to_string(k + 2) + "/ ", 0), 0u) << debuts[k];
    EXPECT_EQ(t[2], "   Exemples :");
    for (size_t n : {10, 17, 28, 36})
        EXPECT_EQ(t[n - 1], "  Exemples :") << n;
    EXPECT_EQ(t[13], "     3/ Les branchements ");
    EXPECT_EQ(versUtf8(t[25]), "     4/ Les affectations de valeurs à des variables ");
    EXPECT_EQ(t[36], "Afficher     \"k = \" ; k ; \"x = \" ; x ; L (k)");
    EXPECT_EQ(versUtf8(t[79]), "Aller à [point 1] si (a divise 2*b) ou  non (p+1 premier)");
}
