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

#include "base/donnees.h"

#include <cstdint>

// Micro-operation codes, each with the label of its entry in the engine
// (execution/moteur/moteur.cpp): both come from these lists, so their order cannot
// drift. X(code, label) is one code; X4(code, label) the four forms of a real
// operation by where its operands are: EE both in integer cells, ER the
// second in a real cell, RE the first, RR both (suffixes of code and label).
// Fields: a, b operand cells, r result cell; every micro-operation knows its
// line. Ends: w the byte distance from the end to the first micro-operation
// of the next line in sequence; for the branches y the same for the line
// reached; for assignments x the target cell. z and x keep the line numbers
// the distances were made from.
#define TREVANE_MICROS(X, X4)                                                          \
    X(mGeneral, general)   /* the general step for the line */                         \
    X(mArret, arret)       /* the end of the program */                                \
    X(mPointArret, pointArret) /* a breakpoint line: stops, or the general step */     \
    /* Integer operations (E = integer cells, wrap around). */                         \
    X(mPlusE, plusE) X(mMoinsE, moinsE) X(mFoisE, foisE) X(mOpposeE, opposeE)          \
    X(mAbsE, absE) X(mMinE, minE) X(mMaxE, maxE)                                       \
    X(mQuot, quot) X(mReste, reste)   /* fail on a zero divisor or -2^31 / -1 */       \
    /* Comparisons into condition cells, and conditions. */                            \
    X(mInfEgalE, infEgalE) X(mSupEgalE, supEgalE) X(mDifferentE, differentE)           \
    X(mInfE, infE) X(mSupE, supE) X(mEgalE, egalE)                                     \
    X(mDivise, divise)     /* C[r] := E[b] mod E[a] = 0 */                             \
    X4(mInfEgalR, infEgalR) X4(mSupEgalR, supEgalR) X4(mDifferentR, differentR)        \
    X4(mInfR, infR) X4(mSupR, supR) X4(mEgalR, egalR)                                  \
    X(mOu, ou) X(mEt, et) X(mNon, non) X(mValeurCondition, valeurCondition)            \
    /* Real operations, the result rounded once. */                                    \
    X4(mPlusR, plusR) X4(mMoinsR, moinsR) X4(mFoisR, foisR) X4(mDivisionR, divisionR)  \
    /* List element reads: a index cell, r result, x first cell, y lower bound, */     \
    /* z bound span. */                                                                \
    X(mListeE, listeE) X(mListeR, listeR)                                              \
    /* Any other operation, run by the evaluator: a its first code word. */            \
    X(mAutre, autre)

// The ends of lines, which the engine has twice (execution/moteur/moteur.cpp).
#define TREVANE_MICROS_FINS(X, X4)                                                     \
    X(mFinAffectationE, finAffectationE)   /* E[x] := E[a] */                          \
    X(mFinAffectationR, finAffectationR)   /* R[x] := a as a real */                   \
    /* x first cell, a value, b index cell, y lower bound, r bound span */             \
    X(mFinListeE, finListeE) X(mFinListeR, finListeR)                                  \
    /* x first cell, a value, b and r index cells, bounds from the line */             \
    X(mFinTableauE, finTableauE) X(mFinTableauR, finTableauR)                          \
    X(mFinAller, finAller)                                                             \
    X(mFinSi, finSi)                       /* branch when C[a] */                      \
    /* Ends fused with the line's last operation, which gives its value: */            \
    /* E[r] := E[a] op E[b]; E[x] := E[r] */                                           \
    X(mFinPlusE, finPlusE) X(mFinMoinsE, finMoinsE) X(mFinFoisE, finFoisE)             \
    /* R[r] := a op b; R[x] := R[r] */                                                 \
    X4(mFinPlusR, finPlusR) X4(mFinMoinsR, finMoinsR)                                  \
    X4(mFinFoisR, finFoisR) X4(mFinDivisionR, finDivisionR)                            \
    /* C[r] := a cmp b; branch when true */                                            \
    X(mFinSiInfEgalE, finSiInfEgalE) X(mFinSiSupEgalE, finSiSupEgalE)                  \
    X(mFinSiDifferentE, finSiDifferentE) X(mFinSiInfE, finSiInfE)                      \
    X(mFinSiSupE, finSiSupE) X(mFinSiEgalE, finSiEgalE)                                \
    X4(mFinSiInfEgalR, finSiInfEgalR) X4(mFinSiSupEgalR, finSiSupEgalR)                \
    X4(mFinSiDifferentR, finSiDifferentR) X4(mFinSiInfR, finSiInfR)                    \
    X4(mFinSiSupR, finSiSupR) X4(mFinSiEgalR, finSiEgalR)

constexpr int32_t nbVariantes = 4;

// The engine's entry of a micro-operation (execution/moteur/aiguillage.h):
// its address where the compiler has labels as values, else its number (the
// micro-operation codes, then the ends' second copy in the same order).
#if defined(__GNUC__) && !defined(TREVANE_AIGUILLAGE_SWITCH)
#define TREVANE_SAUTS_CALCULES 1
using Tsaut = const void*;
#else
#define TREVANE_SAUTS_CALCULES 0
using Tsaut = uint16_t;
#endif

#define TREVANE_MICRO_CODE(code, etiquette) code,
#define TREVANE_MICRO_CODE4(code, etiquette) code##EE, code##ER, code##RE, code##RR,
enum Tmicrocode : uint16_t {
    TREVANE_MICROS(TREVANE_MICRO_CODE, TREVANE_MICRO_CODE4)
    TREVANE_MICROS_FINS(TREVANE_MICRO_CODE, TREVANE_MICRO_CODE4)
    nbCodesMicro
};
#undef TREVANE_MICRO_CODE
#undef TREVANE_MICRO_CODE4
static_assert(mGeneral == 0);

// One micro-operation of the normal-mode engine : an
// operation of a line with its cells resolved, or the end of a line with its
// effect and successors. Built when a run starts; the meaning of the fields
// depends on the code.
struct Tmicro {
    Tsaut saut{};             // the engine's entry for `code`, set by the engine before it runs the stream
    uint16_t code = 0;
    int16_t ligne = 0;        // the line it belongs to (-1 for the end of the program)
    int32_t a = 0;
    int32_t b = 0;
    int32_t r = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    int32_t w = 0;
};

// Every operation the engine runs has at least 3 words, and each line adds
// one end or is one general entry; two more for the engine's own entries.
constexpr int32_t nbMicrosMax = nbMotsCode / 3 + nbLignesMax + 2;

// The stream of one record.
struct Tflux {
    Tmicro micros[nbMicrosMax];
    int32_t fluxLignes[nbLignesMax] = {};   // each line's first micro-operation; 0 = the general step
    int32_t nbMicros = 0;
    const Tsaut* sautsDe = nullptr;         // the engine's entry table the `saut` come from; null when rebuilt
};

// The record's stream, made (all lines general) if the record has none yet.
Tflux& fluxDe(TdonneesCommunes& d);

// Index of the general step's and the program end's entries in the stream.
constexpr int32_t fluxGeneral = 0;
constexpr int32_t fluxArret = 1;

// First micro-operation of `ligne`: the end of the program for -1, the
// shared general entry for a line outside the program (or before the stream
// is built).
inline int32_t fluxDeLigne(const Tflux& d, int32_t ligne) {
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
