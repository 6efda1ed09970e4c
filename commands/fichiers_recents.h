// Fichier › Fichiers récents: the last programs opened or saved, the most
// recent first, at most nbFichiersRecentsMax, each once. Paths in UTF-8, as
// the front end names files; it keeps the list between uses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TlisteFichiersRecents {
public:
    static constexpr size_t nombreMax = 8;

    // The list as it was kept: empty entries and repeats dropped, the first
    // nombreMax kept.
    explicit TlisteFichiersRecents(const std::vector<std::string>& gardes = {});

    // The program at `complet` (its full path) was just opened or saved: it goes first.
    void noter(const std::string& complet);
    // The entry is no file any more: it goes, under its path as given or in full.
    void retirer(const std::string& chemin, const std::string& complet);

    const std::vector<std::string>& chemins() const { return liste; }

private:
    std::vector<std::string> liste;
};

// The menu entry of the `numero`th file (from 1), named `nom` in `dossier`:
// "&1 tri.txt  (/home/classe/algo)", a "&" of the name doubled to show as itself.
std::string legendeFichierRecent(int numero, std::string_view nom, std::string_view dossier);
