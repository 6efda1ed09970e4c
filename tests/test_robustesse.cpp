// Inputs that once broke the program, kept as regressions.
#include "banc_execution.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// One record for several programs, as the window keeps one for its whole life.
struct Tsession : banc::Tbanc {
    Tsession() {
        d->modeAffichage = modeResultats;
        initialiserHasard(*d, 3);
    }

    std::vector<std::string> executer(const char* texteUtf8, int32_t mode = executionNormale, int poursuites = 0) {
        editeur(depuisUtf8(texteUtf8));
        banc::Tbanc::executer(mode, poursuites);
        return affichage();
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

namespace {

// Analyses and runs (normal mode) a program whose line `ligne` (UTF-8
// prefix, then the bulk) is huge; returns the seconds taken and leaves the
// analysis code in `code`.
double chronometrer(const std::string& prefixe, const std::string& masse, const std::string& suffixe, int32_t& code) {
    Tsession s;
    std::string texte = depuisUtf8("Entier n ; L (1..5)\nRéel x\n") + depuisUtf8(prefixe) + masse +
                        depuisUtf8(suffixe) + depuisUtf8("\nAfficher x\n");
    const auto debut = std::chrono::steady_clock::now();
    s.editeur(texte);
    lancerExecution(*s.d, executionNormale);
    code = s.d->codeErreur;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

std::string repeter(const std::string& motif, size_t fois) {
    std::string texte;
    texte.reserve(motif.size() * fois);
    for (size_t k = 0; k < fois; ++k)
        texte += motif;
    return texte;
}

} // namespace

TEST(robustesse, lignes_d_un_megaoctet_en_temps_lineaire) {
    // Each line is about 1 MB; a quadratic treatment would take hours. The
    // bound is generous (sanitizer builds are slow) and only catches that.
    constexpr size_t mega = 1'000'000;
    struct Tcas {
        const char* nom;
        std::string prefixe, masse, suffixe;
    };
    const Tcas cas[] = {
        {"blancs dans une affectation", "Donner à x la valeur ", std::string(mega, ' '), "1"},
        {"blancs dans une déclaration", "Entier a", std::string(mega, ' '), "; b"},
        {"blancs et séparateurs", "Entier a", repeter(" ; ", mega / 3), "b"},
        {"points dans une déclaration", "Entier M (1", std::string(mega, '.'), "5)"},
        {"points dans une plage affichée", "Afficher L (1", std::string(mega, '.'), "5)"},
        {"parenthèses imbriquées", "Donner à x la valeur ", std::string(mega / 2, '(') + "x" + std::string(mega / 2, ')'), ""},
        {"fonctions imbriquées", "Donner à x la valeur ", repeter("abs(", 100000) + "x" + std::string(100000, ')'), ""},
        {"milliers d'opérateurs", "Donner à x la valeur ", repeter("x+", mega / 2), "x"},
        {"opérateurs mêlés", "Donner à n la valeur ", repeter("n*2-n/3+", mega / 8), "1"},
        {"conditions", "Aller à [a] si ", repeter("n < 1 et ", mega / 9), "n > 0\n[a]"},
        {"textes affichés", "Afficher ", repeter("\"a\";", mega / 4), "1"},
        {"étiquette", "Aller à [", std::string(mega, 'e'), "]"},
        {"commentaire", "# ", std::string(mega, '#'), ""},
        {"parenthèse ouverte", "Donner à x la valeur ", std::string(mega, '('), ""},
    };
    for (const Tcas& c : cas) {
        int32_t code = -1;
        const double secondes = chronometrer(c.prefixe, c.masse, c.suffixe, code);
        EXPECT_LT(secondes, 20.0) << c.nom;
        RecordProperty(c.nom, std::to_string(secondes));
        if (std::getenv("TREVANE_DETAILS")) std::printf("%-32s %.3f s, code %d\n", c.nom, secondes, code);
    }
}
