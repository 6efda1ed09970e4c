// The normal-mode engine's stream, built once when a run starts: each line
// that can be is decoded into micro-operations, its operations with their
// cells resolved, then one end that applies the line's effect and names its
// successors. Lines with displays, calls, returns or random draws, and any
// line whose shape is unusual, keep the general step.
//
// A line's operations write only its own temporary cells, so a micro-operation
// that cannot finish (a division by zero, a real out of range, an index
// outside the bounds) hands the line to the general step, which runs it again
// from the start and reports the failure exactly.
#pragma once

#include "analysis/donnees.h"

#include <cstdint>

// The four forms of a real operation by where its operands are: EE both in
// integer cells, ER the second in a real cell, RE the first, RR both.
#define TREVANE_VARIANTES(nom) nom##EE, nom##ER, nom##RE, nom##RR
constexpr int32_t nbVariantes = 4;

// Micro-operation codes. Fields: a, b operand cells, r result cell; every
// micro-operation knows its line. Ends: w the byte distance from the end to
// the first micro-operation of the next line in sequence; for the branches y
// the same for the line reached; for assignments x the target cell. z and x
// keep the line numbers the distances were made from.
// ORDRE: the engine's label table (execution/tranche.cpp) follows this order.
enum Tmicrocode : uint16_t {
    mGeneral = 0,     // the general step for the line
    mArret,           // the end of the program
    // Integer operations (E = integer cells, wrap around).
    mPlusE, mMoinsE, mFoisE, mOpposeE, mAbsE, mMinE, mMaxE,
    mQuot, mReste,    // fail on a zero divisor or -2^31 / -1
    // Comparisons into condition cells, and conditions.
    mInfEgalE, mSupEgalE, mDifferentE, mInfE, mSupE, mEgalE,
    mDivise,          // C[r] := E[b] mod E[a] = 0
    TREVANE_VARIANTES(mInfEgalR), TREVANE_VARIANTES(mSupEgalR), TREVANE_VARIANTES(mDifferentR),
    TREVANE_VARIANTES(mInfR), TREVANE_VARIANTES(mSupR), TREVANE_VARIANTES(mEgalR),
    mOu, mEt, mNon, mValeurCondition,
    // Real operations, the result rounded once.
    TREVANE_VARIANTES(mPlusR), TREVANE_VARIANTES(mMoinsR), TREVANE_VARIANTES(mFoisR),
    TREVANE_VARIANTES(mDivisionR),
    // List element reads: a index cell, r result, x first cell, y lower bound, z bound span.
    mListeE, mListeR,
    // Any other operation, run by the evaluator: a its first code word.
    mAutre,
    // Ends.
    mFinAffectationE,   // E[x] := E[a]
    mFinAffectationR,   // R[x] := a as a real
    mFinListeE,         // x first cell, a value, b index cell, y lower bound, r bound span
    mFinListeR,
    mFinTableauE,       // x first cell, a value, b and r index cells, bounds from the line
    mFinTableauR,
    mFinAller,
    mFinSi,             // branch when C[a]
    // Ends fused with the line's last operation, which gives its value.
    mFinPlusE, mFinMoinsE, mFinFoisE,                 // E[r] := E[a] op E[b]; E[x] := E[r]
    TREVANE_VARIANTES(mFinPlusR), TREVANE_VARIANTES(mFinMoinsR),   // R[r] := a op b; R[x] := R[r]
    TREVANE_VARIANTES(mFinFoisR), TREVANE_VARIANTES(mFinDivisionR),
    mFinSiInfEgalE, mFinSiSupEgalE, mFinSiDifferentE, // C[r] := a cmp b; branch when true
    mFinSiInfE, mFinSiSupE, mFinSiEgalE,
    TREVANE_VARIANTES(mFinSiInfEgalR), TREVANE_VARIANTES(mFinSiSupEgalR),
    TREVANE_VARIANTES(mFinSiDifferentR), TREVANE_VARIANTES(mFinSiInfR),
    TREVANE_VARIANTES(mFinSiSupR), TREVANE_VARIANTES(mFinSiEgalR),
    nbCodesMicro
};

// Index of the general step's and the program end's entries in the stream.
constexpr int32_t fluxGeneral = 0;
constexpr int32_t fluxArret = 1;

// First micro-operation of `ligne`: the end of the program for -1, the
// shared general entry for a line outside the program (or before the stream
// is built).
inline int32_t fluxDeLigne(const TdonneesCommunes& d, int32_t ligne) {
    if (ligne == aucuneLigne)
        return fluxArret;
    if (static_cast<uint32_t>(ligne) >= static_cast<uint32_t>(nbLignesMax))
        return fluxGeneral;
    const int32_t f = d.fluxLignes[ligne];
    return f > fluxArret && f < d.nbMicros && f < nbMicrosMax ? f : fluxGeneral;
}

// Builds the stream of the analysed program (every line general when
// `formesRapides` is false). Called after each analysis, before a run.
void choisirFormes(TdonneesCommunes& d);
