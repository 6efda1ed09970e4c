// Shortcuts for the commonest line shapes of a loop, chosen once when a run
// starts: an assignment computed by one operation (or none), a conditional
// branch on one integer comparison, an unconditional branch. A shortcut
// fills the same cells as the general step; whatever it cannot finish (a
// real result out of range, a division by zero) it leaves to the general
// step, which runs the line again from the start and reports the failure.
#pragma once

#include <cstdint>

struct TdonneesCommunes;

enum Tforme : uint8_t {
    formeGenerale = 0,        // the general step
    formeAller,               // ligne := suivante
    formeCopieEntier,         // E[cible] := E[a]
    formePlusEntier,          // E[r] := E[a] + E[b]; E[cible] := E[r]
    formeMoinsEntier,
    formeFoisEntier,
    formeCopieReel,           // R[cible] := a as a real
    formePlusReel,            // R[r] := a + b (reals); R[cible] := R[r]
    formeMoinsReel,
    formeFoisReel,
    formeDivisionReel,
    formeSiInfEgalEntier,     // C[r] := E[a] <= E[b]; branch when true
    formeSiSupEgalEntier,
    formeSiDifferentEntier,
    formeSiInfEntier,
    formeSiSupEntier,
    formeSiEgalEntier,
};

// Chooses the shortcut of every line of the analysed program.
void choisirFormes(TdonneesCommunes& d);
