// Breakpoints in run control: the commented run's "Poursuivre jusqu'au
// prochain point d'arrêt", the run to the cursor, and marks changed while a
// run waits, on the fast engine and on the general step alike.
#include "banc_execution.h"
#include "base/donnees.h"
#include "commands/fichiers.h"
#include "execution/controle.h"
#include "execution/points_arret.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace banc;

namespace {

// i counts 1..3 around a loop, then s is shown.
const char* const boucle = "Entier i ; s\r\nDonner à i la valeur 1\r\n[boucle]\r\n\r\nDonner à s la valeur s + i\r\n"
                           "Donner à i la valeur i + 1\r\nAller à [boucle] si i <= 3\r\nAfficher s";

} // namespace

TEST(points_arret, commentee_jusqu_au_point_d_arret) {
    Tbanc b;
    b.demarrer();
    b.taper(boucle);
    basculerPointArret(*b.d, 5);   // "Donner à i la valeur i + 1"
    lancerExecution(*b.d, executionCommentee);
    poursuivreJusquAuPointArret(*b.d);
    EXPECT_EQ(b.affichageDepuis(3), (Vlignes{" 2/ Donner à s la valeur s + i", " s prend la valeur 1", "  ",
                                             " Arrêt au point d'arrêt de la ligne 6."}));
    EXPECT_TRUE(b.f.poursuivreActif);
    EXPECT_EQ(b.f.lignesSelectionnees.back(), 5);
    // From the breakpoint, at least its own step, then round the loop to it.
    poursuivreJusquAuPointArret(*b.d);
    EXPECT_EQ(b.d->nbPas, 5);
    EXPECT_EQ(b.affichage().back(), " Arrêt au point d'arrêt de la ligne 6.");
    // Unmarked: on to the end.
    basculerPointArret(*b.d, 5);
    poursuivreJusquAuPointArret(*b.d);
    EXPECT_EQ(b.affichageDepuis(b.affichage().size() - 3),
              (Vlignes{"  ", " Exécution terminée.", " Instructions exécutées : 11"}));
    EXPECT_FALSE(b.f.poursuivreActif);
    // A new program does not inherit the marks of the one given up.
    basculerPointArret(*b.d, 5);
    b.f.reponsesConfirmation = {true};   // the changes given up
    itemNouveauClick(*b.d);
    EXPECT_TRUE(lignesMarquees(*b.d).empty());
}

TEST(points_arret, jusqu_au_curseur_et_marques_pendant_la_marche) {
    for (const bool rapides : {true, false}) {
        Tbanc b;
        b.demarrer();
        b.d->formesRapides = rapides;
        b.taper(boucle);
        // No run under way: a normal run, stopped once at the cursor's line.
        executerJusquAuCurseur(*b.d, 6);
        EXPECT_EQ(b.affichage(), (Vlignes{" Arrêt au point d'arrêt de la ligne 7."})) << rapides;
        EXPECT_EQ(b.d->nbPas, 3);
        // One-off: Poursuivre no longer stops there, but a mark set while
        // the run waits (on the blank line 4, so at line 5) does.
        EXPECT_EQ(b.d->arrets[6], 0);
        basculerPointArret(*b.d, 3);
        poursuivreExecution(*b.d);
        EXPECT_EQ(b.affichage().back(), " Arrêt au point d'arrêt de la ligne 5.") << rapides;
        EXPECT_EQ(b.d->nbPas, 4);
        basculerPointArret(*b.d, 3);
        poursuivreExecution(*b.d);
        EXPECT_EQ(b.affichageDepuis(2), (Vlignes{"  6", " Exécution terminée.", " Instructions exécutées : 11"}));
        // In a commented run the cursor's line is reached step by step.
        lancerExecution(*b.d, executionCommentee);
        executerJusquAuCurseur(*b.d, 7);
        EXPECT_EQ(b.d->nbPas, 10);
        EXPECT_EQ(b.affichage().back(), " Arrêt au point d'arrêt de la ligne 8.");
    }
}
