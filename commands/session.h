// The start-up state of a session, the one place it is written (the window's
// first showing, the console tools, the tests): the random source seeded, the
// reference text shown in the information mode, "Aucun résultat disponible"
// kept, Poursuivre and Arrêter disabled.
#pragma once

#include <cstdint>

struct TdonneesCommunes;

// `d.fenetre` must be set. Fills no editor text: the caller loads its program.
void demarrerSession(TdonneesCommunes& d, uint32_t graine);

// The seed the window takes at start-up: the time of day in milliseconds, UTC.
uint32_t graineHorloge();
