// Reading program files with bounded memory: where reading stops, and what
// the window and the runner refuse.
#include "base/lecture_programme.h"

#include "banc_execution.h"
#include "commands/fichiers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sys/stat.h>
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

// Lines in UTF-16 with its mark and CR LF, in either byte order.
std::string utf16(const std::string& texte, bool grandBoutiste) {
    std::string octets = grandBoutiste ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : texte)
        octets += grandBoutiste ? std::string{'\0', c} : std::string{c, '\0'};
    return octets;
}

TEST(lecture_programme, fichiers_hostiles) {
    std::string programme;
    for (int i = 0; i < nbLignesMax; ++i)
        programme += "Afficher 1\r\n";
    const std::string sept100 = programme.substr(0, 700 * 12) + "Afficher \"FIN\"\r\n";
    const std::string apres = "  \r\n  Afficher 2\r\nAfficher 3\r\n";
#ifdef _WIN32
    const fs::path fifo = testing::TempDir();   // no FIFO there: a folder again
#else
    const fs::path fifo = fs::path(testing::TempDir()) / (std::to_string(getpid()) + "-fifo.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);   // never opened: reading it would wait for a writer
#endif
    struct Tcas {
        std::string nom;
        std::string octets;   // the file's bytes; no file made when the name is a path
        size_t lignesMax;
        Tlecture attendue;
        std::string texte;    // what is read (complete and tropDeLignes)
    } cas[] = {
        {"juste.txt", programme + std::string(tailleProgrammeMax - programme.size(), ' '), size_t(nbLignesMax),
         Tlecture::complete, programme + std::string(tailleProgrammeMax - programme.size(), ' ')},
        {"grand.txt", programme + std::string(tailleProgrammeMax + 1 - programme.size(), ' '), size_t(nbLignesMax),
         Tlecture::tropGrand, ""},
        // Cut at the first text after line 1000; the window's limit reads on.
        {"lignes.txt", programme + apres, size_t(nbLignesMax), Tlecture::tropDeLignes, programme + "  \r\n  A"},
        {"lignes.txt", programme + apres, 100000, Tlecture::complete, programme + apres},
        // Too many lines is known before the size: the first is told.
        {"grand_lignes.txt", programme + apres + std::string(tailleProgrammeMax, ' '), size_t(nbLignesMax),
         Tlecture::tropDeLignes, programme + "  \r\n  A"},
        // Lines are counted on the decoded text: CR LF is one line end, and
        // a NUL byte of UTF-16 is no text.
        {"utf16le.txt", utf16(sept100, false), size_t(nbLignesMax), Tlecture::complete, sept100},
        {"utf16be.txt", utf16(sept100, true), size_t(nbLignesMax), Tlecture::complete, sept100},
        {"utf16_lignes.txt", utf16(programme + apres, false), size_t(nbLignesMax), Tlecture::tropDeLignes,
         programme + "  \r\n  A"},
        {"utf16_grand.txt", utf16(programme + apres + std::string(tailleProgrammeMax / 2, ' '), true),
         size_t(nbLignesMax), Tlecture::tropDeLignes, programme + "  \r\n  A"},
        {"utf8_tabs.txt", "\xEF\xBB\xBF" + programme + "\t\r\n", size_t(nbLignesMax), Tlecture::complete,
         programme + "    \r\n"},
        {testing::TempDir(), "", size_t(nbLignesMax), Tlecture::illisible, ""},
        {(fs::path(testing::TempDir()) / "absent-trevane.txt").string(), "", size_t(nbLignesMax),
         Tlecture::illisible, ""},
        {fifo.string(), "", size_t(nbLignesMax), Tlecture::illisible, ""},
    };
    for (const Tcas& c : cas) {
        const bool cree = c.nom.find('/') == std::string::npos;
        const fs::path chemin = cree ? fichier(c.nom, c.octets) : fs::path(c.nom);
        TfichierDecode lu;
        lu.texte = "avant";
        EXPECT_EQ(lireProgramme(chemin.string(), c.lignesMax, lu), c.attendue) << c.nom;
        const bool lu_ = c.attendue == Tlecture::complete || c.attendue == Tlecture::tropDeLignes;
        EXPECT_TRUE(lu.texte == (lu_ ? c.texte : "avant")) << c.nom << " " << lu.texte.size();
        if (cree)
            fs::remove(chemin);
    }
#ifndef _WIN32
    fs::remove(fifo);
#endif
}

TEST(lecture_programme, lignes_blanches_au_dela_du_programme) {
    // Blank lines past the last program line are not kept one by one; those
    // before it, and text after it, are.
    const std::string debut = "Afficher 1\n";
    const std::vector<std::string> blancs = lignesAExecuter(debut + std::string(3000000, '\n'));
    EXPECT_EQ(blancs.size(), size_t(nbLignesMax));
    EXPECT_EQ(lignesAExecuter(debut + std::string(5000, '\n') + " x\n  \n"), [] {
        std::vector<std::string> lignes(nbLignesMax + 1);
        lignes[0] = "Afficher 1";
        lignes[nbLignesMax] = " x";
        return lignes;
    }());
}

TEST(lecture_programme, la_fenetre_refuse_un_fichier_trop_grand) {
    banc::Tbanc b;
    auto& f = b.f;
    auto& d = b.d;
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
