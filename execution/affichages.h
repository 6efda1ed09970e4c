// The two display modes of the display pane: the reference text, or the
// results of the runs (kept aside while the reference text is shown).
// Toolkit-free: it works through the window operations.
#pragma once

#include <cstdint>

struct TdonneesCommunes;

void choisirAffichage(TdonneesCommunes& d, uint8_t mode);
