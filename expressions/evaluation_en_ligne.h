// The body of the evaluator, inline so that the normal-mode step can run an
// instruction's operations without a call per operation. `evaluerCode` and
// `executerInstruction` (evaluation.h) are the same code out of line.
#pragma once

#include "analysis/donnees.h"
#include "analysis/messages.h"
#include "expressions/affichage_valeurs.h"
#include "expressions/calculs.h"
#include "expressions/hasard.h"
#include "expressions/operations.h"

namespace evaluation {


inline Tetendu reel(const TdonneesCommunes& d, int32_t cellule) { return valeurReelle(d, cellule); }

// Stores a real result and moves past the operation; false, storing nothing,
// when the result does not round to a finite double.
inline bool stockerReel(TdonneesCommunes& d, int32_t& w, int32_t longueur, int32_t cellule, Tetendu valeur) {
    double resultat;
    if (!versDouble(valeur, resultat))
        return false;
    caseReelle(d, cellule) = resultat;
    w += longueur;
    return true;
}

inline bool stockerEntier(TdonneesCommunes& d, int32_t& w, int32_t longueur, int32_t cellule, int32_t valeur) {
    d.entiers[cellule] = valeur;
    w += longueur;
    return true;
}

inline bool stockerCondition(TdonneesCommunes& d, int32_t& w, int32_t longueur, int32_t cellule, bool valeur) {
    d.conditions[cellule] = valeur ? 1 : 0;
    w += longueur;
    return true;
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
        return stockerReel(d, w, 4, m[3], reel(d, m[1]) + reel(d, m[2]));
    case opPlusEntier:
        return stockerEntier(d, w, 4, m[3], plusEntier(e[m[1]], e[m[2]]));
    case opOpposeReel:
        return stockerReel(d, w, 3, m[2], -reel(d, m[1]));
    case opOpposeEntier:
        return stockerEntier(d, w, 3, m[2], opposeEntier(e[m[1]]));
    case opMoinsReel:
        return stockerReel(d, w, 4, m[3], reel(d, m[1]) - reel(d, m[2]));
    case opMoinsEntier:
        return stockerEntier(d, w, 4, m[3], moinsEntier(e[m[1]], e[m[2]]));
    case opFoisReel:
        return stockerReel(d, w, 4, m[3], reel(d, m[1]) * reel(d, m[2]));
    case opFoisEntier:
        return stockerEntier(d, w, 4, m[3], foisEntier(e[m[1]], e[m[2]]));
    case opArrondi: {
        double r;
        if (!arrondir(valeurReelle(d, m[1]), e[m[2]], r))
            return false;
        return stockerReel(d, w, 4, m[3], r);
    }
    case opDivision: {
        const Tetendu b = reel(d, m[2]);
        if (b == Tetendu(0.0))
            return false;
        return stockerReel(d, w, 4, m[3], reel(d, m[1]) / b);
    }
    case opPuissanceReel: {
        Tetendu r;
        if (!puissanceReelle(valeurReelle(d, m[1]), valeurReelle(d, m[2]), r))
            return false;
        return stockerReel(d, w, 4, m[3], r);
    }
    case opPuissanceEntier: {
        Tetendu r;
        if (!puissanceEntiere(valeurReelle(d, m[1]), e[m[2]], r))
            return false;
        return stockerReel(d, w, 4, m[3], r);
    }
    case opFactorielle:
        return stockerEntier(d, w, 3, m[2], factorielle(e[m[1]]));
    case opPremier:
        return stockerCondition(d, w, 3, m[2], estPremier(e[m[1]]));
    case opPartieEntiere: {
        int32_t r;
        if (!partieEntiere(valeurReelle(d, m[1]), r))
            return false;
        return stockerEntier(d, w, 3, m[2], r);
    }
    case opMinReel: {
        const double a = valeurReelle(d, m[1]);
        const double b = valeurReelle(d, m[2]);
        return stockerReel(d, w, 4, m[3], b < a ? b : a);
    }
    case opMinEntier:
        return stockerEntier(d, w, 4, m[3], e[m[2]] < e[m[1]] ? e[m[2]] : e[m[1]]);
    case opMaxReel: {
        const double a = valeurReelle(d, m[1]);
        const double b = valeurReelle(d, m[2]);
        return stockerReel(d, w, 4, m[3], b > a ? b : a);
    }
    case opMaxEntier:
        return stockerEntier(d, w, 4, m[3], e[m[2]] > e[m[1]] ? e[m[2]] : e[m[1]]);
    case opAbsReel:
        return stockerReel(d, w, 3, m[2], absolu(reel(d, m[1])));
    case opAbsEntier:
        return stockerEntier(d, w, 3, m[2], absEntier(e[m[1]]));
    case opEhasard:
        return stockerEntier(d, w, 4, m[3], entierAuHasard(d, e[m[1]], e[m[2]]));
    case opRhasard:
        return stockerReel(d, w, 4, m[3], reelAuHasard(d, reel(d, m[1]), reel(d, m[2])));
    case opQuot:
        if (divisionImpossible(e[m[1]], e[m[2]]))
            return false;
        return stockerEntier(d, w, 4, m[3], e[m[1]] / e[m[2]]);
    case opReste:
        if (divisionImpossible(e[m[1]], e[m[2]]))
            return false;
        return stockerEntier(d, w, 4, m[3], e[m[1]] % e[m[2]]);
    case opValeurCondition:
        return stockerEntier(d, w, 3, m[2], c[m[1]] ? 1 : 0);
    case opRac: {
        const Tetendu a = reel(d, m[1]);
        if (a < Tetendu(0.0))
            return false;
        return stockerReel(d, w, 3, m[2], racine(a));
    }
    case opLn: {
        const Tetendu a = reel(d, m[1]);
        if (a <= Tetendu(0.0))
            return false;
        return stockerReel(d, w, 3, m[2], logarithme(a));
    }
    case opExp:
        return stockerReel(d, w, 3, m[2], exponentielle(reel(d, m[1])));
    case opCos: {
        const Tetendu a = reel(d, m[1]);
        return stockerReel(d, w, 3, m[2], absolu(a) >= limiteAngle ? Tetendu(0.0) : cosinus(a));
    }
    case opSin: {
        const Tetendu a = reel(d, m[1]);
        return stockerReel(d, w, 3, m[2], absolu(a) >= limiteAngle ? Tetendu(0.0) : sinus(a));
    }
    case opTan: {
        const Tetendu a = reel(d, m[1]);
        return stockerReel(d, w, 3, m[2], absolu(a) >= limiteAngle ? Tetendu(0.0) : tangente(a));
    }
    case opOu:
        return stockerCondition(d, w, 4, m[3], c[m[1]] || c[m[2]]);
    case opEt:
        return stockerCondition(d, w, 4, m[3], c[m[1]] && c[m[2]]);
    case opNon:
        return stockerCondition(d, w, 3, m[2], !c[m[1]]);
    case opInfEgalReel:
        return stockerCondition(d, w, 4, m[3], valeurReelle(d, m[1]) <= valeurReelle(d, m[2]));
    case opInfEgalEntier:
        return stockerCondition(d, w, 4, m[3], e[m[1]] <= e[m[2]]);
    case opSupEgalReel:
        return stockerCondition(d, w, 4, m[3], valeurReelle(d, m[1]) >= valeurReelle(d, m[2]));
    case opSupEgalEntier:
        return stockerCondition(d, w, 4, m[3], e[m[1]] >= e[m[2]]);
    case opDifferentReel:
        return stockerCondition(d, w, 4, m[3], !egalReels(valeurReelle(d, m[1]), valeurReelle(d, m[2])));
    case opDifferentEntier:
        return stockerCondition(d, w, 4, m[3], e[m[1]] != e[m[2]]);
    case opInfReel:
        return stockerCondition(d, w, 4, m[3], valeurReelle(d, m[1]) < valeurReelle(d, m[2]));
    case opInfEntier:
        return stockerCondition(d, w, 4, m[3], e[m[1]] < e[m[2]]);
    case opSupReel:
        return stockerCondition(d, w, 4, m[3], valeurReelle(d, m[1]) > valeurReelle(d, m[2]));
    case opSupEntier:
        return stockerCondition(d, w, 4, m[3], e[m[1]] > e[m[2]]);
    case opEgalReel:
        return stockerCondition(d, w, 4, m[3], egalReels(valeurReelle(d, m[1]), valeurReelle(d, m[2])));
    case opEgalEntier:
        return stockerCondition(d, w, 4, m[3], e[m[1]] == e[m[2]]);
    case opDivise:
        // «x divise y»: x is the divisor.
        if (divisionImpossible(e[m[2]], e[m[1]]))
            return false;
        return stockerCondition(d, w, 4, m[3], e[m[2]] % e[m[1]] == 0);
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
            return stockerEntier(d, w, 4, m[2], e[cellule]);
        caseReelle(d, m[2]) = valeurReelle(d, cellule);
        w += 4;
        return true;
    }
    case opElementTableauEntier:
    case opElementTableauReel: {
        const Tvariable& v = d.variables[m[4]];
        const int32_t i = e[m[1]];
        const int32_t j = e[m[2]];
        if (!dansBornes(i, v.borneMin1, v.borneMax1) || !dansBornes(j, v.borneMin2, v.borneMax2))
            return horsLimites(d);
        const int32_t cellule = v.premiereCase + (v.borneMax2 - v.borneMin2 + 1) * (i - v.borneMin1) + (j - v.borneMin2);
        if (m[0] == opElementTableauEntier)
            return stockerEntier(d, w, 5, m[3], e[cellule]);
        caseReelle(d, m[3]) = valeurReelle(d, cellule);
        w += 5;
        return true;
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
