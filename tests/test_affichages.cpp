// The two display modes of the display pane.
#include "banc_execution.h"
#include "base/donnees.h"
#include "execution/affichages.h"
#include "execution/controle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace banc;

TEST(affichages, resultats_avant_toute_execution) {
    Tbanc b;
    b.demarrer();
    EXPECT_EQ(b.f.lignesAffichage.front(), "     1/ Les commentaires");
    choisirAffichage(*b.d, modeResultats);
    EXPECT_EQ(b.affichage(), (Vlignes{"Aucun résultat disponible"}));
    EXPECT_TRUE(b.f.resultatCoche);
    EXPECT_FALSE(b.f.informationsCochee);
}

TEST(affichages, informations_une_seule_fois) {
    Tbanc b;
    b.demarrer();
    b.f.legendeAffichages("autre");
    choisirAffichage(*b.d, modeInformations);
    EXPECT_EQ(b.f.lignesAffichage.size(), 81u);
    EXPECT_EQ(b.f.affichages, "autre");
    choisirAffichage(*b.d, modeResultats);
    choisirAffichage(*b.d, modeInformations);
    EXPECT_EQ(b.f.lignesAffichage.size(), 81u);
    EXPECT_EQ(b.f.affichages, "Affichage - Informations");
    EXPECT_TRUE(b.f.informationsCochee);
    EXPECT_FALSE(b.f.resultatCoche);
}

TEST(affichages, resultats_gardes_pendant_les_informations) {
    Tbanc b;
    b.demarrer();
    choisirAffichage(*b.d, modeResultats);
    b.f.lignesAffichage = {" un", "  deux", " "};
    choisirAffichage(*b.d, modeInformations);
    EXPECT_EQ(b.d->resultatsSauves, " un\r\n  deux\r\n ");
    choisirAffichage(*b.d, modeResultats);
    EXPECT_EQ(b.f.lignesAffichage, (Vlignes{" un", "  deux", " "}));
}
