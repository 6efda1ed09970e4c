// The step back of a commented run: over random programs (loops, lists,
// random draws, calls and returns, displays) and random sequences of steps
// forward and back, the pane, the cells and the registers are byte for byte
// those of a fresh run taken the same number of steps forward.
#include "banc_execution.h"
#include "base/donnees.h"
#include "execution/controle.h"
#include "execution/historique.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using namespace banc;

namespace {

std::string programmeAuHasard(std::mt19937& g) {
    static const char* const modeles[] = {
        "Donner à a la valeur a + 1",
        "Donner à b la valeur Ehasard(1,5)",
        "Donner à L(b) la valeur a * 3 - L(b)",
        "Donner à x la valeur x / 2 + Rhasard(0,1)",
        "Afficher a ; x",
        "Afficher L (1..5)",
        "Aller à [s] et revenir",
        "Donner à a la valeur a + L(b) - L(b)",
    };
    std::string texte = "Entier a ; b ; L (1..5)\r\nRéel x\r\nDonner à b la valeur 1\r\n[debut]\r\n"
                        "Donner à a la valeur a + 1\r\nAfficher a\r\n";
    const int n = 2 + static_cast<int>(g() % 6);
    for (int k = 0; k < n; ++k)
        texte += std::string(modeles[g() % std::size(modeles)]) + "\r\n";
    return texte + "Aller à [debut] si a < 30\r\nAller à [fin]\r\n[s]\r\nDonner à x la valeur x + a\r\nRevenir\r\n[fin]";
}

void comparer(const Tbanc& a, const Tbanc& b, const std::string& contexte) {
    EXPECT_EQ(a.f.lignesAffichage, b.f.lignesAffichage) << contexte;
    EXPECT_EQ(0, std::memcmp(a.d->entiers, b.d->entiers, sizeof a.d->entiers)) << contexte;
    EXPECT_EQ(0, std::memcmp(a.d->reels, b.d->reels, sizeof a.d->reels)) << contexte;
    EXPECT_EQ(0, std::memcmp(a.d->conditions, b.d->conditions, sizeof a.d->conditions)) << contexte;
    EXPECT_EQ(a.d->nbPas, b.d->nbPas) << contexte;
    EXPECT_EQ(a.d->ligneCourante, b.d->ligneCourante) << contexte;
    EXPECT_EQ(a.d->etatHasard, b.d->etatHasard) << contexte;
    EXPECT_EQ(a.d->nbRetours, b.d->nbRetours) << contexte;
    EXPECT_EQ(0, std::memcmp(a.d->pileRetours, b.d->pileRetours, sizeof a.d->pileRetours)) << contexte;
    EXPECT_EQ(a.f.poursuivreActif, b.f.poursuivreActif) << contexte;
}

} // namespace

TEST(historique, reculer_puis_avancer_comme_sans_recul) {
    std::mt19937 g(2026);
    for (int essai = 0; essai < 40; ++essai) {
        const std::string programme = programmeAuHasard(g);
        Tbanc a;
        a.demarrer();
        a.taper(programme.c_str());
        lancerExecution(*a.d, executionCommentee);
        ASSERT_EQ(a.d->codeErreur, 0) << programme;
        int32_t faits = 1;
        std::string suite;
        for (int k = 0; k < 80 && a.f.poursuivreActif; ++k) {
            if (g() % 5 < 3) {
                poursuivreExecution(*a.d);
                ++faits;
                suite += '+';
            } else if (faits > 0) {
                pasPrecedent(*a.d);
                --faits;
                suite += '-';
            }
        }
        Tbanc b;
        b.demarrer();
        b.taper(programme.c_str());
        if (faits == 0) {
            ASSERT_TRUE(preparerExecution(*b.d, executionCommentee));
            b.f.poursuivreActif = true;
        } else {
            lancerExecution(*b.d, executionCommentee);
            for (int32_t k = 1; k < faits; ++k)
                poursuivreExecution(*b.d);
        }
        comparer(a, b, programme + "\n" + suite);
        // Back to the start of the run, then on again.
        if (a.f.poursuivreActif) {
            while (pasPrecedentPossible(*a.d))
                pasPrecedent(*a.d);
            EXPECT_EQ(a.d->nbPas, 0);
            EXPECT_TRUE(a.f.lignesAffichage.empty());
        }
    }
}
