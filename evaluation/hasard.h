// The random source: one uniform 32-bit generator, seeded once at start-up.
#pragma once

#include <cstdint>

struct TdonneesCommunes;

void initialiserHasard(TdonneesCommunes& d, uint32_t graine);
uint32_t tirerHasard(TdonneesCommunes& d);
