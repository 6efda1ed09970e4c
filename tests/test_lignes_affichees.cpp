// The display pane's line store: cut as the core cuts lines, lines of any
// size across its blocks.
#include "commands/lignes_affichees.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(lignes_affichees, decoupe_comme_le_noyau) {
    struct Tcas {
        std::string texte;
        std::vector<std::string> lignes;
    };
    const Tcas cas[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"\n\n", {"", ""}},
        {std::string("\0\x80\xFF", 3), {std::string("\0\x80\xFF", 3)}},
    };
    for (const Tcas& c : cas) {
        TlignesAffichees lignes;
        lignes.remplacer(c.texte);
        ASSERT_EQ(lignes.nombre(), static_cast<int64_t>(c.lignes.size())) << c.texte;
        std::string joint;
        for (size_t i = 0; i < c.lignes.size(); ++i) {
            EXPECT_EQ(lignes.ligne(static_cast<int64_t>(i)), c.lignes[i]) << c.texte;
            joint += (i ? "\r\n" : "") + c.lignes[i];
        }
        EXPECT_EQ(lignes.texte(), joint);
    }
}

TEST(lignes_affichees, lignes_a_cheval_sur_les_blocs) {
    // Lines of every size, some larger than a block, each read back whole.
    TlignesAffichees lignes;
    std::vector<std::string> attendues;
    for (int i = 0; i < 3000; ++i) {
        const size_t taille = (i % 97 == 0) ? (size_t{1} << 20) + static_cast<size_t>(i) : static_cast<size_t>(i % 1500);
        attendues.push_back(std::string(taille, static_cast<char>('a' + i % 26)));
        lignes.ajouter(attendues.back());
    }
    ASSERT_EQ(lignes.nombre(), int64_t{3000});
    uint64_t octets = 0;
    for (size_t i = 0; i < attendues.size(); ++i) {
        EXPECT_TRUE(lignes.ligne(static_cast<int64_t>(i)) == attendues[i]) << i;
        octets += attendues[i].size();
    }
    EXPECT_EQ(lignes.octetsTexte(), octets);
    EXPECT_EQ(lignes.memoire(), octets + 4 * 3000);
    lignes.vider();
    EXPECT_EQ(lignes.nombre(), int64_t{0});
    EXPECT_EQ(lignes.memoire(), uint64_t{0});
}
