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

enum Toperation : int32_t {
    opAucune = 0,                 // no operation (a row without a variant)
    opPlusReel = 1,               // R := A + B
    opPlusEntier = 2,             // R := A + B                  (wraps around)
    opOpposeReel = 4,             // R := -A
    opOpposeEntier = 5,           // R := -A                     (-(-2^31) = -2^31)
    opMoinsReel = 7,              // R := A - B
    opMoinsEntier = 8,            // R := A - B                  (wraps around)
    opFoisReel = 10,              // R := A * B
    opFoisEntier = 11,            // R := A * B                  (wraps around)
    opArrondi = 12,               // R := A rounded to B decimals (halves to even)
    opDivision = 13,              // R := A / B                  (B = 0 fails)
    opPuissanceReel = 16,         // R := A ^ B, B real          (e^(B ln A) unless B is whole)
    opPuissanceEntier = 17,       // R := A ^ B, B integer       (square and multiply)
    opFactorielle = 21,           // R := A!                     (wraps around; A < 2 gives 1)
    opPremier = 22,               // cond R := A is prime
    opPartieEntiere = 23,         // R := E(A), largest integer not above A + 1e-10
    opMinReel = 25,               // R := min(A, B)
    opMinEntier = 26,
    opMaxReel = 28,               // R := max(A, B)
    opMaxEntier = 29,
    opAbsReel = 31,               // R := |A|
    opAbsEntier = 32,             //                             (|-2^31| = -2^31)
    opEhasard = 34,               // R := random integer in [A, B]  (B < A gives A)
    opRhasard = 35,               // R := random real in [A, B[
    opQuot = 51,                  // R := A / B truncated        (B = 0, -2^31 / -1 fail)
    opReste = 52,                 // R := remainder, sign of A   (same failures)
    opValeurCondition = 60,       // R := 1 if cond A else 0     ("µ")
    opRac = 61,                   // R := square root of A       (A < 0 fails)
    opLn = 62,                    // R := ln A                   (A <= 0 fails)
    opExp = 63,                   // R := e^A
    opCos = 64,                   // R := cos A                  (0 when |A| >= 2^63)
    opSin = 65,                   // R := sin A                  (0 when |A| >= 2^63)
    opTan = 66,                   // R := tan A                  (0 when |A| >= 2^63)
    opOu = 101,                   // cond R := A or B
    opEt = 102,                   // cond R := A and B
    opNon = 103,                  // cond R := not A             (one operand)
    opInfEgalReel = 104,          // cond R := A <= B
    opInfEgalEntier = 105,
    opSupEgalReel = 107,          // cond R := A >= B
    opSupEgalEntier = 108,
    opDifferentReel = 110,        // cond R := not (A = B)       (tolerance as 119)
    opDifferentEntier = 111,
    opInfReel = 113,              // cond R := A < B
    opInfEntier = 114,
    opSupReel = 116,              // cond R := A > B
    opSupEntier = 117,
    opEgalReel = 119,             // cond R := |A - B| < 1e-15   (absolute tolerance)
    opEgalEntier = 120,
    opDivise = 122,               // cond R := B mod A = 0       (A = 0, A = -1 with B = -2^31 fail)
    opAfficherTexte = 81,         // code P N: append the pool text at P, N characters
    opAfficherEntier = 82,        // code C: append " " and the integer
    opAfficherReel = 83,          // code C: append " " and the real
    opAfficherCondition = 84,     // code C: append " " and "V" or "F"
    opAfficherListe = 85,         // code I1 I2 V: "  " and each element, I1 to I2
    opAfficherLigneTableau = 86,  // code I J1 J2 V: row I, columns J1 to J2
    opAfficherColonneTableau = 87,// code I1 I2 J V: column J, rows I1 to I2
    opElementListeEntier = 202,   // R := V(I)                   (index outside bounds: error 102)
    opElementListeReel = 203,
    opElementTableauEntier = 204, // R := V(I, J)
    opElementTableauReel = 205,
};

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

// ORDRE: as the enum above (a test checks that every code has one row).
#define TREVANE_OPERATION(code, ...) {code, #code, __VA_ARGS__}
constexpr TfaitsOperation tableOperations[] = {
    TREVANE_OPERATION(opPlusReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::entiers, opPlusEntier),
    TREVANE_OPERATION(opPlusEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opOpposeReel, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::entiers, opOpposeEntier),
    TREVANE_OPERATION(opOpposeEntier, {Tmot::entier, Tmot::aucun, Tmot::aucun}, Tmot::entier, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opMoinsReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::entiers, opMoinsEntier),
    TREVANE_OPERATION(opMoinsEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opFoisReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::entiers, opFoisEntier),
    TREVANE_OPERATION(opFoisEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opArrondi, {Tmot::nombre, Tmot::entier, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opDivision, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opPuissanceReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::secondEntier, opPuissanceEntier),
    TREVANE_OPERATION(opPuissanceEntier, {Tmot::nombre, Tmot::entier, Tmot::aucun}, Tmot::reel, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opFactorielle, {Tmot::entier, Tmot::aucun, Tmot::aucun}, Tmot::entier, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opPremier, {Tmot::entier, Tmot::aucun, Tmot::aucun}, Tmot::condition, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opPartieEntiere, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::entier, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opMinReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::entiers, opMinEntier),
    TREVANE_OPERATION(opMinEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opMaxReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::entiers, opMaxEntier),
    TREVANE_OPERATION(opMaxEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opAbsReel, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::entiers, opAbsEntier),
    TREVANE_OPERATION(opAbsEntier, {Tmot::entier, Tmot::aucun, Tmot::aucun}, Tmot::entier, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opEhasard, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opRhasard, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opQuot, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opReste, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opValeurCondition, {Tmot::condition, Tmot::aucun, Tmot::aucun}, Tmot::entier, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opRac, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opLn, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opExp, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opCos, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opSin, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opTan, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::reel, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opOu, {Tmot::condition, Tmot::condition, Tmot::aucun}, Tmot::condition, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opEt, {Tmot::condition, Tmot::condition, Tmot::aucun}, Tmot::condition, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opNon, {Tmot::condition, Tmot::aucun, Tmot::aucun}, Tmot::condition, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opInfEgalReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::condition, false, Tregle::entiers, opInfEgalEntier),
    TREVANE_OPERATION(opInfEgalEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::condition, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opSupEgalReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::condition, false, Tregle::entiers, opSupEgalEntier),
    TREVANE_OPERATION(opSupEgalEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::condition, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opDifferentReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::condition, false, Tregle::entiers, opDifferentEntier),
    TREVANE_OPERATION(opDifferentEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::condition, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opInfReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::condition, false, Tregle::entiers, opInfEntier),
    TREVANE_OPERATION(opInfEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::condition, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opSupReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::condition, false, Tregle::entiers, opSupEntier),
    TREVANE_OPERATION(opSupEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::condition, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opEgalReel, {Tmot::nombre, Tmot::nombre, Tmot::aucun}, Tmot::condition, false, Tregle::entiers, opEgalEntier),
    TREVANE_OPERATION(opEgalEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::condition, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opDivise, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::condition, false, Tregle::telle, opAucune),
    TREVANE_OPERATION(opAfficherTexte, {Tmot::valeur, Tmot::valeur, Tmot::aucun}, Tmot::aucun, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opAfficherEntier, {Tmot::entier, Tmot::aucun, Tmot::aucun}, Tmot::aucun, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opAfficherReel, {Tmot::nombre, Tmot::aucun, Tmot::aucun}, Tmot::aucun, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opAfficherCondition, {Tmot::condition, Tmot::aucun, Tmot::aucun}, Tmot::aucun, false, Tregle::non, opAucune),
    TREVANE_OPERATION(opAfficherListe, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::aucun, true, Tregle::non, opAucune),
    TREVANE_OPERATION(opAfficherLigneTableau, {Tmot::entier, Tmot::entier, Tmot::entier}, Tmot::aucun, true, Tregle::non, opAucune),
    TREVANE_OPERATION(opAfficherColonneTableau, {Tmot::entier, Tmot::entier, Tmot::entier}, Tmot::aucun, true, Tregle::non, opAucune),
    TREVANE_OPERATION(opElementListeEntier, {Tmot::entier, Tmot::aucun, Tmot::aucun}, Tmot::entier, true, Tregle::telle, opAucune),
    TREVANE_OPERATION(opElementListeReel, {Tmot::entier, Tmot::aucun, Tmot::aucun}, Tmot::reel, true, Tregle::telle, opAucune),
    TREVANE_OPERATION(opElementTableauEntier, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::entier, true, Tregle::telle, opAucune),
    TREVANE_OPERATION(opElementTableauReel, {Tmot::entier, Tmot::entier, Tmot::aucun}, Tmot::reel, true, Tregle::telle, opAucune),
};
#undef TREVANE_OPERATION

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
