// Running compiled code at run time.
#pragma once

#include <cstdint>

struct TdonneesCommunes;

// Runs the words from `debut` up to, not including, `fin`, stopping at the
// first one that fails. Leaves `erreurExecution` 102 for an index outside its
// bounds and 101 for any calculation that cannot be carried out; an error
// already set stops it before the first word.
void evaluerCode(TdonneesCommunes& d, int32_t debut, int32_t fin);

// Runs the operation at word `w` and advances `w` past it. Returns false,
// leaving `w` and the result cell unchanged, when the operation fails or
// sets an error.
bool executerInstruction(TdonneesCommunes& d, int32_t& w);
