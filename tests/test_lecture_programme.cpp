// Reading program files with bounded memory: where reading stops, and what
// the window and the runner refuse.
#include "analysis/lecture_programme.h"

#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "analysis/lignes.h"
#include "execution/affichages.h"
#include "execution/textes.h"
#include "tools/fenetre_memoire.h"
#include "window/noyau/fichiers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The rule read from the whole text: more than `lignesMax` lines, and text
// on a line past the last program line.
bool tropDeLignesSurLeTout(const std::string& texte, size_t lignesMax) {
    const std::vector<std::string> lignes = decouperLignes(texte);
    bool texteApres = false;
    for (size_t i = nbLignesMax; i < lignes.size(); ++i)
        texteApres = texteApres || lignes[i].find_first_not_of(' ') != std::string::npos;
    return lignes.size() > lignesMax && texteApres;
}

// Feeds `texte` in two pieces cut at `coupure`; returns the bytes taken.
size_t suivre(TsuiviLignes& suivi, const std::string& texte, size_t coupure) {
    const size_t pris = suivi.lire(std::string_view(texte).substr(0, coupure));
    return suivi.tropDeLignes() ? pris : pris + suivi.lire(std::string_view(texte).substr(coupure));
}

fs::path fichier(const std::string& nom, const std::string& octets) {
    const fs::path chemin = fs::path(testing::TempDir()) / (std::to_string(getpid()) + "-" + nom);
    std::ofstream(chemin, std::ios::binary) << octets;
    return chemin;
}

} // namespace

TEST(lecture_programme, suivi_des_lignes_comme_sur_le_texte_entier) {
    // Every tail of up to 5 bytes among blank, CR, LF and text after 1000
    // program lines, cut in two pieces at every place: the decision is the
    // whole text's, and it falls on the first byte that settles it.
    std::string debut;
    for (int i = 0; i < nbLignesMax - 1; ++i)
        debut += "a\r\n";
    const char symboles[] = {' ', '\r', '\n', 'x'};
    for (const size_t lignesMax : {size_t(nbLignesMax), size_t(nbLignesMax) + 2}) {
        for (int longueur = 0; longueur <= 5; ++longueur) {
            int combinaisons = 1;
            for (int i = 0; i < longueur; ++i)
                combinaisons *= 4;
            for (int n = 0; n < combinaisons; ++n) {
                std::string texte = debut;
                for (int i = 0, reste = n; i < longueur; ++i, reste /= 4)
                    texte += symboles[reste % 4];
                const bool attendu = tropDeLignesSurLeTout(texte, lignesMax);
                for (const size_t coupure : {debut.size() - 1, debut.size(), texte.size() - 1, texte.size()}) {
                    TsuiviLignes suivi(lignesMax);
                    const size_t pris = suivre(suivi, texte, coupure);
                    ASSERT_EQ(suivi.tropDeLignes(), attendu) << n << " " << longueur << " " << lignesMax;
                    if (!attendu) {
                        ASSERT_EQ(pris, texte.size());
                        continue;
                    }
                    ASSERT_TRUE(tropDeLignesSurLeTout(texte.substr(0, pris), lignesMax));
                    ASSERT_FALSE(tropDeLignesSurLeTout(texte.substr(0, pris - 1), lignesMax));
                }
            }
        }
    }
}

TEST(lecture_programme, issues_de_la_lecture) {
    std::string programme;
    for (int i = 0; i < nbLignesMax; ++i)
        programme += "Afficher 1\r\n";
    const fs::path juste = fichier("juste.txt", programme + std::string(tailleProgrammeMax - programme.size(), ' '));
    const fs::path grand = fichier("grand.txt", programme + std::string(tailleProgrammeMax + 1 - programme.size(), ' '));
    const fs::path lignes = fichier("lignes.txt", programme + "  \r\n  Afficher 2\r\nAfficher 3\r\n");
    std::string octets = "avant";
    EXPECT_EQ(lireProgramme(juste.string(), nbLignesMax, octets), Tlecture::complete);
    EXPECT_EQ(octets.size(), tailleProgrammeMax);
    octets = "avant";
    EXPECT_EQ(lireProgramme(grand.string(), nbLignesMax, octets), Tlecture::tropGrand);
    EXPECT_EQ(octets, "avant");
    // Cut at the first text after line 1000; the window's limit reads on.
    EXPECT_EQ(lireProgramme(lignes.string(), nbLignesMax, octets), Tlecture::tropDeLignes);
    EXPECT_EQ(octets, programme + "  \r\n  A");
    EXPECT_EQ(lireProgramme(lignes.string(), 100000, octets), Tlecture::complete);
    EXPECT_EQ(octets, programme + "  \r\n  Afficher 2\r\nAfficher 3\r\n");
    EXPECT_EQ(lireProgramme(testing::TempDir(), nbLignesMax, octets), Tlecture::illisible);
    EXPECT_EQ(lireProgramme((fs::path(testing::TempDir()) / "absent-trevane.txt").string(), nbLignesMax, octets),
              Tlecture::illisible);
    EXPECT_EQ(lireProgramme("/dev/zero", nbLignesMax, octets), Tlecture::illisible);
    fs::remove(juste);
    fs::remove(grand);
    fs::remove(lignes);
}

TEST(lecture_programme, la_fenetre_refuse_un_fichier_trop_grand) {
    auto d = std::make_unique<TdonneesCommunes>();
    TfenetreMemoire f;
    d->fenetre = &f;
    d->modeAffichage = modeInformations;
    modeleNouveauProgramme(*d);
    f.taper("Afficher 1");
    f.reponsesConfirmation = {true};
    const fs::path grand = fichier("grand.txt", std::string(tailleProgrammeMax + 1, 'x'));
    f.cheminsOuverture = {grand.string()};
    itemOuvrirClick(*d);
    ASSERT_EQ(f.erreurs.size(), 1u);
    EXPECT_EQ(f.erreurs[0], depuisUtf8("Impossible d'ouvrir le fichier ") + grand.string() +
                                depuisUtf8(".\r\nFichier trop volumineux pour être un programme"));
    EXPECT_EQ(f.lignesEditeur, std::vector<std::string>{"Afficher 1"});
    EXPECT_EQ(f.fenetre, "Trevane");
    fs::remove(grand);
}
