#include "tools/verifier/entrees.h"

#include "analysis/fichiers_systeme.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// ".txt" in any case: files copied from other systems are often ".TXT".
bool estProgramme(const fs::path& chemin) {
    std::string extension = chemin.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return extension == ".txt";
}

// The order of a class list: case and accents of Latin letters do not
// count ("Élodie" comes between "eliott" and "Emma"); the bytes break ties.
std::string cleDeTri(const std::string& chemin) {
    // U+00C0..U+00FF, each folded to its letter ('_' for the two signs).
    constexpr std::string_view lettres = "aaaaaaaceeeeiiiidnooooo_ouuuuytsaaaaaaaceeeeiiiidnooooo_ouuuuyty";
    std::string cle;
    cle.reserve(chemin.size());
    for (size_t i = 0; i < chemin.size(); ++i) {
        const auto c = static_cast<unsigned char>(chemin[i]);
        const auto suivant = i + 1 < chemin.size() ? static_cast<unsigned char>(chemin[i + 1]) : 0;
        if (c >= 'A' && c <= 'Z') {
            cle += static_cast<char>(c + 32);
        } else if ((c == 0xC3) && suivant >= 0x80 && suivant <= 0xBF) {
            cle += lettres[suivant - 0x80];
            ++i;
        } else {
            cle += static_cast<char>(c);
        }
    }
    return cle;
}

bool avant(const std::pair<std::string, bool>& a, const std::pair<std::string, bool>& b) {
    const std::string ca = cleDeTri(a.first);
    const std::string cb = cleDeTri(b.first);
    return ca != cb ? ca < cb : a < b;
}

std::string joindre(const std::string& dossier, const std::string& relatif) {
    if (dossier == ".")
        return relatif;
    if (!dossier.empty() && dossier.back() == '/')
        return dossier + relatif;
    return dossier + "/" + relatif;
}

// Every "*.txt" below `dossier`, as paths relative to `racine`; a folder that
// cannot be listed becomes an entry of its own (`dossierIlisible`) and the
// others are still searched. Linked folders are not followed (no loop).
void parcourir(const fs::path& racine, const fs::path& dossier, std::vector<std::pair<std::string, bool>>& trouves) {
    std::error_code erreur;
    fs::directory_iterator i(dossier, erreur);
    for (; !erreur && i != fs::directory_iterator(); i.increment(erreur)) {
        std::error_code e;
        const bool lien = i->is_symlink(e);
        if (!lien && i->is_directory(e))
            parcourir(racine, i->path(), trouves);
        else if (i->is_regular_file(e) && estProgramme(i->path()))
            trouves.emplace_back(depuisCheminFs(i->path().lexically_relative(racine)), false);
    }
    if (erreur)
        trouves.emplace_back(depuisCheminFs(dossier.lexically_relative(racine)), true);
}

void parcourirDossier(const std::string& entree, std::vector<Tprogramme>& programmes) {
    std::vector<std::pair<std::string, bool>> trouves;
    parcourir(versCheminFs(entree), versCheminFs(entree), trouves);
    std::sort(trouves.begin(), trouves.end(), avant);
    for (const auto& [relatif, illisible] : trouves) {
        const std::string chemin = relatif == "." ? entree : joindre(entree, relatif);
        programmes.push_back({chemin, chemin, illisible});
    }
}

} // namespace

std::vector<Tprogramme> listerProgrammes(const std::vector<std::string>& entrees) {
    std::vector<Tprogramme> programmes;
    for (const std::string& entree : entrees) {
        std::error_code erreur;
        if (fs::is_directory(versCheminFs(entree), erreur))
            parcourirDossier(entree, programmes);
        else
            programmes.push_back({entree, entree, false});
    }
    return programmes;
}
