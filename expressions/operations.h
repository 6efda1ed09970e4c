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

#include <cstdint>

enum Toperation : int32_t {
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

// Number of words of the operation that starts with `code`.
constexpr int32_t longueurInstruction(int32_t code) {
    switch (code) {
    case opAfficherEntier: case opAfficherReel: case opAfficherCondition:
        return 2;
    case opOpposeReel: case opOpposeEntier: case opFactorielle: case opPremier:
    case opPartieEntiere: case opAbsReel: case opAbsEntier:
    case opValeurCondition: case opRac: case opLn: case opExp: case opCos:
    case opSin: case opTan: case opNon: case opAfficherTexte:
        return 3;
    case opAfficherLigneTableau: case opAfficherColonneTableau:
    case opElementTableauEntier: case opElementTableauReel:
        return 5;
    default:
        return 4;
    }
}
