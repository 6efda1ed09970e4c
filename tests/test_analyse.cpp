#include "analysis/declarations.h"
#include "banc_execution.h"
#include "base/messages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

namespace {

// An editor holding a program (UTF-8, lines joined by "\n") and its analysis.
struct Tanalyse : banc::Tbanc {
    std::vector<int32_t> mots(int32_t i) const {
        return {d->code + ligne(i).debutCode, d->code + ligne(i).finCode};
    }
};

std::unique_ptr<Tanalyse> analyser(std::string_view programme) {
    auto a = std::make_unique<Tanalyse>();
    a->editeur(depuisUtf8(programme));
    a->analyser();
    return a;
}

// The code, its message and the line selected, together.
::testing::AssertionResult echoue(std::string_view programme, int32_t code, int32_t ligne) {
    const auto a = analyser(programme);
    if (a->d->codeErreur != code || a->d->ligneErreur != ligne)
        return ::testing::AssertionFailure() << "code " << a->d->codeErreur << " ligne " << a->d->ligneErreur
                                             << " (" << versUtf8(messageAnalyse(a->d->codeErreur)) << ")";
    if (code != 0 && messageAnalyse(code).empty())
        return ::testing::AssertionFailure() << "pas de message pour " << code;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult reussit(std::string_view programme) { return echoue(programme, 0, aucuneLigne); }

std::string lignesRepetees(std::string_view ligne, int32_t nombre) {
    std::string texte;
    for (int32_t i = 0; i < nombre; ++i) {
        texte += ligne;
        texte += '\n';
    }
    return texte;
}

} // namespace

TEST(analyse, liens_de_l_exemple) {
    const auto a = analyser("Entier n\n"
                            "Donner à n la valeur 1\n"
                            "[boucle]\n"
                            "Afficher n\n"
                            "Donner à n la valeur n+1\n"
                            "Aller à [boucle] si n <= 10\n");
    ASSERT_EQ(a->d->codeErreur, 0);
    EXPECT_EQ(a->d->premiereInstruction, 1);
    EXPECT_EQ(a->d->derniereInstruction, 5);
    EXPECT_EQ(a->d->derniereLigne, 5);
    const int32_t natures[] = {natDeclaration, natAffectation, natEtiquette, natAfficher, natAffectation, natAllerSi};
    for (int32_t i = 0; i < 6; ++i)
        EXPECT_EQ(a->ligne(i).nature, natures[i]) << i;
    EXPECT_EQ(a->ligne(2).etiquette, "boucle");
    EXPECT_EQ(a->ligne(1).suivante, 3);
    EXPECT_EQ(a->ligne(3).suivante, 4);
    EXPECT_EQ(a->ligne(4).suivante, 5);
    EXPECT_EQ(a->ligne(5).suivante, aucuneLigne);
    EXPECT_EQ(a->ligne(5).cibleBranchement, 3);
}

TEST(analyse, preparation) {
    auto a = analyser("  Afficher 1   # fin  \n   \n");
    EXPECT_EQ(a->d->codeErreur, 0);
    EXPECT_EQ(a->d->copieDeTravail, (std::vector<std::string>{"Afficher 1", ""}));
    EXPECT_EQ(a->d->derniereLigne, 0);
    EXPECT_EQ(a->f.lignesEditeur[0], "  Afficher 1   # fin  ");
    // The pane is emptied; cells 1 and 10001 hold 0 and pi.
    a->f.lignesAffichage = {" ancien"};
    a->d->entiers[1] = 5;
    a->analyser();
    EXPECT_TRUE(a->f.lignesAffichage.empty());
    EXPECT_EQ(a->d->entiers[1], 0);
    EXPECT_EQ(a->d->reels[1], 3.141592653589793);
}

TEST(analyse, erreurs_par_passe) {
    // A label error anywhere comes before a declaration error, which comes
    // before a line that is no instruction.
    std::string programme = "Entier n\nn'importe quoi\nAfficher n\nEntier 1a\n" + lignesRepetees("", 36) + "[a\n";
    EXPECT_TRUE(echoue(programme, errEtiquette, 40));
    programme.replace(programme.size() - 3, 2, "[a]");
    EXPECT_TRUE(echoue(programme, errDeclaration, 3));
    programme.replace(programme.find("1a"), 2, "ab");
    EXPECT_TRUE(echoue(programme, errInstructionNonComprise, 1));
    // Within the instruction pass, text order decides.
    EXPECT_TRUE(echoue("Entier n\nDonner à n la valeur 2.5\nAfficher \"a\n", errEntierAttendu, 1));
    // A declaration below the instructions is made first.
    EXPECT_TRUE(reussit("Afficher n\nDonner à n la valeur 3\nEntier n"));
    EXPECT_TRUE(echoue("blabla\nEntier x\nEntier x", errDeclareeDeuxFois, 2));
}

TEST(analyse, programme_et_liens_refuses) {
    struct Tcas {
        const char* programme;
        int32_t code;
        int32_t ligne;
    };
    const Tcas cas[] = {
        {"", errProgrammeVide, aucuneLigne},
        {"   \n  \n", errAucuneInstruction, aucuneLigne},
        {"Entier n\n[a]\n# rien\n\n", errAucuneInstruction, aucuneLigne},
        {"[a] Afficher 1\nAfficher 2", errEtiquette, 0},
        {"Afficher 1\n[ ]", errEtiquette, 1},
        {"Afficher 1\n[]", errEtiquette, 1},
        {"Afficher 1\n[", errEtiquette, 1},
        {"Afficher 1\nrevenir", errInstructionNonComprise, 1},
        {"Afficher 1\nRevenir maintenant", errInstructionNonComprise, 1},
        {"Entier\nAfficher 1", errInstructionNonComprise, 0},
        {"entier x\nAfficher 1", errInstructionNonComprise, 0},
        {"\tAfficher 1", errInstructionNonComprise, 0},
        {"[a]\nAller à [a]\nAfficher 1", errBranchementSurLuiMeme, 1},
        {"Entier n\n[a]\n# c\n\nEntier m\n[b]\nAller à [a] si n < 3\nAfficher n", errBranchementSurLuiMeme, 6},
        {"[a]\nAller à [a] et revenir\nAfficher 1", errBranchementSurLuiMeme, 1},
        {"Entier n\n[début]\nAfficher n\nAller à [début]", errSansFin, 3},
        {"Afficher 1\nRevenir", errSansFin, 1},
        {"Entier n\nDonner à n la valeur 1\n# fin", errSansAffichage, 1},
        // Neither an end nor a display: the end is checked first.
        {"Entier n\n[b]\nDonner à n la valeur 1\nAller à [b]\n# fin", errSansFin, 3},
        {"Entier L(0..9998)\nAfficher 1", errCapacites, 1},
        {"Entier n\nRéel n\nAfficher n", errDeclareeDeuxFois, 1},
    };
    for (const Tcas& c : cas)
        EXPECT_TRUE(echoue(c.programme, c.code, c.ligne)) << c.programme;
}

TEST(analyse, programmes_acceptes) {
    const char* acceptes[] = {
        "[a] # début\nAfficher 1",
        "Revenir \nAfficher 1",
        "Entier n\n[a]\nAfficher n\nAller à [fin] si n > 10\nAller à [a]\n[fin]",
        "Entier n\nAller à [fin]\nAfficher n\n[fin]",
        "Entier n\nAller à [a]\nAfficher n\n[a]\nAller à [fin] si n < 3\n[fin]",
        "Aller à [b]\n[a]\nAfficher 1\n[b]\nAller à [a] et revenir",
    };
    for (const char* programme : acceptes)
        EXPECT_TRUE(reussit(programme)) << programme;
}

TEST(analyse, cas_des_branchements) {
    const auto a = analyser("[a]\n"
                            "Entier n\n"
                            "Afficher n\n"
                            "Aller à [a]  et revenir\n"
                            "Aller à [fin] si n < 3\n"
                            "Aller à [ a ]\n"
                            "[fin]\n"
                            "[a]");
    ASSERT_EQ(a->d->codeErreur, 0);
    EXPECT_EQ(a->d->derniereInstruction, 5);
    EXPECT_EQ(a->ligne(3).nature, natAllerEtRevenir);
    EXPECT_EQ(a->ligne(3).cibleBranchement, 2);
    EXPECT_EQ(a->ligne(3).suivante, 4);
    EXPECT_EQ(a->ligne(3).debutCode, a->ligne(3).finCode);
    EXPECT_EQ(a->ligne(4).nature, natAllerSi);
    EXPECT_EQ(a->ligne(4).cibleBranchement, aucuneLigne);
    EXPECT_EQ(a->ligne(4).suivante, 5);
    // Labels meet after trimming; the first of two equal labels wins.
    EXPECT_EQ(a->ligne(5).nature, natAller);
    EXPECT_EQ(a->ligne(5).suivante, 2);
    EXPECT_NE(a->ligne(4).debutCode, a->ligne(4).finCode);
}

TEST(analyse, branchements_refuses) {
    const std::pair<const char*, int32_t> cas[] = {
        {"Aller à [a] si n+1", errSyntaxe},       {"Aller à [a] si", errBranchement},
        {"Aller à [a] puis", errBranchement},     {"Aller à a", errBranchement},
        {"Aller à []", errBranchement},           {"Aller à [a", errBranchement},
        {"Aller à [ ]", errEtiquetteNonTrouvee},  {"Aller à [b]", errEtiquetteNonTrouvee},
        {"Aller à [A]", errEtiquetteNonTrouvee},  {"Aller à [a] si (n < 3", errParenthesage},
        {"Aller à [a] sin < 3", errBranchement},  {"Aller à [a] et  revenir", errBranchement},
    };
    for (const auto& [ligne, code] : cas)
        EXPECT_TRUE(echoue(std::string("Entier n\n[a]\nAfficher n\n") + ligne, code, 3)) << ligne;
}

TEST(analyse, affectations) {
    const auto a = analyser("Entier n ; L(1..5) ; T(0..2,1..3)\nRéel x\n"
                            "Donner à    n    la valeur     n+1\n"
                            "Donner à L (n) la valeur 7\n"
                            "Donner à T (1 , 3) la valeur n\n"
                            "Donner à x la valeur 2\n"
                            "Afficher x");
    ASSERT_EQ(a->d->codeErreur, 0);
    const Tinstruction& simple = a->ligne(2);
    EXPECT_EQ(simple.nature, natAffectation);
    EXPECT_EQ(simple.numVariable, 1);
    EXPECT_EQ(simple.nbIndicesCible, 0);
    EXPECT_EQ(simple.typeCible, typeEntier);
    EXPECT_EQ(simple.typeExpression, typeEntier);
    EXPECT_EQ(simple.caseCible, 2);
    EXPECT_EQ(a->mots(2).size(), 4u);
    EXPECT_EQ(a->mots(2)[0], opPlusEntier);
    EXPECT_EQ(simple.caseValeur, a->mots(2)[3]);

    const Tinstruction& liste = a->ligne(3);
    EXPECT_EQ(liste.nature, natAffectationListe);
    EXPECT_EQ(liste.caseCible, 3);
    EXPECT_EQ(liste.caseIndice1, 2);
    EXPECT_EQ(liste.borneMin1, 1);
    EXPECT_EQ(liste.borneMax1, 5);
    EXPECT_EQ(liste.debutCode, liste.finCode);

    const Tinstruction& tableau = a->ligne(4);
    EXPECT_EQ(tableau.nature, natAffectationTableau);
    EXPECT_EQ(tableau.numVariable, 3);
    EXPECT_EQ(tableau.caseValeur, 2);
    EXPECT_EQ(a->d->entiers[tableau.caseIndice1], 1);
    EXPECT_EQ(a->d->entiers[tableau.caseIndice2], 3);
    EXPECT_GT(tableau.caseIndice2, tableau.caseIndice1);
    EXPECT_EQ(tableau.borneMin1, 0);
    EXPECT_EQ(tableau.borneMax2, 3);

    EXPECT_EQ(a->ligne(5).typeCible, typeReel);
    EXPECT_EQ(a->ligne(5).typeExpression, typeEntier);
}

TEST(analyse, affectations_refusees) {
    const std::pair<const char*, int32_t> cas[] = {
        {"Donner  à n la valeur 1", errInstructionNonComprise},
        {"donner à n la valeur 1", errInstructionNonComprise},
        {"Donner à n la valeur", errAffectation},
        {"Donner à la valeur 1", errAffectation},
        {"Donner à n = 1", errAffectation},
        {"Donner à T(3) la valeur 5", errVariableAAffecter},
        {"Donner à L(max(1,2)) la valeur 5", errVariableAAffecter},
        {"Donner à L la valeur 5", errVariableAAffecter},
        {"Donner à n(1) la valeur 5", errVariableAAffecter},
        {"Donner à z la valeur 5", errVariableAAffecter},
        {"Donner à compteur la valeur 5", errVariableAAffecter},
        {"Donner à n la valeur 2.5", errEntierAttendu},
        {"Donner à n la valeur n < 3", errEntierAttendu},
        {"Donner à x la valeur n < 3", errNumeriqueAttendu},
        {"Donner à L(1.5) la valeur 0", errIndiceNonEntier},
        {"Donner à T(1, x) la valeur 0", errIndiceNonEntier},
        {"Donner à T(1,2)x la valeur 0", errAffectation},
        {"Donner à n la valeur (1", errParenthesage},
        {"Donner à n la valeur ", errAffectation},
        // The expression is checked before the target.
        {"Donner à z la valeur (1", errParenthesage},
    };
    for (const auto& [ligne, code] : cas)
        EXPECT_TRUE(echoue(std::string("Entier n ; L(1..5) ; T(1..3,1..3) ; comp\nRéel x\nAfficher n\n") + ligne,
                           code, 3))
            << ligne;
}

TEST(analyse, mots_d_affichage) {
    auto a = analyser("Entier n ; L(1..5) ; A(1..4,1..4)\nRéel x\n"
                      "Afficher \"n = \" ; n ; L (1..n)\n"
                      "Afficher A (1,1..4) ; A (1..4,2)\n"
                      "Afficher x ; n < 3 ; \"\" ; \" \" ; \"\n"
                      "Afficher \"n = \" ; L(1...2)");
    ASSERT_EQ(a->d->codeErreur, 0);
    // L occupies cells 3..7, A 8..23; the constant 1 is the next integer cell.
    EXPECT_EQ(a->mots(2), (std::vector<int32_t>{opAfficherTexte, 1, 4, opAfficherEntier, 2, opAfficherListe, 24, 2, 2}));
    EXPECT_EQ(a->d->textesAffiches, "n = ");
    const auto tableau = a->mots(3);
    ASSERT_EQ(tableau.size(), 10u);
    EXPECT_EQ(std::vector<int32_t>(tableau.begin(), tableau.begin() + 5),
              (std::vector<int32_t>{opAfficherLigneTableau, 25, 26, 27, 3}));
    // A column: the fixed index is compiled first.
    EXPECT_EQ(std::vector<int32_t>(tableau.begin() + 5, tableau.end()),
              (std::vector<int32_t>{opAfficherColonneTableau, 29, 30, 28, 3}));
    EXPECT_EQ(a->d->entiers[28], 2);
    const auto divers = a->mots(4);
    ASSERT_GE(divers.size(), 2u);
    EXPECT_EQ(divers[0], opAfficherReel);
    EXPECT_EQ(divers[1], 10002);
    EXPECT_EQ(divers[divers.size() - 11], opAfficherCondition);
    // The empty text and " " are found inside "n = ".
    EXPECT_EQ(std::vector<int32_t>(divers.end() - 9, divers.end()),
              (std::vector<int32_t>{opAfficherTexte, 1, 0, opAfficherTexte, 2, 1, opAfficherTexte, 1, 0}));
    EXPECT_EQ(a->mots(5)[0], opAfficherTexte);
    EXPECT_EQ(a->mots(5)[1], 1);
    EXPECT_EQ(a->mots(5)[3], opAfficherListe);

    // A new run finds its texts in the pool and appends nothing.
    a->analyser();
    EXPECT_EQ(a->d->codeErreur, 0);
    EXPECT_EQ(a->d->textesAffiches, "n = ");
    a->f.lignesEditeur[2] = depuisUtf8("Afficher \"é\" ; \"n\"");
    a->analyser();
    EXPECT_EQ(a->d->textesAffiches, depuisUtf8("n = é"));
    EXPECT_EQ(a->mots(2), (std::vector<int32_t>{opAfficherTexte, 5, 1, opAfficherTexte, 1, 1}));
}

TEST(analyse, affichages_refuses) {
    const std::pair<const char*, int32_t> cas[] = {
        {"Afficher \"abc", errTexteAffiche},          {"Afficher \"a#b\"", errTexteAffiche},
        {"Afficher \"a;b\"", errTexteAffiche},        {"Afficher \"a\" ; ; x", errSyntaxe},
        {"Afficher ;", errSyntaxe},                   {"Afficher x (1..3)", errPlage},
        {"Afficher A (1..2,1..4)", errPlageDouble},   {"Afficher L 1..3", errPlage},
        {"Afficher Z(1..3)", errPlage},               {"Afficher L(1..3) x", errPlage},
        {"Afficher A(1..2)", errPlage},               {"Afficher L(1.5..3)", errIndiceNonEntier},
        {"Afficher L(1..x)", errIndiceNonEntier},     {"Afficher A(x,1..2)", errIndiceNonEntier},
        {"Afficher A(1..2,x)", errIndiceNonEntier},   {"Afficher (n", errParenthesage},
        {"Afficher 1 ; zz", errSyntaxe},
    };
    for (const auto& [ligne, code] : cas)
        EXPECT_TRUE(echoue(std::string("Entier n ; L(1..5) ; A(1..4,1..4)\nRéel x\nAfficher n\n") + ligne, code, 3))
            << ligne;
}

TEST(analyse, nombre_de_lignes) {
    const std::string avant = lignesRepetees("# commentaire", 1000);
    // An instruction on line 1000, the last entry of the table, links to the end.
    auto a = analyser(avant + "Afficher 1");
    ASSERT_EQ(a->d->codeErreur, 0);
    EXPECT_EQ(a->d->derniereLigne, 1000);
    EXPECT_EQ(a->ligne(1000).suivante, aucuneLigne);
    a = analyser("Entier n\n[a]\nAfficher n\n" + lignesRepetees("", 997) + "Aller à [a] si n < 3");
    ASSERT_EQ(a->d->codeErreur, 0);
    EXPECT_EQ(a->ligne(1000).suivante, aucuneLigne);
    EXPECT_EQ(a->ligne(1000).cibleBranchement, 2);
    EXPECT_TRUE(reussit(avant + "Afficher 1\n" + lignesRepetees("   ", 5000)));
    EXPECT_TRUE(echoue(avant + "\nAfficher 1", errTropDeLignes, aucuneLigne));
}

TEST(analyse, des_millions_de_lignes) {
    // Refused without analysing a line; the bound only catches a blow-up.
    const auto debut = std::chrono::steady_clock::now();
    auto a = std::make_unique<Tanalyse>();
    a->f.lignesEditeur.assign(5000000, "Afficher 1");
    a->analyser();
    EXPECT_EQ(a->d->codeErreur, errTropDeLignes);
    EXPECT_EQ(a->d->ligneErreur, aucuneLigne);
    EXPECT_LT(std::chrono::steady_clock::now() - debut, std::chrono::seconds(20));
}
