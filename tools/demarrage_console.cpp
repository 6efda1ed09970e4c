#include "tools/demarrage_console.h"

#include "commands/ligne_commande.h"
#include "tools/sorties_binaires.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#ifdef _WIN32
#include "base/utf8.h"

#include <windows.h>
#include <shellapi.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

[[noreturn]] void finSurException() {
    std::string raison = "exception inconnue";
    if (const std::exception_ptr e = std::current_exception()) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            raison = x.what();
        } catch (...) {
        }
    } else {
        raison = "arrêt anormal";
    }
    const std::string message = "Erreur interne : " + raison + "\n";
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fflush(stderr);
    std::_Exit(statutErreurInterne);
}

#ifdef _WIN32

// The narrow arguments are in the ANSI code page, which cannot hold every
// name: the wide ones, once in UTF-8, for as long as the program runs.
void argumentsLarges(int& argc, char**& argv) {
    int n = 0;
    wchar_t** larges = CommandLineToArgvW(GetCommandLineW(), &n);
    if (!larges)
        return;
    static std::vector<std::string> textes;
    static std::vector<char*> pointeurs;
    for (int i = 0; i < n; ++i)
        textes.push_back(utf8DepuisUtf16(reinterpret_cast<const char16_t*>(larges[i])));
    LocalFree(larges);
    for (std::string& texte : textes)
        pointeurs.push_back(texte.data());
    pointeurs.push_back(nullptr);
    argc = n;
    argv = pointeurs.data();
}

bool occuperDescripteursFermes() { return true; }

#else

void argumentsLarges(int&, char**&) {}

bool occuperDescripteursFermes() {
    for (int descripteur = 0; descripteur <= 2; ++descripteur) {
        if (fcntl(descripteur, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free number: this one, since those below are open.
        if (open("/dev/null", descripteur == 0 ? O_WRONLY : O_RDONLY) != descripteur)
            return false;
    }
    return true;
}

#endif

} // namespace

std::optional<int> demarrerConsole(int& argc, char**& argv, std::string_view nom, std::string_view aide,
                                   int statutSortieImpossible) {
    if (!occuperDescripteursFermes())
        return statutSortieImpossible;
    std::set_terminate(finSurException);
    ignorerLimiteDeTaille();
    sortiesBinaires();
    argumentsLarges(argc, argv);
    return repondreAideOuVersion(argc, argv, nom, aide, statutSortieImpossible);
}
