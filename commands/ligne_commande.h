// What every program of Trevane answers to --help and --version before doing
// anything else (no window, no display, no file read): the text on stdout and
// exit status 0, as desktop programs do, or the program's own status for an
// output that could not be written. Toolkit-free, for the window's entry
// point and the console tools alike.
#pragma once

#include "trevane_version.h"

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// When an argument before any "--" is --help or --version (the first one
// decides), writes the help text or "NOM VERSION" on stdout and returns the
// exit status: 0, or `statutSortieImpossible` when stdout cannot be written.
// Otherwise nothing.
inline std::optional<int> repondreAideOuVersion(int argc, char** argv, std::string_view nom,
                                                std::string_view aide, int statutSortieImpossible = 1) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--")
            break;
        if (argument != "--help" && argument != "--version")
            continue;
        const std::string texte =
            argument == "--help" ? std::string(aide) : std::string(nom) + " " TREVANE_VERSION "\n";
        const bool ecrit = std::fwrite(texte.data(), 1, texte.size(), stdout) == texte.size() &&
                           std::fflush(stdout) == 0;
        return ecrit ? 0 : statutSortieImpossible;
    }
    return std::nullopt;
}

// A write past the file-size limit (ulimit -f) then fails with an error that
// the program reports, where SIGXFSZ would kill it with its work unsaved.
inline void ignorerLimiteDeTaille() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}
