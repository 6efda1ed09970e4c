// The shortcuts of the normal-mode burst against the general step: the same
// programs run both ways must show the same lines and leave the same cells,
// counts and errors.
#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "analysis/fenetre_memoire.h"
#include "analysis/lignes.h"
#include "execution/controle.h"
#include "expressions/hasard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Tissue {
    std::vector<std::string> affichage;
    std::unique_ptr<TdonneesCommunes> d;
};

// Runs a program in normal mode with up to `poursuites` continuations.
Tissue executer(const std::string& texte, bool formes, int poursuites) {
    TfenetreMemoire f;
    Tissue issue{{}, std::make_unique<TdonneesCommunes>()};
    TdonneesCommunes& d = *issue.d;
    d.fenetre = &f;
    d.modeAffichage = modeResultats;
    d.formesRapides = formes;
    initialiserHasard(d, 7);
    f.lignesEditeur = decouperLignes(texte);
    lancerExecution(d, executionNormale);
    for (int k = 0; k < poursuites && f.poursuivreActif; ++k)
        poursuivreExecution(d);
    issue.affichage = f.lignesAffichage;
    d.fenetre = nullptr;
    return issue;
}

void comparer(const std::string& texte, const std::string& nom, int poursuites = 3) {
    const Tissue rapide = executer(texte, true, poursuites);
    const Tissue general = executer(texte, false, poursuites);
    const TdonneesCommunes& a = *rapide.d;
    const TdonneesCommunes& b = *general.d;
    EXPECT_EQ(rapide.affichage, general.affichage) << nom;
    EXPECT_EQ(a.nbPas, b.nbPas) << nom;
    EXPECT_EQ(a.nbPasTranche, b.nbPasTranche) << nom;
    EXPECT_EQ(a.erreurExecution, b.erreurExecution) << nom;
    EXPECT_EQ(a.ligneErreur, b.ligneErreur) << nom;
    EXPECT_EQ(a.ligneCourante, b.ligneCourante) << nom;
    EXPECT_EQ(std::memcmp(a.entiers, b.entiers, sizeof a.entiers), 0) << nom;
    EXPECT_EQ(std::memcmp(a.reels, b.reels, sizeof a.reels), 0) << nom;
    EXPECT_EQ(std::memcmp(a.conditions, b.conditions, sizeof a.conditions), 0) << nom;
}

std::string lire(const std::filesystem::path& chemin) {
    std::string octets;
    EXPECT_TRUE(lireFichierOctets(chemin.string(), octets)) << chemin;
    return octets;
}

} // namespace

TEST(tranche, programmes_de_test_et_de_mesure) {
    int nombre = 0;
    for (const char* dossier : {DOSSIER_PROGRAMMES, DOSSIER_MESURES}) {
        for (const auto& entree : std::filesystem::directory_iterator(dossier)) {
            if (entree.path().extension() != ".txt")
                continue;
            comparer(lire(entree.path()), entree.path().filename().string());
            ++nombre;
        }
    }
    EXPECT_GT(nombre, 20);
}

TEST(tranche, chaque_raccourci_et_ses_echecs) {
    // Each shortcut, and the failures a shortcut leaves to the general step.
    const char* programmes[] = {
        // Integer forms wrapping around, every comparison taken both ways.
        "Entier i ; s ; p ; c\nDonner à i la valeur 2147483640\n[b]\nDonner à s la valeur s + i\n"
        "Donner à p la valeur p * i\nDonner à c la valeur c - i\nDonner à i la valeur i + 1\n"
        "Aller à [x] si i <> 0\n[x]\nAller à [y] si i = 5\n[y]\nAller à [z] si s >= i\n[z]\n"
        "Aller à [b] si i < -2147483640\nAfficher s ; p ; c ; i",
        // Real forms, copies between integer and real cells.
        "Entier k ; n\nRéel s ; t ; u\nDonner à k la valeur 1\n[b]\nDonner à s la valeur s + k\n"
        "Donner à t la valeur s * 1.5\nDonner à u la valeur t / k\nDonner à u la valeur u - s\n"
        "Donner à n la valeur k\nDonner à s la valeur n\nDonner à k la valeur k + 1\n"
        "Aller à [b] si k <= 1000\nAfficher s ; t ; u",
        // Division by zero in the shortcut: the general step reports it.
        "Entier k\nRéel x\nDonner à k la valeur 3\n[b]\nDonner à k la valeur k - 1\n"
        "Donner à x la valeur 1 / k\nAller à [b] si k > -5\nAfficher x",
        // A real product beyond the double range.
        "Réel x\nDonner à x la valeur 1.0E300\n[b]\nDonner à x la valeur x * x\nAller à [b]\nAfficher x",
        // Unconditional branches, calls and returns between shortcuts.
        "Entier i\n[b]\nAller à [f] et revenir\nDonner à i la valeur i + 1\nAller à [b] si i < 50\n"
        "Aller à [fin]\n[f]\nDonner à i la valeur i + 0\nRevenir\n[fin]\nAfficher i",
        // A loop suspended at the end of a burst, then continued.
        "Entier i\n[b]\nDonner à i la valeur i + 1\nAller à [b] si i > 0\nAfficher i",
    };
    int n = 0;
    for (const char* p : programmes)
        comparer(depuisUtf8(p), "programme " + std::to_string(n++));
}
