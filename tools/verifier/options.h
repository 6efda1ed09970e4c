// The command line of trevane-verifier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Toptions {
    std::string reference;               // --reference PROGRAMME
    std::string attendu;                 // --attendu FICHIER
    bool ignorerBlancs = false;
    uint64_t maxInstructions = 100000000;
    std::string csv;
    std::string html;
    unsigned jobs = 0;                   // 0: one per core
    uint32_t graine = 0;
    bool aide = false;
    bool version = false;
    std::vector<std::string> entrees;
};

// False on a usage error, with its reason (UTF-8) in `erreur`. With --help or
// --version nothing else is checked.
bool lireOptions(int argc, const char* const* argv, Toptions& options, std::string& erreur);

// The text of --help (UTF-8).
const char* texteAide();
