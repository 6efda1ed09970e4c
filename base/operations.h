// The compiled code: operation codes, their word layouts and lengths.
//
// One operation is consecutive 32-bit words: the code, the operand cells, the
// result cell, and for element reads the variable number last. Cells 1..10000
// are integers, 10001..20000 reals; condition cells 1..500 are a space of
// their own. Notation: A first operand, B second, R result, V variable.
//   one-operand   : code A R          (3 words)
//   two-operand   : code A B R        (4 words)
//   list element  : code I R V        (4 words)
//   table element : code I J R V      (5 words)
// Real forms read their operands as reals (an integer cell converts exactly),
// compute in extended precision and round once when storing; a failure
// (invalid operation, division by zero, a result beyond the double range)
// stops the run with "Un calcul n'a pu être effectué.". Integer forms wrap
// around on 32 bits.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The operation codes, one line each: X(name, code, operand words (those left
// out are aucun), result, variable number last, typing, variant), the fields
// of TfaitsOperation below, then the effect. The enum and the table of facts
// are both made from this list, so no code can lack its row.
#define TREVANE_OPERATIONS(X) \
    X(opPlusReel, 1, {nombre, nombre}, reel, false, entiers, opPlusEntier)               /* R := A + B */                                                \
    X(opPlusEntier, 2, {entier, entier}, entier, false, non, opAucune)                   /* R := A + B (wraps around) */                                 \
    X(opOpposeReel, 4, {nombre}, reel, false, entiers, opOpposeEntier)                   /* R := -A */                                                   \
    X(opOpposeEntier, 5, {entier}, entier, false, non, opAucune)                         /* R := -A (-(-2^31) = -2^31) */                                \
    X(opMoinsReel, 7, {nombre, nombre}, reel, false, entiers, opMoinsEntier)             /* R := A - B */                                                \
    X(opMoinsEntier, 8, {entier, entier}, entier, false, non, opAucune)                  /* R := A - B (wraps around) */                                 \
    X(opFoisReel, 10, {nombre, nombre}, reel, false, entiers, opFoisEntier)              /* R := A * B */                                                \
    X(opFoisEntier, 11, {entier, entier}, entier, false, non, opAucune)                  /* R := A * B (wraps around) */                                 \
    X(opArrondi, 12, {nombre, entier}, reel, false, telle, opAucune)                     /* R := A rounded to B decimals (halves to even) */             \
    X(opDivision, 13, {nombre, nombre}, reel, false, telle, opAucune)                    /* R := A / B (B = 0 fails) */                                  \
    X(opPuissanceReel, 16, {nombre, nombre}, reel, false, secondEntier, opPuissanceEntier) /* R := A ^ B, B real (e^(B ln A) unless B is whole) */       \
    X(opPuissanceEntier, 17, {nombre, entier}, reel, false, non, opAucune)               /* R := A ^ B, B integer (square and multiply) */               \
    X(opFactorielle, 21, {entier}, entier, false, telle, opAucune)                       /* R := A! (wraps around; A < 2 gives 1) */                     \
    X(opPremier, 22, {entier}, condition, false, telle, opAucune)                        /* cond R := A is prime */                                      \
    X(opPartieEntiere, 23, {nombre}, entier, false, telle, opAucune)                     /* R := E(A), largest integer not above A + 1e-10 */            \
    X(opMinReel, 25, {nombre, nombre}, reel, false, entiers, opMinEntier)                /* R := min(A, B) */                                            \
    X(opMinEntier, 26, {entier, entier}, entier, false, non, opAucune)                                                                                   \
    X(opMaxReel, 28, {nombre, nombre}, reel, false, entiers, opMaxEntier)                /* R := max(A, B) */                                            \
    X(opMaxEntier, 29, {entier, entier}, entier, false, non, opAucune)                                                                                   \
    X(opAbsReel, 31, {nombre}, reel, false, entiers, opAbsEntier)                        /* R := |A| */                                                  \
    X(opAbsEntier, 32, {entier}, entier, false, non, opAucune)                           /* (|-2^31| = -2^31) */                                         \
    X(opEhasard, 34, {entier, entier}, entier, false, telle, opAucune)                   /* R := random integer in [A, B] (B < A gives A) */             \
    X(opRhasard, 35, {nombre, nombre}, reel, false, telle, opAucune)                     /* R := random real in [A, B[ */                                \
    X(opQuot, 51, {entier, entier}, entier, false, telle, opAucune)                      /* R := A / B truncated (B = 0, -2^31 / -1 fail) */             \
    X(opReste, 52, {entier, entier}, entier, false, telle, opAucune)                     /* R := remainder, sign of A (same failures) */                 \
    X(opValeurCondition, 60, {condition}, entier, false, telle, opAucune)                /* R := 1 if cond A else 0 ("µ") */                             \
    X(opRac, 61, {nombre}, reel, false, telle, opAucune)                                 /* R := square root of A (A < 0 fails) */                       \
    X(opLn, 62, {nombre}, reel, false, telle, opAucune)                                  /* R := ln A (A <= 0 fails) */                                  \
    X(opExp, 63, {nombre}, reel, false, telle, opAucune)                                 /* R := e^A */                                                  \
    X(opCos, 64, {nombre}, reel, false, telle, opAucune)                                 /* R := cos A (0 when |A| >= 2^63) */                           \
    X(opSin, 65, {nombre}, reel, false, telle, opAucune)                                 /* R := sin A (0 when |A| >= 2^63) */                           \
    X(opTan, 66, {nombre}, reel, false, telle, opAucune)                                 /* R := tan A (0 when |A| >= 2^63) */                           \
    X(opOu, 101, {condition, condition}, condition, false, telle, opAucune)              /* cond R := A or B */                                          \
    X(opEt, 102, {condition, condition}, condition, false, telle, opAucune)              /* cond R := A and B */                                         \
    X(opNon, 103, {condition}, condition, false, telle, opAucune)                        /* cond R := not A (one operand) */                             \
    X(opInfEgalReel, 104, {nombre, nombre}, condition, false, entiers, opInfEgalEntier)  /* cond R := A <= B */                                          \
    X(opInfEgalEntier, 105, {entier, entier}, condition, false, non, opAucune)                                                                           \
    X(opSupEgalReel, 107, {nombre, nombre}, condition, false, entiers, opSupEgalEntier)  /* cond R := A >= B */                                          \
    X(opSupEgalEntier, 108, {entier, entier}, condition, false, non, opAucune)                                                                           \
    X(opDifferentReel, 110, {nombre, nombre}, condition, false, entiers, opDifferentEntier) /* cond R := not (A = B) (tolerance as 119) */               \
    X(opDifferentEntier, 111, {entier, entier}, condition, false, non, opAucune)                                                                         \
    X(opInfReel, 113, {nombre, nombre}, condition, false, entiers, opInfEntier)          /* cond R := A < B */                                           \
    X(opInfEntier, 114, {entier, entier}, condition, false, non, opAucune)                                                                               \
    X(opSupReel, 116, {nombre, nombre}, condition, false, entiers, opSupEntier)          /* cond R := A > B */                                           \
    X(opSupEntier, 117, {entier, entier}, condition, false, non, opAucune)                                                                               \
    X(opEgalReel, 119, {nombre, nombre}, condition, false, entiers, opEgalEntier)        /* cond R := |A - B| < 1e-15 (absolute tolerance) */            \
    X(opEgalEntier, 120, {entier, entier}, condition, false, non, opAucune)                                                                              \
    X(opDivise, 122, {entier, entier}, condition, false, telle, opAucune)                /* cond R := B mod A = 0 (A = 0, A = -1 with B = -2^31 fail) */ \
    X(opAfficherTexte, 81, {valeur, valeur}, aucun, false, non, opAucune)                /* code P N: append the pool text at P, N characters */         \
    X(opAfficherEntier, 82, {entier}, aucun, false, non, opAucune)                       /* code C: append " " and the integer */                        \
    X(opAfficherReel, 83, {nombre}, aucun, false, non, opAucune)                         /* code C: append " " and the real */                           \
    X(opAfficherCondition, 84, {condition}, aucun, false, non, opAucune)                 /* code C: append " " and "V" or "F" */                         \
    X(opAfficherListe, 85, {entier, entier}, aucun, true, non, opAucune)                 /* code I1 I2 V: "  " and each element, I1 to I2 */             \
    X(opAfficherLigneTableau, 86, {entier, entier, entier}, aucun, true, non, opAucune)  /* code I J1 J2 V: row I, columns J1 to J2 */                   \
    X(opAfficherColonneTableau, 87, {entier, entier, entier}, aucun, true, non, opAucune) /* code I1 I2 J V: column J, rows I1 to I2 */                  \
    X(opElementListeEntier, 202, {entier}, entier, true, telle, opAucune)                /* R := V(I) (index outside bounds: error 102) */               \
    X(opElementListeReel, 203, {entier}, reel, true, telle, opAucune)                                                                                    \
    X(opElementTableauEntier, 204, {entier, entier}, entier, true, telle, opAucune)      /* R := V(I, J) */                                              \
    X(opElementTableauReel, 205, {entier, entier}, reel, true, telle, opAucune)

#define TREVANE_CODE_OPERATION(code, numero, ...) code = numero,
enum Toperation : int32_t {
    opAucune = 0,   // no operation (a row without a variant)
    TREVANE_OPERATIONS(TREVANE_CODE_OPERATION)
};
#undef TREVANE_CODE_OPERATION

// What a word after the code holds.
enum class Tmot : uint8_t {
    aucun,       // no word
    entier,      // an integer cell
    nombre,      // an integer or a real cell, read as a real
    reel,        // a real cell
    condition,   // a condition cell
    valeur,      // the number itself (a place and a length in the text pool)
};

// How the compiler types a code it writes from an operator or a function.
enum class Tregle : uint8_t {
    non,            // never written as it is: a variant, a display
    telle,          // kept whatever the operands' types
    entiers,        // the variant when every operand is integer
    secondEntier,   // the variant when the second operand is integer
};

// Everything about one operation code. Its words: the code, the operands
// (`entrees`, up to the first `aucun`), the result cell unless `resultat` is
// `aucun`, and the variable's number when `variable`. The compiler accepts
// for an operand of kind entier an integer, nombre an integer or a real,
// condition a condition; the result's type is the kind of the final code.
struct TfaitsOperation {
    Toperation code;
    std::string_view nom;
    Tmot entrees[3];
    Tmot resultat;
    bool variable;
    Tregle typage;
    Toperation variante;   // opAucune unless typage is entiers or secondEntier

    constexpr int32_t nbEntrees() const {
        int32_t n = 0;
        while (n < 3 && entrees[n] != Tmot::aucun)
            ++n;
        return n;
    }
    constexpr int32_t longueur() const {
        return 1 + nbEntrees() + (resultat != Tmot::aucun ? 1 : 0) + (variable ? 1 : 0);
    }
};

namespace operations_detail {
using enum Tmot;
using enum Tregle;
#define TREVANE_FAITS_OPERATION(code, numero, ...) {code, #code, __VA_ARGS__},
constexpr TfaitsOperation tableOperations[] = {TREVANE_OPERATIONS(TREVANE_FAITS_OPERATION)};
#undef TREVANE_FAITS_OPERATION
} // namespace operations_detail
// Every code's facts, in the order of the list.
using operations_detail::tableOperations;

// Codes are below this bound.
constexpr int32_t codeOperationMax = 256;

namespace operations_detail {
// Row of each code in tableOperations, -1 for a word that is no operation.
constexpr std::array<int8_t, codeOperationMax> rangs = [] {
    std::array<int8_t, codeOperationMax> t{};
    for (int8_t& r : t)
        r = -1;
    int8_t k = 0;
    for (const TfaitsOperation& o : tableOperations)
        t[static_cast<size_t>(o.code)] = k++;
    return t;
}();
// Words of each code, 0 for a word that is no operation.
constexpr std::array<int8_t, codeOperationMax> longueurs = [] {
    std::array<int8_t, codeOperationMax> t{};
    for (const TfaitsOperation& o : tableOperations)
        t[static_cast<size_t>(o.code)] = static_cast<int8_t>(o.longueur());
    return t;
}();
} // namespace operations_detail

// The row of `code`, or nullptr for a word that is no operation.
constexpr const TfaitsOperation* faitsOperation(int32_t code) {
    if (static_cast<uint32_t>(code) >= static_cast<uint32_t>(codeOperationMax))
        return nullptr;
    const int8_t r = operations_detail::rangs[static_cast<size_t>(code)];
    return r < 0 ? nullptr : &tableOperations[r];
}

// Number of words of the operation that starts with `code`; 0 for a word
// that is no operation.
constexpr int32_t longueurInstruction(int32_t code) {
    if (static_cast<uint32_t>(code) >= static_cast<uint32_t>(codeOperationMax))
        return 0;
    return operations_detail::longueurs[static_cast<size_t>(code)];
}

static_assert(longueurInstruction(opPlusReel) == 4 && longueurInstruction(opAfficherEntier) == 2 &&
              longueurInstruction(opAfficherTexte) == 3 && longueurInstruction(opElementTableauReel) == 5);
