// Run control: starting, continuing and stopping runs, and their reports.
#include "banc_execution.h"
#include "base/donnees.h"
#include "execution/controle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace banc;

TEST(controle, exemple_commente_puis_normal) {
    Tbanc b;
    b.demarrer();
    b.taper("Entier n\r\nDonner à n la valeur 2\r\nAfficher n");
    lancerExecution(*b.d, executionCommentee);
    EXPECT_EQ(b.affichage(), (Vlignes{" 1/ Donner à n la valeur 2", " n prend la valeur 2", "  "}));
    EXPECT_TRUE(b.f.poursuivreActif);
    EXPECT_TRUE(b.f.lectureSeule);
    poursuivreExecution(*b.d);
    EXPECT_EQ(b.affichageDepuis(3), (Vlignes{" 2/ Afficher n", "  2", "  ", " Exécution terminée.",
                                             " Instructions exécutées : 2"}));
    EXPECT_FALSE(b.f.poursuivreActif);
    EXPECT_FALSE(b.f.lectureSeule);
    EXPECT_EQ(b.f.lignesSelectionnees, (std::vector<int32_t>{1, 2}));

    lancerExecution(*b.d, executionNormale);
    EXPECT_EQ(b.affichage(), (Vlignes{"  2", " Exécution terminée.", " Instructions exécutées : 2"}));
    EXPECT_FALSE(b.f.poursuivreActif);
    EXPECT_FALSE(b.f.lectureSeule);
}

TEST(controle, arret_en_pause) {
    Tbanc b;
    b.demarrer();
    b.taper("Entier n\r\nDonner à n la valeur 2\r\nAfficher n");
    lancerExecution(*b.d, executionCommentee);
    arreterExecution(*b.d);
    EXPECT_EQ(b.affichageDepuis(3), (Vlignes{" Exécution arrêtée.", " Nombre d'instructions exécutées : 1"}));
    EXPECT_FALSE(b.f.poursuivreActif);
    EXPECT_FALSE(b.f.lectureSeule);
}

TEST(controle, erreur_d_analyse) {
    Tbanc b;
    b.demarrer();
    b.taper("Entier n\r\nDonner à n la valeur 2\r\nAfficher n");
    lancerExecution(*b.d, executionCommentee);
    ASSERT_TRUE(b.f.poursuivreActif);
    // The paused run is abandoned; its analysis fails: nothing may continue it.
    b.taper("Entier n\r\nDonner à n la valeur 2\r\nAfficher n\r\nbonjour");
    lancerExecution(*b.d, executionNormale);
    EXPECT_EQ(b.affichage(), (Vlignes{" Erreur à l'analyse du programme", " Instruction non comprise"}));
    EXPECT_EQ(b.f.lignesSelectionnees.back(), 3);
    EXPECT_FALSE(b.f.poursuivreActif);
    EXPECT_FALSE(b.f.lectureSeule);
    // An empty editor: no line to select.
    b.f.lignesSelectionnees.clear();
    b.taper("");
    lancerExecution(*b.d, executionNormale);
    EXPECT_EQ(b.affichage(), (Vlignes{" Erreur à l'analyse du programme", " Programme vide"}));
    EXPECT_TRUE(b.f.lignesSelectionnees.empty());
}

TEST(controle, erreur_d_execution) {
    Tbanc b;
    b.demarrer();
    b.taper("Entier L (1..3) ; k\r\nDonner à k la valeur 4\r\nDonner à L(k) la valeur 1\r\nAfficher k");
    lancerExecution(*b.d, executionNormale);
    EXPECT_EQ(b.affichage(), (Vlignes{" Erreur à l'exécution du programme",
                                      " Un indice pour une variable est hors limites."}));
    EXPECT_EQ(b.f.lignesSelectionnees, (std::vector<int32_t>{2}));
    EXPECT_FALSE(b.f.lectureSeule);
    EXPECT_FALSE(b.f.poursuivreActif);
    for (int32_t code : {101, 102, 103, 104})
        EXPECT_FALSE(messageExecution(code).empty()) << code;
    EXPECT_EQ(versUtf8(messageExecution(103)), "Retour impossible, faute d'appel préalable.");
    EXPECT_EQ(versUtf8(messageExecution(104)), "Trop de retours en attente.");
    EXPECT_TRUE(messageExecution(105).empty());
}

TEST(controle, tranche_de_dix_millions) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Aller à [b]", "Aller à [a]"});
    b.ligne(0) = simple(natAller, 1);
    b.ligne(1) = simple(natAller, 0);
    b.commencer(executionNormale);
    d.nbPas = static_cast<int32_t>(3990000000u);
    poursuivreExecution(d);
    EXPECT_EQ(d.nbPasTranche, tailleTranche);
    EXPECT_EQ(static_cast<uint32_t>(d.nbPas), 4000000000u);
    EXPECT_EQ(b.affichage(), (Vlignes{" Exécution suspendue après 4000 millions d'instructions."}));
    EXPECT_TRUE(b.f.poursuivreActif);
}

TEST(controle, lancement_pendant_les_informations) {
    Tbanc b;
    b.demarrer();
    ASSERT_EQ(b.f.lignesAffichage.size(), 81u);
    b.taper("Entier n\r\nDonner à n la valeur 2\r\nAfficher n\r\nAfficher n");
    lancerExecution(*b.d, executionCommentee);
    EXPECT_EQ(b.d->modeAffichage, modeResultats);
    EXPECT_EQ(versUtf8(b.f.affichages), "Affichage - Résultats");
    EXPECT_TRUE(b.f.resultatCoche);
    EXPECT_FALSE(b.f.informationsCochee);
    EXPECT_EQ(b.affichage().size(), 3u);
    // Poursuivre while the information is shown brings the results back
    // first, so that no line of the run is lost under the reference text.
    choisirAffichage(*b.d, modeInformations);
    poursuivreExecution(*b.d);
    EXPECT_EQ(b.d->modeAffichage, modeResultats);
    EXPECT_EQ(versUtf8(b.f.affichages), "Affichage - Résultats");
    EXPECT_TRUE(b.f.resultatCoche);
    EXPECT_EQ(b.affichage(), (Vlignes{" 1/ Donner à n la valeur 2", " n prend la valeur 2", "  ",
                                      " 2/ Afficher n", "  2", "  "}));
    // Arrêter too.
    choisirAffichage(*b.d, modeInformations);
    arreterExecution(*b.d);
    EXPECT_EQ(b.d->modeAffichage, modeResultats);
    EXPECT_EQ(b.affichage().size(), 8u);
    EXPECT_EQ(b.affichage()[6], " Exécution arrêtée.");
}
