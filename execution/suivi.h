// The trace of a run, the trace table of a paper desk check: one row per
// executed step with its number, its line, its instruction, the value of each
// simple variable after it and the list or table element it changed. The
// window's "Suivi" table and `trevane-run --suivi` both build their rows here.
#pragma once

#include "base/donnees.h"

#include <cstdint>
#include <string>
#include <vector>

// Rows a trace keeps or writes; past them one row "..." and no more.
constexpr int32_t nbLignesSuiviMax = 100000;

// Told of the run by run control (`TdonneesCommunes::suivi`).
class Tsuivi {
public:
    virtual ~Tsuivi() = default;
    // A run command has just analysed the program; `codeErreur` tells
    // whether a run starts (its cells all 0).
    virtual void commencer(const TdonneesCommunes& d) = 0;
    // The step at `ligne` has just succeeded: the record holds the state after it.
    virtual void noterPas(const TdonneesCommunes& d, int32_t ligne) = 0;
    // Whether normal runs are followed step by step too. Asked once per
    // burst: a false answer keeps the fast engine.
    virtual bool suitExecutionNormale() const = 0;
    // The editor holds another program (Open, New, an example, a recent or
    // dropped file, a recovered copy): nothing shown of the last one applies.
    virtual void oublierProgramme() {}
    // The last step noted was taken back; the record holds the state before it.
    virtual void retirerPas(const TdonneesCommunes& /*d*/) {}
};

// Why a trace panel shows no variables: the program has not run since it
// came into the editor, or its last analysis failed (Windows-1252).
std::string raisonSuiviVide(bool analyseEchouee);

// What the rows of one run refer to, copied when it starts: the next
// analysis rebuilds the record.
struct TcolonnesSuivi {
    std::vector<Tvariable> variables;      // variable k at index k - 1
    std::vector<int32_t> simples;          // numbers of the simple variables, in declaration order
    std::vector<std::string> instructions; // the working copy's lines, as the commentary shows them
};

// One executed step.
struct TligneSuivi {
    uint32_t pas = 0;             // 1 for the first step of the run (wraps as the run's count)
    int32_t ligne = 0;            // line index from 0
    std::vector<double> valeurs;  // the simple variables after the step, in column order
    int32_t numVariable = 0;      // the list or table whose element the step assigned, 0 = none
    int32_t indice1 = 0;
    int32_t indice2 = 0;
    double valeurElement = 0;
};

// Empty columns after a failed analysis.
TcolonnesSuivi colonnesSuivi(const TdonneesCommunes& d);
// The row of the step that has just run the instruction at `ligne`.
TligneSuivi ligneSuivi(const TdonneesCommunes& d, const TcolonnesSuivi& colonnes, int32_t ligne);

// Columns: pas, ligne, instruction, one per simple variable, éléments.
constexpr int32_t colonnePas = 0;
constexpr int32_t colonneLigne = 1;
constexpr int32_t colonneInstruction = 2;
constexpr int32_t premiereColonneVariable = 3;
int32_t nbColonnesSuivi(const TcolonnesSuivi& colonnes);
inline int32_t colonneElements(const TcolonnesSuivi& colonnes) { return nbColonnesSuivi(colonnes) - 1; }

// Texts of the core (Windows-1252). `egal` goes between an element and its
// value: "=" in a file, " = " on screen.
std::string titreColonneSuivi(const TcolonnesSuivi& colonnes, int32_t colonne);
std::string champSuivi(const TcolonnesSuivi& colonnes, const TligneSuivi& ligne, int32_t colonne,
                       const char* egal = "=");

// Normal mode with a trace: the burst of `executerTranche`, by the general
// step, telling `d.suivi` of each step that succeeds.
void executerTrancheSuivie(TdonneesCommunes& d);
