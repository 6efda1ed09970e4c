// One step: executes the instruction at `ligneCourante`.
#pragma once

struct TdonneesCommunes;

// Called only while `ligneCourante` is not -1. Applies the instruction's
// effect, moves `ligneCourante` on, and in commented mode shows the step's
// header and commentary. A failure sets `erreurExecution` and `ligneErreur`
// and leaves `ligneCourante` on the failing line.
void executerPas(TdonneesCommunes& d);
