// The body of the evaluator, inline so that the normal-mode step can run an
// instruction's operations without a call per operation. `evaluerCode` and
// `executerInstruction` (evaluation.h) are the same code out of line.
#pragma once

#include "base/donnees.h"
#include "base/messages.h"
#include "base/operations.h"
#include "evaluation/affichage_valeurs.h"
#include "evaluation/calculs.h"
#include "evaluation/hasard.h"
#include "evaluation/reels_surs.h"

namespace evaluation {


inline Tetendu reel(const TdonneesCommunes& d, int32_t cellule) { return valeurReelle(d, cellule); }

// The stores of the result of the operation `code` at word `w`: into its
// result cell, the word after its operands, then `w` moves past it; the
// place and the length come from the operation table.
template <Toperation code>
constexpr int32_t longueurDe = longueurInstruction(code);
template <Toperation code>
constexpr int32_t motResultat = faitsOperation(code)->nbEntrees() + 1;

// False, storing nothing, when the result does not round to a finite double.
template <Toperation code>
inline bool stockerReel(TdonneesCommunes& d, int32_t& w, Tetendu valeur) {
    double resultat;
    if (!versDouble(valeur, resultat))
        return false;
    caseReelle(d, d.code[w + motResultat<code>]) = resultat;
    w += longueurDe<code>;
    return true;
}

// A double read from a cell, stored as it is.
template <Toperation code>
inline bool stockerDouble(TdonneesCommunes& d, int32_t& w, double valeur) {
    caseReelle(d, d.code[w + motResultat<code>]) = valeur;
    w += longueurDe<code>;
    return true;
}

template <Toperation code>
inline bool stockerEntier(TdonneesCommunes& d, int32_t& w, int32_t valeur) {
    d.entiers[d.code[w + motResultat<code>]] = valeur;
    w += longueurDe<code>;
    return true;
}

template <Toperation code>
inline bool stockerCondition(TdonneesCommunes& d, int32_t& w, bool valeur) {
    d.conditions[d.code[w + motResultat<code>]] = valeur ? 1 : 0;
    w += longueurDe<code>;
    return true;
}

// + - × / of two reals, `code` among opPlusReel, opMoinsReel, opFoisReel and
// opDivision (b not zero): in doubles where that provably gives the extended
// result (evaluation/reels_surs.h), else in extended precision. Out of line:
// the engine's loop, which runs these in its own way, keeps its registers.
template <Toperation code>
[[gnu::noinline]] bool operationReelle(TdonneesCommunes& d, int32_t& w, double a, double b) {
    double r;
    bool sur;
    if constexpr (code == opPlusReel)
        sur = reels::somme(a, b, r);
    else if constexpr (code == opMoinsReel)
        sur = reels::difference(a, b, r);
    else if constexpr (code == opFoisReel)
        sur = reels::produit(a, b, r);
    else
        sur = reels::quotient(a, b, r);
    if (sur)
        return stockerDouble<code>(d, w, r);
    const Tetendu x = a, y = b;
    if constexpr (code == opPlusReel)
        return stockerReel<code>(d, w, x + y);
    else if constexpr (code == opMoinsReel)
        return stockerReel<code>(d, w, x - y);
    else if constexpr (code == opFoisReel)
        return stockerReel<code>(d, w, x * y);
    else
        return stockerReel<code>(d, w, x / y);
}

inline bool dansBornes(int32_t i, int32_t min, int32_t max) { return i >= min && i <= max; }

inline bool horsLimites(TdonneesCommunes& d) {
    d.erreurExecution = erreurIndice;
    return false;
}

// A uniform integer in [p, q]: p plus the high half of r × k, with k the
// count of values. The count is taken on 64 bits, so the whole 32-bit range
// (k = 2^32) draws every integer; a second bound below the first gives p.
inline int32_t entierAuHasard(TdonneesCommunes& d, int32_t p, int32_t q) {
    const uint64_t r = tirerHasard(d);
    const int64_t k = int64_t{q} - int64_t{p} + 1;
    if (k <= 0)
        return p;
    return static_cast<int32_t>(static_cast<uint32_t>(p) + static_cast<uint32_t>((r * static_cast<uint64_t>(k)) >> 32));
}

// A real in [a, b[: a + (b - a) × r × 2^-32, in extended precision.
inline Tetendu reelAuHasard(TdonneesCommunes& d, Tetendu a, Tetendu b) {
    const Tetendu u = naturel32(tirerHasard(d)) * Tetendu(0x1p-32);
    return a + (b - a) * u;
}

// cos and sin of an angle of 2^63 or more give 0, as the x87 does beyond
// its reduction range; tan likewise.
constexpr Tetendu limiteAngle = 0x1p63;

// Runs the operation at word `w` and advances `w` past it (see executerInstruction).
// The caller keeps `w` within words 1..10000.
[[gnu::always_inline]] inline bool executerOperation(TdonneesCommunes& d, int32_t& w) {
    // The code area is padded past word 10000, so the operand words of any
    // operation are inside it.
    const int32_t* m = d.code + w;
    const int32_t* e = d.entiers;
    const uint8_t* c = d.conditions;
    switch (m[0]) {
    case opPlusReel:
        return operationReelle<opPlusReel>(d, w, valeurReelle(d, m[1]), valeurReelle(d, m[2]));
    case opPlusEntier:
        return stockerEntier<opPlusEntier>(d, w, plusEntier(e[m[1]], e[m[2]]));
    case opOpposeReel:
        return stockerReel<opOpposeReel>(d, w, -reel(d, m[1]));
    case opOpposeEntier:
        return stockerEntier<opOpposeEntier>(d, w, opposeEntier(e[m[1]]));
    case opMoinsReel:
        return operationReelle<opMoinsReel>(d, w, valeurReelle(d, m[1]), valeurReelle(d, m[2]));
    case opMoinsEntier:
        return stockerEntier<opMoinsEntier>(d, w, moinsEntier(e[m[1]], e[m[2]]));
    case opFoisReel:
        return operationReelle<opFoisReel>(d, w, valeurReelle(d, m[1]), valeurReelle(d, m[2]));
    case opFoisEntier:
        return stockerEntier<opFoisEntier>(d, w, foisEntier(e[m[1]], e[m[2]]));
    case opArrondi: {
        double r;
        if (!arrondir(valeurReelle(d, m[1]), e[m[2]], r))
            return false;
        return stockerReel<opArrondi>(d, w, r);
    }
    case opDivision: {
        const double b = valeurReelle(d, m[2]);
        if (b == 0)
            return false;
        return operationReelle<opDivision>(d, w, valeurReelle(d, m[1]), b);
    }
    case opPuissanceReel: {
        Tetendu r;
        if (!puissanceReelle(valeurReelle(d, m[1]), valeurReelle(d, m[2]), r))
            return false;
        return stockerReel<opPuissanceReel>(d, w, r);
    }
    case opPuissanceEntier: {
        Tetendu r;
        if (!puissanceEntiere(valeurReelle(d, m[1]), e[m[2]], r))
            return false;
        return stockerReel<opPuissanceEntier>(d, w, r);
    }
    case opFactorielle:
        return stockerEntier<opFactorielle>(d, w, factorielle(e[m[1]]));
    case opPremier:
        return stockerCondition<opPremier>(d, w, estPremier(e[m[1]]));
    case opPartieEntiere: {
        int32_t r;
        if (!partieEntiere(valeurReelle(d, m[1]), r))
            return false;
        return stockerEntier<opPartieEntiere>(d, w, r);
    }
    case opMinReel: {
        const double a = valeurReelle(d, m[1]);
        const double b = valeurReelle(d, m[2]);
        return stockerReel<opMinReel>(d, w, b < a ? b : a);
    }
    case opMinEntier:
        return stockerEntier<opMinEntier>(d, w, e[m[2]] < e[m[1]] ? e[m[2]] : e[m[1]]);
    case opMaxReel: {
        const double a = valeurReelle(d, m[1]);
        const double b = valeurReelle(d, m[2]);
        return stockerReel<opMaxReel>(d, w, b > a ? b : a);
    }
    case opMaxEntier:
        return stockerEntier<opMaxEntier>(d, w, e[m[2]] > e[m[1]] ? e[m[2]] : e[m[1]]);
    case opAbsReel:
        return stockerReel<opAbsReel>(d, w, absolu(reel(d, m[1])));
    case opAbsEntier:
        return stockerEntier<opAbsEntier>(d, w, absEntier(e[m[1]]));
    case opEhasard:
        return stockerEntier<opEhasard>(d, w, entierAuHasard(d, e[m[1]], e[m[2]]));
    case opRhasard:
        return stockerReel<opRhasard>(d, w, reelAuHasard(d, reel(d, m[1]), reel(d, m[2])));
    case opQuot:
        if (divisionImpossible(e[m[1]], e[m[2]]))
            return false;
        return stockerEntier<opQuot>(d, w, e[m[1]] / e[m[2]]);
    case opReste:
        if (divisionImpossible(e[m[1]], e[m[2]]))
            return false;
        return stockerEntier<opReste>(d, w, e[m[1]] % e[m[2]]);
    case opValeurCondition:
        return stockerEntier<opValeurCondition>(d, w, c[m[1]] ? 1 : 0);
    case opRac: {
        const Tetendu a = reel(d, m[1]);
        if (a < Tetendu(0.0))
            return false;
        return stockerReel<opRac>(d, w, racine(a));
    }
    case opLn: {
        const Tetendu a = reel(d, m[1]);
        if (a <= Tetendu(0.0))
            return false;
        return stockerReel<opLn>(d, w, logarithme(a));
    }
    case opExp:
        return stockerReel<opExp>(d, w, exponentielle(reel(d, m[1])));
    case opCos: {
        const Tetendu a = reel(d, m[1]);
        return stockerReel<opCos>(d, w, absolu(a) >= limiteAngle ? Tetendu(0.0) : cosinus(a));
    }
    case opSin: {
        const Tetendu a = reel(d, m[1]);
        return stockerReel<opSin>(d, w, absolu(a) >= limiteAngle ? Tetendu(0.0) : sinus(a));
    }
    case opTan: {
        const Tetendu a = reel(d, m[1]);
        return stockerReel<opTan>(d, w, absolu(a) >= limiteAngle ? Tetendu(0.0) : tangente(a));
    }
    case opOu:
        return stockerCondition<opOu>(d, w, c[m[1]] || c[m[2]]);
    case opEt:
        return stockerCondition<opEt>(d, w, c[m[1]] && c[m[2]]);
    case opNon:
        return stockerCondition<opNon>(d, w, !c[m[1]]);
    case opInfEgalReel:
        return stockerCondition<opInfEgalReel>(d, w, valeurReelle(d, m[1]) <= valeurReelle(d, m[2]));
    case opInfEgalEntier:
        return stockerCondition<opInfEgalEntier>(d, w, e[m[1]] <= e[m[2]]);
    case opSupEgalReel:
        return stockerCondition<opSupEgalReel>(d, w, valeurReelle(d, m[1]) >= valeurReelle(d, m[2]));
    case opSupEgalEntier:
        return stockerCondition<opSupEgalEntier>(d, w, e[m[1]] >= e[m[2]]);
    case opDifferentReel:
        return stockerCondition<opDifferentReel>(d, w, !egalReels(valeurReelle(d, m[1]), valeurReelle(d, m[2])));
    case opDifferentEntier:
        return stockerCondition<opDifferentEntier>(d, w, e[m[1]] != e[m[2]]);
    case opInfReel:
        return stockerCondition<opInfReel>(d, w, valeurReelle(d, m[1]) < valeurReelle(d, m[2]));
    case opInfEntier:
        return stockerCondition<opInfEntier>(d, w, e[m[1]] < e[m[2]]);
    case opSupReel:
        return stockerCondition<opSupReel>(d, w, valeurReelle(d, m[1]) > valeurReelle(d, m[2]));
    case opSupEntier:
        return stockerCondition<opSupEntier>(d, w, e[m[1]] > e[m[2]]);
    case opEgalReel:
        return stockerCondition<opEgalReel>(d, w, egalReels(valeurReelle(d, m[1]), valeurReelle(d, m[2])));
    case opEgalEntier:
        return stockerCondition<opEgalEntier>(d, w, e[m[1]] == e[m[2]]);
    case opDivise:
        // «x divise y»: x is the divisor.
        if (divisionImpossible(e[m[2]], e[m[1]]))
            return false;
        return stockerCondition<opDivise>(d, w, e[m[2]] % e[m[1]] == 0);
    case opAfficherTexte:
    case opAfficherEntier:
    case opAfficherReel:
    case opAfficherCondition:
    case opAfficherListe:
    case opAfficherLigneTableau:
    case opAfficherColonneTableau:
        return executerAffichage(d, w);
    case opElementListeEntier:
    case opElementListeReel: {
        const Tvariable& v = d.variables[m[3]];
        const int32_t i = e[m[1]];
        if (!dansBornes(i, v.borneMin1, v.borneMax1))
            return horsLimites(d);
        const int32_t cellule = v.premiereCase + (i - v.borneMin1);
        if (m[0] == opElementListeEntier)
            return stockerEntier<opElementListeEntier>(d, w, e[cellule]);
        return stockerDouble<opElementListeReel>(d, w, valeurReelle(d, cellule));
    }
    case opElementTableauEntier:
    case opElementTableauReel: {
        const Tvariable& v = d.variables[m[4]];
        const int32_t i = e[m[1]];
        const int32_t j = e[m[2]];
        if (!dansBornes(i, v.borneMin1, v.borneMax1) || !dansBornes(j, v.borneMin2, v.borneMax2))
            return horsLimites(d);
        const int32_t cellule = v.premiereCase + rangElement(v, i, j);
        if (m[0] == opElementTableauEntier)
            return stockerEntier<opElementTableauEntier>(d, w, e[cellule]);
        return stockerDouble<opElementTableauReel>(d, w, valeurReelle(d, cellule));
    }
    default:
        // Not a code the compiler writes.
        return false;
    }
}

// Runs the words from `debut` to `fin` (see evaluerCode).
[[gnu::always_inline]] inline void evaluerCodeEnLigne(TdonneesCommunes& d, int32_t debut, int32_t fin) {
    if (d.erreurExecution != 0)
        return;
    if (debut < 1 || fin > nbMotsCode + 1) {
        d.erreurExecution = erreurCalcul;
        return;
    }
    // Every operation that fails returns false, so the error needs no test
    // between operations.
    int32_t w = debut;
    while (w < fin) {
        if (!executerOperation(d, w)) {
            if (d.erreurExecution == 0)
                d.erreurExecution = erreurCalcul;
            return;
        }
    }
}

} // namespace evaluation
