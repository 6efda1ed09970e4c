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
    std::vector<std::string> entrees;
};

// False on a usage error, with its reason (UTF-8) in `erreur`. --help and
// --version are answered before (tools/demarrage_console.h).
bool lireOptions(int argc, const char* const* argv, Toptions& options, std::string& erreur);

// The text of --help (UTF-8).
const char* texteAide();
