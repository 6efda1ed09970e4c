// A window whose display pane is full: the burst stops at its next display
// and the run is suspended with its own line, and goes on at Poursuivre.
#include "banc_execution.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Full once it holds `limite` lines.
struct TfenetreLimitee : TfenetreMemoire {
    size_t limite = 0;
    bool affichagePlein() override { return lignesAffichage.size() >= limite; }
};

} // namespace

TEST(affichages_pleins, la_rafale_s_arrete_et_l_execution_est_suspendue) {
    const std::string plein = depuisUtf8(" Exécution suspendue : le panneau des affichages est plein.");
    for (const bool rapide : {true, false}) {
        banc::TbancSur<TfenetreLimitee> b;
        auto& f = b.f;
        auto& d = b.d;
        f.limite = 1000;
        d->formesRapides = rapide;
        f.taper(depuisUtf8("Entier n\r\n[a]\r\nDonner à n la valeur n+1\r\nAfficher n\r\nAller à [a] si n > 0"));
        lancerExecution(*d, executionNormale);
        ASSERT_EQ(f.lignesAffichage.size(), 1001u) << rapide;
        EXPECT_EQ(f.lignesAffichage[999], "  1000");
        EXPECT_EQ(f.lignesAffichage[1000], plein);
        EXPECT_EQ(d->nbPas, 2999);   // up to the 1000th display, nothing after it
        EXPECT_TRUE(f.poursuivreActif);

        poursuivreExecution(*d);
        ASSERT_EQ(f.lignesAffichage.size(), 1003u);
        EXPECT_EQ(f.lignesAffichage[1001], "  1001");
        EXPECT_EQ(f.lignesAffichage[1002], plein);

        // Room again: the burst runs its ten million instructions.
        f.limite = 100000000;
        poursuivreExecution(*d);
        EXPECT_EQ(f.lignesAffichage.back(), depuisUtf8(" Exécution suspendue après 10 millions d'instructions."));
    }
}
