// What every program of Trevane answers to --help and --version before doing
// anything else (no window, no display, no file read): the text on stdout and
// exit status 0, as desktop programs do. Toolkit-free, for the window's entry
// point and the console tools alike.
#pragma once

#include "trevane_version.h"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

// When an argument before any "--" is --help or --version (the first one
// decides), writes the help text or "NOM VERSION" on stdout and returns the
// exit status: 0, or 1 when stdout cannot be written. Otherwise nothing.
inline std::optional<int> repondreAideOuVersion(int argc, char** argv, std::string_view nom,
                                                std::string_view aide) {
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
        return ecrit ? 0 : 1;
    }
    return std::nullopt;
}
