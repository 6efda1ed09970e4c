// Inputs that once broke the program, kept as regressions.
#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "analysis/fenetre_memoire.h"
#include "analysis/lignes.h"
#include "execution/controle.h"
#include "expressions/hasard.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// One record for several programs, as the window keeps one for its whole life.
struct Tsession {
    TfenetreMemoire f;
    std::unique_ptr<TdonneesCommunes> d = std::make_unique<TdonneesCommunes>();

    Tsession() {
        d->fenetre = &f;
        d->modeAffichage = modeResultats;
        initialiserHasard(*d, 3);
    }

    std::vector<std::string> executer(const char* texteUtf8, int32_t mode = executionNormale, int poursuites = 0) {
        f.lignesEditeur = decouperLignes(depuisUtf8(texteUtf8));
        lancerExecution(*d, mode);
        for (int k = 0; k < poursuites && f.poursuivreActif; ++k)
            poursuivreExecution(*d);
        std::vector<std::string> lignes;
        for (const auto& l : f.lignesAffichage)
            lignes.push_back(versUtf8(l));
        return lignes;
    }
};

} // namespace

TEST(robustesse, un_retour_ne_garde_pas_le_code_d_une_analyse_precedente) {
    // The first program leaves on line 5 a division by n; the second has a
    // return there, with n = 0: the return must run no code at all.
    for (int32_t mode : {executionNormale, executionCommentee}) {
        Tsession s;
        s.executer("Entier n\nRéel x\nDonner à n la valeur 5\nDonner à x la valeur 2\nAfficher x\n"
                   "Donner à x la valeur 1/n\nAfficher x");
        const auto lignes = s.executer("Entier n\nAller à [f] et revenir\nAfficher \"retour\"\n"
                                       "Aller à [fin] si n > 7\n[f]\nRevenir\n[fin]",
                                       mode, 20);
        ASSERT_FALSE(lignes.empty());
        EXPECT_EQ(s.d->erreurExecution, 103) << mode;   // the second pass through "Revenir"
        EXPECT_NE(std::find(lignes.begin(), lignes.end(), " retour"), lignes.end());
    }
}
