// The display words 81..87: they append texts, values and ranges to the
// output line `ligneAffichee`.
#pragma once

#include <cstdint>

struct TdonneesCommunes;

// Runs the display word at `w` and advances `w`. A range outside its
// variable's bounds sets `erreurExecution` 102, appends nothing, leaves `w`
// and returns false.
bool executerAffichage(TdonneesCommunes& d, int32_t& w);
