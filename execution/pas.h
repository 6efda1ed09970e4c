// One step: executes the instruction at `ligneCourante`.
#pragma once

struct TdonneesCommunes;

// Called only while `ligneCourante` is not -1. Applies the instruction's
// effect, moves `ligneCourante` on, and in commented mode shows the step's
// header and commentary. A failure sets `erreurExecution` and `ligneErreur`
// and leaves `ligneCourante` on the failing line.
void executerPas(TdonneesCommunes& d);

// The step of the normal mode, without the test of the mode.
void executerPasNormal(TdonneesCommunes& d);

// Normal mode: runs steps without commentary while no error is set, the
// program has not ended and `nbPasTranche` is below `tailleTranche`. The
// caller resets `nbPasTranche` at the start of a burst. Lines decoded at the
// start of the run (execution/moteur/decodage.h) run as micro-operations; the others,
// and any decoded line that fails, go through the general step.
void executerTranche(TdonneesCommunes& d);
