#include "tools/verifier/entrees.h"

#include "base/fichiers_systeme.h"

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

struct Ttrouve {
    std::string relatif;   // below the entry, '/' between the names
    std::string refus;
};

bool avant(const Ttrouve& a, const Ttrouve& b) {
    const std::string ca = cleDeTri(a.relatif);
    const std::string cb = cleDeTri(b.relatif);
    return ca != cb ? ca < cb : a.relatif < b.relatif;
}

std::string joindre(const std::string& dossier, const std::string& relatif) {
    if (dossier == ".")
        return relatif;
    if (!dossier.empty() && dossier.back() == '/')
        return dossier + relatif;
    return dossier + "/" + relatif;
}

// True when `chemin` (made canonical) is `racine` or below it.
bool dans(const fs::path& racine, const fs::path& chemin) {
    const auto [r, c] = std::mismatch(racine.begin(), racine.end(), chemin.begin(), chemin.end());
    return r == racine.end();
}

const char* const refusDossier = "Impossible de lire le dossier";
const char* const refusLienExterieur = "lien vers l'extérieur du dossier";

// One folder's entries: its programs go to `trouves`, its subfolders (not
// linked ones: no loop) are given back by name, to be searched in turn.
std::vector<std::string> lister(const fs::path& racine, const fs::path& racineReelle, const std::string& relatif,
                                std::vector<Ttrouve>& trouves) {
    std::vector<std::string> sousDossiers;
    std::error_code erreur;
    fs::directory_iterator i(relatif.empty() ? racine : racine / versCheminFs(relatif), erreur);
    for (; !erreur && i != fs::directory_iterator(); i.increment(erreur)) {
        const std::string nom = depuisCheminFs(i->path().filename());
        const std::string chemin = relatif.empty() ? nom : relatif + "/" + nom;
        std::error_code e;
        const fs::file_status etat = i->symlink_status(e);
        if (fs::is_directory(etat)) {
            sousDossiers.push_back(nom);
        } else if (estProgramme(i->path())) {
            std::string refus;
            if (fs::is_symlink(etat)) {
                const fs::path cible = fs::canonical(i->path(), e);
                if (!e && !dans(racineReelle, cible))
                    refus = refusLienExterieur;
            }
            trouves.push_back({chemin, std::move(refus)});   // a dangling link or a pipe: `illisible` when read
        }
    }
    if (erreur)
        trouves.push_back({relatif.empty() ? "." : relatif, refusDossier});
    return sousDossiers;
}

// Every entry named "*.txt" below `entree`. The walk keeps, for each folder
// on the way down, only the names of the subfolders still to search, and a
// single path: memory grows with the depth, not with its square.
void parcourirDossier(const std::string& entree, std::vector<Tprogramme>& programmes) {
    const fs::path racine = versCheminFs(entree);
    std::error_code erreur;
    const fs::path racineReelle = fs::canonical(racine, erreur);
    std::vector<Ttrouve> trouves;
    struct Tniveau {
        std::vector<std::string> aVisiter;
        size_t longueur;   // of `relatif` at this folder
    };
    std::string relatif;
    std::vector<Tniveau> pile;
    pile.push_back({lister(racine, racineReelle, relatif, trouves), 0});
    while (!pile.empty()) {
        Tniveau& niveau = pile.back();
        if (niveau.aVisiter.empty()) {
            pile.pop_back();
            continue;
        }
        relatif.resize(niveau.longueur);
        relatif += (relatif.empty() ? "" : "/") + niveau.aVisiter.back();
        niveau.aVisiter.pop_back();
        const size_t longueur = relatif.size();
        std::vector<std::string> sousDossiers = lister(racine, racineReelle, relatif, trouves);
        pile.push_back({std::move(sousDossiers), longueur});
    }
    std::sort(trouves.begin(), trouves.end(), avant);
    for (Ttrouve& t : trouves) {
        const std::string chemin = t.relatif == "." ? entree : joindre(entree, t.relatif);
        programmes.push_back({chemin, chemin, std::move(t.refus)});
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
            programmes.push_back({entree, entree, {}});
    }
    return programmes;
}
