// The trace of a run, end to end through `trevane-run --suivi`: the exact CSV
// bytes, the rows of continued and failing runs, the row cap, and that the
// option changes nothing else the runner writes.
#include "execution/suivi_csv.h"
#include "tests/lancement.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Tsortie {
    int statut = -1;
    std::string sortie;
    std::string erreurs;
    std::string csv;
};

fs::path dossierTemporaire() {
    static int numero = 0;
    const fs::path dossier =
        fs::path(testing::TempDir()) / ("trevane-suivi-" + std::to_string(getpid()) + "-" + std::to_string(++numero));
    fs::create_directories(dossier);
    return dossier;
}

// Runs `programme` (Windows-1252, CR LF) with `options`; with `suivi`, adds
// "--suivi" and the path of a file in the run's folder (or `suivi` itself
// when it is absolute) and reads the trace back.
Tsortie suivre(const std::string& programme, const std::vector<std::string>& options, bool suivi = true,
               const std::string& cheminSuivi = {}) {
    const fs::path dossier = dossierTemporaire();
    std::ofstream(dossier / "p.txt", std::ios::binary) << programme;
    const fs::path csv = cheminSuivi.empty() ? dossier / "suivi.csv" : fs::path(cheminSuivi);
    std::vector<std::string> arguments = options;
    if (suivi) {
        arguments.push_back("--suivi");
        arguments.push_back(csv.string());
    }
    arguments.push_back((dossier / "p.txt").string());
    const Tlancement l = ::lancer(TREVANE_RUN, arguments);
    Tsortie r;
    r.statut = l.statut;
    r.sortie = l.sortie;
    r.erreurs = l.erreurs;
    if (suivi && cheminSuivi.empty())
        r.csv = lireFichier(csv);
    fs::remove_all(dossier);
    return r;
}

const std::string bom = "\xEF\xBB\xBF";

// A loop filling a list, a real growing by halves, a table element, and a
// display whose instruction holds «;» and quotes.
const std::string boucle =
    "Entier n ; L (1..3) ; A (1..2 , 1..2)\r\n"
    "R\xE9"
    "el x\r\n"
    "Donner \xE0 n la valeur 1\r\n"
    "[b]\r\n"
    "Donner \xE0 L(n) la valeur n*n\r\n"
    "Donner \xE0 x la valeur x + 0.5   # un demi de plus\r\n"
    "Donner \xE0 n la valeur n+1\r\n"
    "Aller \xE0 [b] si n <= 3\r\n"
    "Donner \xE0 A(2,1) la valeur -3\r\n"
    "Afficher \"a\" ; L (1..3)\r\n";

const std::string lignesBoucle =
    "pas;ligne;instruction;n;x;\xC3\xA9l\xC3\xA9ments\r\n"
    "1;3;Donner \xC3\xA0 n la valeur 1;1;0;\r\n"
    "2;5;Donner \xC3\xA0 L(n) la valeur n*n;1;0;L(1)=1\r\n"
    "3;6;Donner \xC3\xA0 x la valeur x + 0.5;1;0.5;\r\n"
    "4;7;Donner \xC3\xA0 n la valeur n+1;2;0.5;\r\n"
    "5;8;Aller \xC3\xA0 [b] si n <= 3;2;0.5;\r\n"
    "6;5;Donner \xC3\xA0 L(n) la valeur n*n;2;0.5;L(2)=4\r\n"
    "7;6;Donner \xC3\xA0 x la valeur x + 0.5;2;1;\r\n"
    "8;7;Donner \xC3\xA0 n la valeur n+1;3;1;\r\n"
    "9;8;Aller \xC3\xA0 [b] si n <= 3;3;1;\r\n"
    "10;5;Donner \xC3\xA0 L(n) la valeur n*n;3;1;L(3)=9\r\n"
    "11;6;Donner \xC3\xA0 x la valeur x + 0.5;3;1.5;\r\n"
    "12;7;Donner \xC3\xA0 n la valeur n+1;4;1.5;\r\n"
    "13;8;Aller \xC3\xA0 [b] si n <= 3;4;1.5;\r\n"
    "14;9;Donner \xC3\xA0 A(2,1) la valeur -3;4;1.5;A(2,1)=-3\r\n"
    "15;10;\"Afficher \"\"a\"\" ; L (1..3)\";4;1.5;\r\n";

std::vector<std::string> lignes(const std::string& csv) {
    std::vector<std::string> resultat;
    size_t debut = 0;
    for (size_t fin; (fin = csv.find("\r\n", debut)) != std::string::npos; debut = fin + 2)
        resultat.push_back(csv.substr(debut, fin - debut));
    return resultat;
}

} // namespace

TEST(suivi, format_exact) {
    const Tsortie r = suivre(boucle, {});
    EXPECT_EQ(r.statut, 0);
    EXPECT_EQ(r.csv, bom + lignesBoucle);
    // The commented run writes the same rows.
    const Tsortie commentee = suivre(boucle, {"--pas-a-pas", "--poursuivre", "100"});
    EXPECT_EQ(commentee.csv, bom + lignesBoucle);
}

TEST(suivi, rien_d_autre_ne_change) {
    const std::string echec = "Entier L (1..2) ; k\r\nDonner \xE0 k la valeur 3\r\nDonner \xE0 L(k) la valeur 1\r\nAfficher k\r\n";
    const std::string analyse = "Entier k\r\nDonner \xE0 k la valeur 3\r\n";
    for (const std::string& programme : {boucle, echec, analyse}) {
        for (const std::vector<std::string>& options :
             {std::vector<std::string>{}, {"--pas-a-pas"}, {"--pas-a-pas", "--poursuivre", "4"}}) {
            const Tsortie sans = suivre(programme, options, false);
            const Tsortie avec = suivre(programme, options);
            EXPECT_EQ(avec.sortie, sans.sortie);
            EXPECT_EQ(avec.erreurs, sans.erreurs);
            EXPECT_EQ(avec.statut, sans.statut);
        }
    }
    // A run-time error: the failing step is no row.
    EXPECT_EQ(suivre(echec, {}).csv, bom + "pas;ligne;instruction;k;\xC3\xA9l\xC3\xA9ments\r\n"
                                           "1;2;Donner \xC3\xA0 k la valeur 3;3;\r\n");
    // An analysis error: the header alone, without variables.
    EXPECT_EQ(suivre(analyse, {}).csv, bom + "pas;ligne;instruction;\xC3\xA9l\xC3\xA9ments\r\n");
}

TEST(suivi, poursuite_continue_le_compte) {
    // Commented, then Poursuivre twice: three steps numbered on.
    const Tsortie r = suivre(boucle, {"--pas-a-pas", "--poursuivre", "2"});
    EXPECT_EQ(r.statut, 3);
    const std::vector<std::string> l = lignes(r.csv);
    ASSERT_EQ(l.size(), 4u);
    EXPECT_EQ(l[3], "3;6;Donner \xC3\xA0 x la valeur x + 0.5;1;0.5;");
}

TEST(suivi, plafond_des_lignes) {
    // `tours` turns of a two-step loop, then `affichages` displays.
    const auto boucleDe = [](int tours, int affichages) {
        std::string p = "Entier i\r\n[a]\r\nDonner \xE0 i la valeur i+1\r\nAller \xE0 [a] si i < " +
                        std::to_string(tours) + "\r\n";
        for (int k = 0; k < affichages; ++k)
            p += "Afficher i\r\n";
        return p;
    };
    // 100,000 steps: every one a row, no cut.
    const std::vector<std::string> juste = lignes(suivre(boucleDe(49999, 2), {}).csv);
    ASSERT_EQ(juste.size(), 1u + 100000u);
    EXPECT_EQ(juste.back(), "100000;6;Afficher i;49999;");
    // One step more: a last row "..." in its place.
    const std::vector<std::string> plus = lignes(suivre(boucleDe(49999, 3), {}).csv);
    ASSERT_EQ(plus.size(), 1u + 100000u + 1u);
    EXPECT_EQ(plus[100000], "100000;6;Afficher i;49999;");
    EXPECT_EQ(plus.back(), "...");
    // Far more: still one "..." and nothing after it; the run ends as without the option.
    const Tsortie long_ = suivre(boucleDe(200000, 1), {});
    const std::vector<std::string> coupe = lignes(long_.csv);
    ASSERT_EQ(coupe.size(), 1u + 100000u + 1u);
    EXPECT_EQ(coupe[100000], "100000;4;Aller \xC3\xA0 [a] si i < 200000;50000;");
    EXPECT_EQ(coupe.back(), "...");
    EXPECT_EQ(long_.statut, 0);
    EXPECT_NE(long_.sortie.find(" Instructions ex\xC3\xA9" "cut\xC3\xA9" "es : 400001"), std::string::npos);
}

TEST(suivi, fichier_impossible) {
    for (const std::string& chemin : {std::string("/nonexistent/suivi.csv"), std::string("/")}) {
        const Tsortie r = suivre(boucle, {}, true, chemin);
        EXPECT_EQ(r.statut, 4);
        EXPECT_EQ(r.sortie, "");   // nothing ran
        EXPECT_EQ(r.erreurs, "Impossible d'\xC3\xA9" "crire le suivi dans le fichier " + chemin + "\n");
    }
    // A full disk: every row is checked, and the failure is reported.
    if (fs::exists("/dev/full")) {
        const Tsortie r = suivre(boucle, {}, true, "/dev/full");
        EXPECT_EQ(r.statut, 4);
        EXPECT_NE(r.sortie.find("a  1  4  9"), std::string::npos);
        EXPECT_EQ(r.erreurs, "Impossible d'\xC3\xA9" "crire le suivi dans le fichier /dev/full\n");
    }
    EXPECT_EQ(suivre(boucle, {"--suivi"}, false).statut, 64);
}

TEST(suivi, champs_csv) {
    EXPECT_EQ(champCsv(""), "");
    EXPECT_EQ(champCsv("Donner \xC3\xA0 n la valeur 2"), "Donner \xC3\xA0 n la valeur 2");
    EXPECT_EQ(champCsv("a;b"), "\"a;b\"");
    EXPECT_EQ(champCsv("\""), "\"\"\"\"");
    EXPECT_EQ(champCsv("x\ny"), "\"x\ny\"");
    EXPECT_EQ(champCsv("x\r"), "\"x\r\"");
    EXPECT_EQ(champCsv("Afficher \"k = \" ; k"), "\"Afficher \"\"k = \"\" ; k\"");
}

TEST(suivi, meme_execution_que_le_moteur_rapide) {
    // With a trace, a normal run goes by the general step: every pane line,
    // selection and exit status must be those of the fast engine.
    for (const char* nom : {"tri", "reels", "affichage", "premiers"}) {
        std::ifstream fichier(std::string(DOSSIER_MESURES) + "/" + nom + ".txt", std::ios::binary);
        const std::string programme((std::istreambuf_iterator<char>(fichier)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(programme.empty()) << nom;
        const Tsortie sans = suivre(programme, {"--poursuivre", "1000"}, false);
        const Tsortie avec = suivre(programme, {"--poursuivre", "1000"});
        EXPECT_EQ(avec.sortie, sans.sortie) << nom;
        EXPECT_EQ(avec.erreurs, sans.erreurs) << nom;
        EXPECT_EQ(avec.statut, sans.statut) << nom;
        EXPECT_EQ(lignes(avec.csv).size(), 1u + 100000u + 1u) << nom;
    }
}
