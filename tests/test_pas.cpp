// The general step, one line at a time: assignments, indices, calls and
// returns, branches, the step count.
#include "banc_execution.h"
#include "base/donnees.h"
#include "execution/pas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace banc;

TEST(pas, affectations_commentees) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Donner à n la valeur 4", "Donner à L(k) la valeur 7", "Donner à A(1,k) la valeur 2.5",
              "Donner à x la valeur k"});
    d.variables[1] = variable("n", typeEntier, 2);
    d.variables[2] = variable("L", typeEntier, 3, 1, 5);
    d.variables[3] = variable("A", typeReel, 10002, 1, 2, 1, 3);
    d.variables[4] = variable("x", typeReel, 10008);
    d.entiers[8] = 4;
    d.entiers[9] = 3;
    d.entiers[10] = 7;
    d.entiers[11] = 1;
    caseReelle(d, 10009) = 2.5;
    b.ligne(0) = affectation(natAffectation, 1, typeEntier, 2, 8, 1);
    b.ligne(1) = affectation(natAffectationListe, 2, typeEntier, 3, 10, 2);
    b.ligne(1).caseIndice1 = 9;
    b.ligne(1).borneMin1 = 1;
    b.ligne(1).borneMax1 = 5;
    b.ligne(2) = affectation(natAffectationTableau, 3, typeReel, 10002, 10009, 3);
    b.ligne(2).caseIndice1 = 11;
    b.ligne(2).caseIndice2 = 9;
    b.ligne(2).borneMin1 = 1;
    b.ligne(2).borneMax1 = 2;
    b.ligne(2).borneMin2 = 1;
    b.ligne(2).borneMax2 = 3;
    b.ligne(3) = affectation(natAffectation, 4, typeReel, 10008, 9, aucuneLigne);

    b.commencer(executionCommentee);
    for (int k = 0; k < 4; ++k)
        executerPas(d);
    EXPECT_EQ(b.affichage(), (Vlignes{" 1/ Donner à n la valeur 4", " n prend la valeur 4", "  ",
                                      " 2/ Donner à L(k) la valeur 7", " L(3)  prend la valeur 7", "  ",
                                      " 3/ Donner à A(1,k) la valeur 2.5", " A(1 , 3)  prend la valeur 2.5", "  ",
                                      " 4/ Donner à x la valeur k", " x prend la valeur 3", "  "}));
    EXPECT_EQ(b.f.lignesSelectionnees, (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(d.entiers[2], 4);
    EXPECT_EQ(d.entiers[3 + 2], 7);
    EXPECT_EQ(caseReelle(d, 10002 + 2), 2.5);   // row 1, column 3
    EXPECT_EQ(caseReelle(d, 10008), 3.0);
    EXPECT_EQ(d.nbPas, 4);
    EXPECT_EQ(d.ligneCourante, aucuneLigne);
    EXPECT_EQ(d.erreurExecution, 0);
}

TEST(pas, indice_hors_limites_ne_stocke_rien) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Donner à L(k) la valeur 7", "Donner à A(i,j) la valeur 7"});
    d.entiers[200] = 0;   // k
    d.entiers[201] = 7;   // the value
    d.entiers[202] = 2;   // i
    d.entiers[203] = 5;   // j
    b.ligne(0) = affectation(natAffectationListe, 1, typeEntier, 2, 201, 1);
    b.ligne(0).caseIndice1 = 200;
    b.ligne(0).borneMin1 = 1;
    b.ligne(0).borneMax1 = 100;
    b.ligne(1) = affectation(natAffectationTableau, 2, typeEntier, 102, 201, aucuneLigne);
    b.ligne(1).caseIndice1 = 202;
    b.ligne(1).caseIndice2 = 203;
    b.ligne(1).borneMin1 = 1;
    b.ligne(1).borneMax1 = 4;
    b.ligne(1).borneMin2 = 1;
    b.ligne(1).borneMax2 = 4;

    b.commencer(executionNormale);
    executerPas(d);
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(d.ligneErreur, 0);
    EXPECT_EQ(d.ligneCourante, 0);
    EXPECT_EQ(d.nbPas, 0);
    for (int c = 2; c < 102; ++c)
        EXPECT_EQ(d.entiers[c], 0) << c;

    b.commencer(executionNormale, 1);
    executerPas(d);
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(d.ligneErreur, 1);
    for (int c = 102; c < 118; ++c)
        EXPECT_EQ(d.entiers[c], 0) << c;
    EXPECT_TRUE(b.f.lignesAffichage.empty());
}

TEST(pas, dix_retours_en_attente_au_plus) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Aller à [a] et revenir", "Revenir"});
    b.ligne(0) = simple(natAllerEtRevenir, 1, 0);
    b.commencer(executionCommentee);
    for (int k = 0; k < 10; ++k)
        executerPas(d);
    EXPECT_EQ(d.erreurExecution, 0);
    EXPECT_EQ(d.nbRetours, 10);
    const Vlignes vu = b.affichage();
    EXPECT_EQ(vu[vu.size() - 2], " Branchement avec retour niveau 10");
    executerPas(d);
    EXPECT_EQ(d.erreurExecution, 104);
    EXPECT_EQ(d.nbRetours, 10);
    EXPECT_EQ(d.nbPas, 10);
    EXPECT_EQ(b.affichage().back(), " 11/ Aller à [a] et revenir");
}

TEST(pas, retour_vers_l_appel_en_attente) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Aller à [f] et revenir", "Aller à [f] et revenir", "Aller à [fin]", "Revenir"});
    b.ligne(0) = simple(natAllerEtRevenir, 1, 3);
    b.ligne(1) = simple(natAllerEtRevenir, 2, 3);
    b.ligne(2) = simple(natAller, aucuneLigne);
    b.ligne(3) = simple(natRevenir, aucuneLigne);
    b.commencer(executionNormale);
    std::vector<int32_t> parcours;
    while (d.ligneCourante != aucuneLigne && d.erreurExecution == 0) {
        executerPas(d);
        parcours.push_back(d.ligneCourante);
    }
    EXPECT_EQ(parcours, (std::vector<int32_t>{3, 1, 3, 2, aucuneLigne}));
    EXPECT_EQ(d.instructions[3].suivante, 2);
    EXPECT_EQ(d.nbPas, 5);
    // A second return without a call fails.
    d.ligneCourante = 3;
    executerPas(d);
    EXPECT_EQ(d.erreurExecution, 103);
    EXPECT_EQ(d.ligneErreur, 3);
    EXPECT_EQ(d.nbPas, 5);
    // A call that is the last instruction: its return ends the program.
    b.ligne(0) = simple(natAllerEtRevenir, aucuneLigne, 3);
    b.commencer(executionNormale);
    executerPas(d);
    executerPas(d);
    EXPECT_EQ(d.ligneCourante, aucuneLigne);
    EXPECT_EQ(d.erreurExecution, 0);
}

TEST(pas, retours_commentes) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Aller à [f] et revenir", "Revenir"});
    b.ligne(0) = simple(natAllerEtRevenir, aucuneLigne, 1);
    b.ligne(1) = simple(natRevenir, aucuneLigne);
    b.commencer(executionCommentee);
    executerPas(d);
    executerPas(d);
    EXPECT_EQ(b.affichage(), (Vlignes{" 1/ Aller à [f] et revenir", " Branchement avec retour niveau 1", "  ",
                                      " 2/ Revenir", " Retour du niveau 1", "  "}));
}

TEST(pas, echec_sans_avancer) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Aller à [a]", "Revenir"});
    b.ligne(0) = simple(natAller, 1);
    b.ligne(1) = simple(natRevenir, aucuneLigne);
    b.commencer(executionCommentee);
    executerPas(d);
    executerPas(d);
    EXPECT_EQ(d.erreurExecution, 103);
    EXPECT_EQ(b.affichage(), (Vlignes{" 1/ Aller à [a]", " Branchement obligatoire effectué.", "  ", " 2/ Revenir"}));
    // A further call shows the header again, with the same number, and nothing else.
    d.ligneErreur = aucuneLigne;
    executerPas(d);
    EXPECT_EQ(b.affichage().size(), 5u);
    EXPECT_EQ(b.affichage().back(), " 2/ Revenir");
    EXPECT_EQ(d.ligneErreur, 1);
    EXPECT_EQ(d.ligneCourante, 1);
    EXPECT_EQ(d.nbPas, 1);
    EXPECT_EQ(d.erreurExecution, 103);
}

TEST(pas, branchements_commentes) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Aller à [a] si c", "Aller à [a] si c", "Afficher \"\""});
    b.ligne(0) = simple(natAllerSi, 1, 2);
    b.ligne(0).caseValeur = 1;
    b.ligne(1) = simple(natAllerSi, 2, 0);
    b.ligne(1).caseValeur = 2;
    b.ligne(2) = simple(natAfficher, aucuneLigne);
    d.conditions[1] = 0;
    d.conditions[2] = 1;
    b.commencer(executionCommentee);
    executerPas(d);
    EXPECT_EQ(d.ligneCourante, 1);
    executerPas(d);
    EXPECT_EQ(d.ligneCourante, 0);
    EXPECT_EQ(b.affichage(), (Vlignes{" 1/ Aller à [a] si c", " Condition fausse ; branchement non effectué.", "  ",
                                      " 2/ Aller à [a] si c", " Condition vraie ; branchement effectué.", "  "}));
    // A display line that builds nothing shows only its header and separator.
    d.ligneCourante = 2;
    b.f.lignesAffichage.clear();
    executerPas(d);
    EXPECT_EQ(b.affichage(), (Vlignes{" 3/ Afficher \"\"", "  "}));
    // In normal mode it shows nothing at all.
    b.f.lignesAffichage.clear();
    b.commencer(executionNormale, 2);
    executerPas(d);
    EXPECT_TRUE(b.affichage().empty());
    EXPECT_EQ(d.ligneCourante, aucuneLigne);
}

TEST(pas, compte_au_dela_de_2_puissance_31) {
    Tbanc b;
    auto& d = *b.d;
    b.lignes({"Aller à [a]"});
    b.ligne(0) = simple(natAller, 0);
    b.commencer(executionNormale);
    d.nbPas = 2147483647;
    executerPas(d);
    EXPECT_EQ(static_cast<uint32_t>(d.nbPas), 2147483648u);
    afficherNombreInstructions(d);
    EXPECT_EQ(b.affichage().back(), " Nombre d'instructions exécutées : 2147483648");
}
