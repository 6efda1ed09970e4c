#include "tests/lancement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif
#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// For cmd.exe, which std::system calls on Windows: words in double quotes (the
// tests' words hold none), and the whole line once more in quotes, since
// cmd /c drops the first and the last.
std::string entreGuillemets(const std::string& mot) { return std::string("\"") + mot + "\""; }
std::string ligneDeCommande(const std::string& commande) { return std::string("\"") + commande + "\""; }
std::string changerDeDossier(const fs::path& dossier) { return std::string("cd /d ") + entreGuillemets(dossier.string()) + " && "; }
int statutDeSortie(int etat) { return etat; }
// The command line goes wide, as a user's shell gives it: the narrow call
// would read the UTF-8 words in the ANSI code page.
int executer(const std::string& commande) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, commande.c_str(), -1, nullptr, 0);
    std::wstring large(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, commande.c_str(), -1, large.data(), n);
    return _wsystem(large.c_str());
}
#else
std::string entreGuillemets(const std::string& mot) {
    std::string resultat = "'";
    for (const char c : mot)
        resultat += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return resultat + "'";
}
std::string ligneDeCommande(const std::string& commande) { return commande; }
int executer(const std::string& commande) { return std::system(commande.c_str()); }
std::string changerDeDossier(const fs::path& dossier) { return std::string("cd ") + entreGuillemets(dossier.string()) + " && "; }
int statutDeSortie(int etat) { return (etat != -1 && WIFEXITED(etat)) ? WEXITSTATUS(etat) : -1; }
#endif

} // namespace

std::vector<std::string> programmesDuDossier(const fs::path& dossier) {
    std::vector<std::string> noms;
    for (const auto& entree : fs::directory_iterator(dossier))
        if (entree.path().extension() == ".txt")
            noms.push_back(entree.path().stem().string());
    std::sort(noms.begin(), noms.end());
    return noms;
}

std::string lireFichier(const fs::path& chemin) {
    std::ifstream fichier(chemin, std::ios::binary);
    return {std::istreambuf_iterator<char>(fichier), std::istreambuf_iterator<char>()};
}

Tlancement lancer(const std::string& programme, const std::vector<std::string>& arguments, const fs::path& dossier) {
    static int numero = 0;
    const fs::path sorties = fs::path(testing::TempDir()) /
                             ("trevane-lancement-" + std::to_string(getpid()) + "-" + std::to_string(++numero));
    fs::create_directories(sorties);
    std::string commande = dossier.empty() ? std::string() : changerDeDossier(dossier);
    commande += entreGuillemets(programme);
    for (const std::string& a : arguments) {
        commande += ' ';
        commande += entreGuillemets(a);
    }
    // Built piece by piece: GCC 12 warns wrongly on «"..." + std::string&&».
    commande += " >";
    commande += entreGuillemets((sorties / "sortie").string());
    commande += " 2>";
    commande += entreGuillemets((sorties / "erreurs").string());
    Tlancement r;
    r.statut = statutDeSortie(executer(ligneDeCommande(commande)));
    r.sortie = lireFichier(sorties / "sortie");
    r.erreurs = lireFichier(sorties / "erreurs");
    fs::remove_all(sorties);
    return r;
}
