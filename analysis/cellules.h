// The two cell allocators. Cells are handed out in increasing order and
// never freed during one analysis.
#pragma once

#include <cstdint>

struct TdonneesCommunes;

// Allocates `nombre` integer cells holding `valeur` from `entierLibre` on.
// On overflow of cells 1..10000 sets `codeErreur` 3, allocates nothing and
// returns false.
bool allouerEntiers(TdonneesCommunes& d, int64_t nombre, int32_t valeur);

// The same for real cells 10001..20000 and `reelLibre`.
bool allouerReels(TdonneesCommunes& d, int64_t nombre, double valeur);

// Restarts the allocators for a new analysis, places 0 in integer cell 1 and
// pi in real cell 10001, and forgets the variables.
void recommencerAllocations(TdonneesCommunes& d);
