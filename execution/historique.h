// The step back of a commented run: each step's changed cells with their
// values before it, and the registers and pane length before it, so that
// "Pas précédent" puts the run back exactly where it was. Compact (no copy
// of the cells per step) and bounded: the last 100,000 steps or 64 MiB.
#pragma once

#include "base/donnees.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

constexpr size_t nbPasHistoriqueMax = 100000;
constexpr size_t tailleHistoriqueMax = size_t{64} << 20;

// One changed cell: its number (integer, real, then 100000 + condition) and
// its value before the step, as bits.
struct TcelluleAvant {
    int32_t cellule;
    uint64_t valeur;
};

struct TpasHistorique {
    size_t debutCellules = 0;       // its first changed cell in `cellules`, counted from the start of the run
    uint64_t nbLignes = 0;          // the pane's line count before it
    uint64_t etatHasard = 0;
    int32_t ligneCourante = aucuneLigne;
    int32_t nbPas = 0;
    int32_t nbPasTranche = 0;
    int32_t nbRetours = 0;
    int32_t pileRetours[nbRetoursMax + 1] = {};
    int32_t suivanteRevenir = 0;    // a return line's link before it, which the step sets
};

struct Thistorique {
    std::deque<TpasHistorique> pas;
    std::deque<TcelluleAvant> cellules;
    size_t cellulesOubliees = 0;    // cells dropped with the oldest steps
    bool tronque = false;           // steps were dropped past the bound
    // The cells as they were before the step under way.
    int32_t entiers[derniereCaseEntiere + 1] = {};
    double reels[derniereCaseReelle - derniereCaseEntiere + 1] = {};
    uint8_t conditions[nbConditionsMax + 1] = {};
};

// A commented run starts: the history is emptied.
void commencerHistorique(TdonneesCommunes& d);
// Around each commented step of the run.
void avantPas(TdonneesCommunes& d);
void apresPas(TdonneesCommunes& d);
// Whether a step can be taken back, and the state before the last one put back
// (cells, registers, pane lines); false when there is none.
bool pasPrecedentPossible(const TdonneesCommunes& d);
bool reculerPas(TdonneesCommunes& d);
// Why the step back is not possible past the bound (Windows-1252); empty otherwise.
std::string raisonPasPrecedent(const TdonneesCommunes& d);
// Bytes held per step, on average, for the measures.
double octetsParPas(const TdonneesCommunes& d);
