// End-to-end cases: every tests/programmes/NAME.txt runs through trevane-run
// and its output is compared with NAME.attendu (see LISEZMOI.md there).
#include "tests/lancement.h"
#include "trevane_version.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool lire(const fs::path& chemin, std::string& contenu) {
    std::ifstream fichier(chemin, std::ios::binary);
    if (!fichier)
        return false;
    contenu.assign(std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>());
    return true;
}

// Runs trevane-run with the given arguments; stdout and stderr captured.
Tlancement lancer(const std::vector<std::string>& arguments) { return ::lancer(TREVANE_RUN, arguments); }

// NAME.options: "options: ..." (words given before the file) and "statut: N".
struct Toptions {
    std::vector<std::string> arguments;
    int statut = 0;
};

Toptions lireOptions(const fs::path& chemin) {
    Toptions o;
    std::string contenu;
    if (!lire(chemin, contenu))
        return o;
    std::istringstream lignes(contenu);
    std::string ligne;
    while (std::getline(lignes, ligne)) {
        std::istringstream mots(ligne);
        std::string cle, mot;
        mots >> cle;
        if (cle == "options:") {
            while (mots >> mot)
                o.arguments.push_back(mot);
        } else if (cle == "statut:") {
            mots >> o.statut;
        }
    }
    return o;
}

class programmes : public testing::TestWithParam<std::string> {};

} // namespace

TEST_P(programmes, sortie_attendue) {
    const fs::path base = fs::path(DOSSIER_PROGRAMMES) / GetParam();
    std::string attendu;
    ASSERT_TRUE(lire(base.string() + ".attendu", attendu)) << "missing " << base.string() << ".attendu";
    Toptions options = lireOptions(base.string() + ".options");
    options.arguments.push_back(base.string() + ".txt");
    const Tlancement r = lancer(options.arguments);
    EXPECT_EQ(r.sortie, attendu);
    EXPECT_EQ(r.statut, options.statut);
    std::string erreurs;
    if (lire(base.string() + ".erreurs", erreurs)) {
        EXPECT_EQ(r.erreurs, erreurs);
    }
}

INSTANTIATE_TEST_SUITE_P(cas, programmes, testing::ValuesIn(programmesDuDossier(DOSSIER_PROGRAMMES)),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string nom = info.param;
                             for (char& c : nom)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return nom;
                         });

TEST(trevane_run, usage_et_fichier_illisible) {
    const std::string programme = std::string(DOSSIER_PROGRAMMES) + "/exemple_normal.txt";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"--graine"}, {"--graine", "x", programme}, {"--graine", "-1", programme},
          {"--poursuivre", "2x", programme}, {"--vite", programme}, {programme, programme}}) {
        const Tlancement r = lancer(arguments);
        EXPECT_EQ(r.statut, 64);
        EXPECT_EQ(r.sortie, "");
        EXPECT_EQ(r.erreurs.rfind("usage : trevane-run", 0), 0u) << r.erreurs;
    }
    const Tlancement absent = lancer({"/nonexistent/programme.txt"});
    EXPECT_EQ(absent.statut, 4);
    EXPECT_EQ(absent.sortie, "");
    EXPECT_EQ(absent.erreurs, "Impossible d'ouvrir le fichier /nonexistent/programme.txt\n");
    EXPECT_EQ(lancer({DOSSIER_PROGRAMMES}).statut, 4);
}

TEST(trevane_run, aide_et_version) {
    const std::string programme = std::string(DOSSIER_PROGRAMMES) + "/exemple_normal.txt";
    const std::string usage = lancer({"--vite"}).erreurs;
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {programme, "--help"}, {"--vite", "--help", "--version"},
          {"--graine", "1", "--help", "--", programme}}) {
        const Tlancement r = lancer(arguments);
        EXPECT_EQ(r.statut, 0);
        EXPECT_EQ(r.erreurs, "");
        EXPECT_EQ(r.sortie.rfind(usage, 0), 0u) << r.sortie;
        EXPECT_GT(r.sortie.size(), usage.size());
    }
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--version"}, {"--version", "--help"}, {"--pas-a-pas", "--version", programme}}) {
        const Tlancement r = lancer(arguments);
        EXPECT_EQ(r.statut, 0);
        EXPECT_EQ(r.sortie, "trevane-run " TREVANE_VERSION "\n");
        EXPECT_EQ(r.erreurs, "");
    }
    // After "--" the words are file names.
    EXPECT_EQ(lancer({"--", "--help"}).statut, 4);
}

TEST(trevane_run, graine_reproductible) {
    const fs::path chemin = fs::path(testing::TempDir()) / ("hasard-" + std::to_string(getpid()) + ".txt");
    {
        std::ofstream f(chemin, std::ios::binary);
        f << "Entier i ; L (1..20)\r\n[a]\r\nDonner \xE0 i la valeur i+1\r\n"
             "Donner \xE0 L(i) la valeur Ehasard(1, 1000000)\r\n"
             "Aller \xE0 [a] si i < 20\r\nAfficher \"h\" ; Ehasard(5,5) ; L (1..20)\r\n";
    }
    const Tlancement a = lancer({"--graine", "7", chemin.string()});
    const Tlancement b = lancer({"--graine", "7", "--", chemin.string()});
    fs::remove(chemin);
    EXPECT_EQ(a.statut, 0);
    EXPECT_EQ(a.sortie, b.sortie);
    EXPECT_EQ(a.sortie.rfind(" h 5  ", 0), 0u) << a.sortie;
}
