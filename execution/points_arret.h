// Breakpoints: lines where a run stops before executing the instruction, as a
// suspension does, until Poursuivre. The user marks lines (the gutter, or
// Exécution › Point d'arrêt); a mark on a line without an instruction stops
// at the next instruction line. "Exécuter jusqu'au curseur" adds a one-off
// breakpoint for one run command.
//
// The normal-mode engine pays nothing for them on other lines: only the
// breakpoint lines leave the fast forms, with an entry of their own in the
// stream (execution/moteur/decodage.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TdonneesCommunes;

// Marks or unmarks line `ligne` (from 0); on a line where marks of earlier
// lines stop, takes those off. During a run, the stops follow at once.
void basculerPointArret(TdonneesCommunes& d, int32_t ligne);
bool pointArretMarque(const TdonneesCommunes& d, int32_t ligne);
// Removes every mark (a new program in the editor).
void effacerPointsArret(TdonneesCommunes& d);
// The lines marked, in order.
std::vector<int32_t> lignesMarquees(const TdonneesCommunes& d);

// The instruction line a mark on `ligne` stops at in the analysed program:
// `ligne` itself or the next instruction line; -1 when none follows.
int32_t ligneArretEffective(const TdonneesCommunes& d, int32_t ligne);
// Makes `arrets` from the marks and the one-off line, after an analysis
// (none after a failed one); true when they changed.
bool preparerArrets(TdonneesCommunes& d);
// The same during a run: the engine's stream then takes the new stops.
void suivreArrets(TdonneesCommunes& d);

// The pane line of a stop: "Arrêt au point d'arrêt de la ligne 7." (Windows-1252).
std::string texteArret(int32_t ligne);
