// Fichier › Fichiers récents: the list's rules (the most recent first, each
// once, at most 8) and the menu entries' captions.
#include "commands/fichiers_recents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Vchemins = std::vector<std::string>;

TEST(fichiers_recents, liste_gardee_relue) {
    const std::pair<Vchemins, Vchemins> cas[] = {
        {{}, {}},
        {{"/a", "", "/b", "/a"}, {"/a", "/b"}},
        {{"1", "2", "3", "4", "5", "6", "7", "8", "9"}, {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {{"1", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, {"1", "2", "3", "4", "5", "6", "7", "8"}},
    };
    for (const auto& [gardes, liste] : cas)
        EXPECT_EQ(TlisteFichiersRecents(gardes).chemins(), liste);
}

TEST(fichiers_recents, noter_et_retirer) {
    // Each operation on the list before it: (noter, chemin) or (retirer, chemin given, full path).
    struct Tcas {
        bool noter;
        std::string chemin, complet;
        Vchemins apres;
    };
    const Tcas cas[] = {
        {true, "/a", "", {"/a"}},
        {true, "/b", "", {"/b", "/a"}},
        {true, "/a", "", {"/a", "/b"}},   // already there: moves first, once
        {true, "/c", "", {"/c", "/a", "/b"}},
        {false, "b", "/b", {"/c", "/a"}},   // under its full path
        {false, "/c", "/c", {"/a"}},
        {false, "/x", "/x", {"/a"}},
    };
    TlisteFichiersRecents liste;
    for (const Tcas& c : cas) {
        if (c.noter)
            liste.noter(c.chemin);
        else
            liste.retirer(c.chemin, c.complet);
        EXPECT_EQ(liste.chemins(), c.apres) << c.noter << " " << c.chemin;
    }
}

TEST(fichiers_recents, legendes) {
    EXPECT_EQ(legendeFichierRecent(1, "tri.txt", "/home/classe/algo"), "&1 tri.txt  (/home/classe/algo)");
    EXPECT_EQ(legendeFichierRecent(8, "a&b.txt", "C:\\R&D"), "&8 a&&b.txt  (C:\\R&&D)");
}
