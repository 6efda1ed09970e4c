// Each console program's manual page names exactly the options its --help
// lists: the help, built into the program, is the source the page follows.
#include "tests/lancement.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace {

// The long options in a text ("--pas-a-pas"); a page writes them "\-\-pas\-a\-pas".
std::set<std::string> options(std::string texte) {
    texte = std::regex_replace(texte, std::regex(R"(\\-)"), "-");
    std::set<std::string> trouvees;
    const std::regex option(R"(--[a-z][a-z-]*[a-z])");
    for (auto i = std::sregex_iterator(texte.begin(), texte.end(), option); i != std::sregex_iterator(); ++i)
        trouvees.insert(i->str());
    return trouvees;
}

} // namespace

TEST(documentation, pages_de_manuel_et_aide) {
    const struct {
        const char* programme;
        const char* page;
    } programmes[] = {{TREVANE_RUN, "trevane-run.1"}, {TREVANE_VERIFIER, "trevane-verifier.1"}};
    for (const auto& p : programmes) {
        const Tlancement aide = lancer(p.programme, {"--help"});
        ASSERT_EQ(aide.statut, 0) << p.programme;
        const std::string page = lireFichier(std::string(DOSSIER_MAN) + "/" + p.page);
        ASSERT_FALSE(page.empty()) << p.page;
        EXPECT_EQ(options(page), options(aide.sortie)) << p.page;
    }
}
