#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "tools/fenetre_memoire.h"
#include "analysis/lignes.h"
#include "expressions/affichage_valeurs.h"
#include "execution/controle.h"
#include "execution/pas.h"
#include "execution/session.h"
#include "expressions/hasard.h"
#include "expressions/operations.h"
#include "execution/affichages.h"
#include "execution/textes.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

using Vlignes = std::vector<std::string>;

// A workspace with an in-memory window; texts given and read back in UTF-8.
struct Tbanc {
    TfenetreMemoire f;
    std::unique_ptr<TdonneesCommunes> d = std::make_unique<TdonneesCommunes>();

    Tbanc() { d->fenetre = &f; }

    // The start-up of the window, as far as the core sees it.
    void demarrer() {
        demarrerSession(*d, 1);
        modeleNouveauProgramme(*d);
    }

    void taper(const char* texteUtf8) { f.taper(depuisUtf8(texteUtf8)); }

    // A hand-made program: the working copy and the editor hold these lines.
    void lignes(std::initializer_list<const char*> textesUtf8) {
        d->copieDeTravail.clear();
        for (const char* t : textesUtf8)
            d->copieDeTravail.push_back(depuisUtf8(t));
        f.lignesEditeur = d->copieDeTravail;
    }

    Tinstruction& ligne(int32_t i) { return d->instructions[i]; }

    void commencer(int32_t mode, int32_t premiere = 0) {
        d->premiereInstruction = premiere;
        remettreRegistres(*d, mode);
    }

    Vlignes affichage() const {
        Vlignes v;
        for (const std::string& l : f.lignesAffichage)
            v.push_back(versUtf8(l));
        return v;
    }

    // The pane's lines from index `depuis` on.
    Vlignes affichageDepuis(size_t depuis) const {
        const Vlignes tout = affichage();
        return depuis >= tout.size() ? Vlignes{} : Vlignes(tout.begin() + static_cast<long>(depuis), tout.end());
    }
};

Tinstruction affectation(Tnature nature, int32_t variable, int32_t typeCible, int32_t caseCible, int32_t caseValeur,
                         int32_t suivante) {
    Tinstruction I;
    I.nature = nature;
    I.numVariable = variable;
    I.typeCible = typeCible;
    I.caseCible = caseCible;
    I.caseValeur = caseValeur;
    I.suivante = suivante;
    return I;
}

Tinstruction simple(Tnature nature, int32_t suivante, int32_t cible = aucuneLigne) {
    Tinstruction I;
    I.nature = nature;
    I.suivante = suivante;
    I.cibleBranchement = cible;
    return I;
}

Tvariable variable(const char* nom, int32_t type, int32_t premiere, int32_t min1 = 0, int32_t max1 = 0,
                   int32_t min2 = 0, int32_t max2 = 0) {
    Tvariable v;
    v.nom = nom;
    v.typeVariable = type;
    v.premiereCase = premiere;
    v.nbIndices = max1 == 0 ? 0 : (max2 == 0 ? 1 : 2);
    v.borneMin1 = min1;
    v.borneMax1 = max1;
    v.borneMin2 = min2;
    v.borneMax2 = max2;
    return v;
}

} // namespace

// ---------------------------------------------------------------- pas

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

// ---------------------------------------------------------------- affichage_valeurs

namespace {

// Writes the words at 1.., runs them as display words, returns what they built.
std::string afficher(TdonneesCommunes& d, std::initializer_list<int32_t> mots, bool& reussi, int32_t& w) {
    int32_t n = 1;
    for (int32_t m : mots)
        d.code[n++] = m;
    d.ligneAffichee.clear();
    d.erreurExecution = 0;
    w = 1;
    reussi = true;
    while (w < n && reussi)
        reussi = executerAffichage(d, w);
    return versUtf8(d.ligneAffichee);
}

} // namespace

TEST(affichage_valeurs, textes_colles_valeurs_separees) {
    Tbanc b;
    auto& d = *b.d;
    d.textesAffiches = "k = x = ";
    d.entiers[2] = 3;
    caseReelle(d, 10002) = 2.5;
    d.entiers[3] = 7;
    d.conditions[1] = 1;
    bool reussi = false;
    int32_t w = 0;
    EXPECT_EQ(afficher(d, {opAfficherTexte, 1, 4, opAfficherEntier, 2, opAfficherTexte, 5, 4, opAfficherReel, 10002,
                           opAfficherEntier, 3, opAfficherCondition, 1},
                       reussi, w),
              "k =  3x =  2.5 7 V");
    EXPECT_TRUE(reussi);
    EXPECT_EQ(w, 15);
    EXPECT_EQ(afficher(d, {opAfficherTexte, 1, 0, opAfficherEntier, 1}, reussi, w), " 0");
}

TEST(affichage_valeurs, plages_de_liste) {
    Tbanc b;
    auto& d = *b.d;
    d.variables[1] = variable("L", typeEntier, 10, 1, 3);
    d.variables[2] = variable("R", typeReel, 10002, -1, 1);
    d.entiers[10] = 4;
    d.entiers[11] = 5;
    d.entiers[12] = 6;
    caseReelle(d, 10002) = 0.5;
    caseReelle(d, 10003) = 1.0 / 3;
    caseReelle(d, 10004) = 1e11;
    d.entiers[2] = 1;
    d.entiers[3] = 3;
    d.entiers[4] = 4;
    d.entiers[5] = -1;
    bool reussi = false;
    int32_t w = 0;
    EXPECT_EQ(afficher(d, {opAfficherListe, 2, 3, 1}, reussi, w), "  4  5  6");
    EXPECT_EQ(afficher(d, {opAfficherListe, 3, 2, 1}, reussi, w), "  6  5  4");
    EXPECT_EQ(afficher(d, {opAfficherListe, 3, 3, 1}, reussi, w), "  6");
    EXPECT_EQ(afficher(d, {opAfficherListe, 5, 2, 2}, reussi, w), "  0.5  0.33333333  1 x 10^(11)");
    // One bound outside: nothing at all is appended, the word is not passed.
    EXPECT_EQ(afficher(d, {opAfficherTexte, 1, 0, opAfficherListe, 2, 4, 1}, reussi, w), "");
    EXPECT_FALSE(reussi);
    EXPECT_EQ(w, 4);
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(afficher(d, {opAfficherListe, 4, 2, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
}

TEST(affichage_valeurs, lignes_et_colonnes_de_tableau) {
    Tbanc b;
    auto& d = *b.d;
    d.variables[1] = variable("A", typeEntier, 100, 1, 4, 1, 4);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j)
            d.entiers[100 + (i - 1) * 4 + (j - 1)] = 10 * i + j;
    d.entiers[2] = 1;
    d.entiers[3] = 4;
    d.entiers[4] = 2;
    d.entiers[5] = 5;
    bool reussi = false;
    int32_t w = 0;
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 2, 2, 3, 1}, reussi, w), "  11  12  13  14");
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 2, 3, 2, 1}, reussi, w), "  14  13  12  11");
    EXPECT_EQ(afficher(d, {opAfficherColonneTableau, 2, 3, 4, 1}, reussi, w), "  12  22  32  42");
    EXPECT_EQ(afficher(d, {opAfficherColonneTableau, 3, 4, 4, 1}, reussi, w), "  42  32  22");
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 2, 2, 5, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(afficher(d, {opAfficherLigneTableau, 5, 2, 3, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
    EXPECT_EQ(afficher(d, {opAfficherColonneTableau, 2, 3, 5, 1}, reussi, w), "");
    EXPECT_EQ(d.erreurExecution, 102);
}

// ---------------------------------------------------------------- controle

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

// ---------------------------------------------------------------- affichages

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

// ---------------------------------------------------------------- textes

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
