// The example programs of Fichier › Exemples: each one is stored as the
// window saves a program, names itself on its first line, and runs to its
// end through trevane-run; those that draw no random number give exactly
// their NAME.attendu.
#include "tests/lancement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// trevane-run on the file: its stdout and exit status.
std::pair<std::string, int> executer(const fs::path& programme) {
    const Tlancement r = lancer(TREVANE_RUN, {programme.string()});
    return {r.sortie, r.statut};
}

class exemples : public testing::TestWithParam<std::string> {};

} // namespace

TEST(liste_exemples, une_douzaine) { EXPECT_GE(programmesDuDossier(DOSSIER_EXEMPLES).size(), 12u); }

TEST_P(exemples, fichier_et_execution) {
    const fs::path base = fs::path(DOSSIER_EXEMPLES) / GetParam();
    const std::string texte = lireFichier(base.string() + ".txt");
    // Windows-1252 with CR LF: no bare line feed, no UTF-8 sequence for an
    // accented letter, a final line break.
    for (size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == '\n') {
            ASSERT_TRUE(i > 0 && texte[i - 1] == '\r') << "bare line feed at byte " << i;
        }
    }
    EXPECT_EQ(texte.find("\xC3"), std::string::npos) << "UTF-8 text";
    EXPECT_TRUE(texte.size() >= 2 && texte.compare(texte.size() - 2, 2, "\r\n") == 0);
    EXPECT_EQ(texte.rfind("# ", 0), 0u) << "the first line, a comment, is the menu's caption";

    const auto [sortie, statut] = executer(base.string() + ".txt");
    EXPECT_EQ(statut, 0);
    EXPECT_NE(sortie.find("\n Ex\xC3\xA9" "cution termin\xC3\xA9" "e.\n"), std::string::npos) << sortie;
    if (fs::exists(base.string() + ".attendu")) {
        EXPECT_EQ(sortie, lireFichier(base.string() + ".attendu"));
    }
}

INSTANTIATE_TEST_SUITE_P(, exemples, testing::ValuesIn(programmesDuDossier(DOSSIER_EXEMPLES)),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string nom = info.param;
                             for (char& c : nom)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return nom;
                         });
