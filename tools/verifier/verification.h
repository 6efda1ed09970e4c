// Checking one program: read as the window reads it, started as the window
// starts a session, run in normal mode, its output compared as it comes.
#pragma once

#include "base/donnees.h"
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

// How a run ended, and where: `assez` when the receiver had enough.
enum class Tfin : uint8_t { terminee, erreurAnalyse, erreurExecution, tropLongue, assez };

struct Tissue {
    Tfin fin = Tfin::terminee;
    int32_t code = 0;              // `codeErreur` or `erreurExecution`
    int32_t ligne = aucuneLigne;   // the line the editor would select
    uint64_t instructions = 0;
};

// Runs `lignes` (the editor's lines) as "Normale" from a session seeded with
// `p.graine`, at most `p.maxInstructions` instructions: each line a display
// instruction writes goes to `recepteur` without the pane's blank, the run
// reports, the reference text and the commentary are dropped. The checker's
// and the runner's --sortie-programme's one way to take a program's output.
Tissue executerProgramme(const std::vector<std::string>& lignes, Trecepteur& recepteur, const Tparametres& p);

// "Arrêté après N instructions." (UTF-8)
std::string messageTropLong(uint64_t instructions);

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
