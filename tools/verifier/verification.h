// Checking one program: read as the window reads it, started as the window
// starts a session, run in normal mode, its output compared as it comes.
#pragma once

#include "tools/verifier/comparaison.h"
#include "tools/verifier/entrees.h"
#include "tools/verifier/statuts.h"

#include <cstdint>
#include <string>
#include <vector>

struct Tparametres {
    uint64_t maxInstructions = 100000000;
    bool ignorerBlancs = false;
    uint32_t graine = 0;
};

struct Tverdict {
    std::string fichier;        // as the reports name it (the system's bytes)
    Tstatut statut = Tstatut::illisible;
    int32_t ligne = 0;          // from 1; 0: none
    std::string detail;         // UTF-8
    uint64_t instructions = 0;
    // A different output: the first differing line (from 0), the lines the
    // program wrote around it (Windows-1252, from `premiereGardee`), how many
    // it wrote, and whether it was stopped for writing too much.
    size_t difference = 0;
    size_t premiereGardee = 0;
    std::vector<std::string> gardees;
    size_t nombreObtenues = 0;
    bool interrompue = false;
};

// Never throws: whatever happens becomes the program's verdict.
Tverdict verifierProgramme(const Tprogramme& programme, const Tattendu& attendu, const Tparametres& p);

// Runs the teacher's program and takes its output lines. False when it
// cannot serve (unreadable, analysis or run-time error, too long, too much
// output), with the reason in `raison` (UTF-8).
bool executerReference(const std::string& chemin, const Tparametres& p, TlignesGroupees& lignes,
                       std::string& raison);

// The expected lines of a text file (--attendu): empty lines at its end are
// dropped, since a shown line is never empty. False when unreadable.
bool lireAttendu(const std::string& chemin, TlignesGroupees& lignes, std::string& raison);
