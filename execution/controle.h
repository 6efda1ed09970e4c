// Run control: the commands "Normale", "Commentée pas à pas", "Poursuivre"
// and "Arrêter".
#pragma once

#include <cstdint>
#include <string>

struct TdonneesCommunes;

void lancerExecution(TdonneesCommunes& d, int32_t mode);
// The start of a run without its first burst: the pane emptied in results
// mode, the analysis, and on success the run registers set for `mode`.
// False on an analysis error (`codeErreur`, `ligneErreur`), not reported.
bool preparerExecution(TdonneesCommunes& d, int32_t mode);
// The run registers at the start of a run in `mode`: no error, no call
// waiting, no step counted, the first instruction next.
void remettreRegistres(TdonneesCommunes& d, int32_t mode);
// Runs at most `nombre` more instructions of a prepared normal run, and no
// report: for callers that bound a run themselves (the checker). The run
// stops earlier at its end or at an error, as a burst does.
void executerAuPlus(TdonneesCommunes& d, int32_t nombre);
void poursuivreExecution(TdonneesCommunes& d);
// "Poursuivre jusqu'au prochain point d'arrêt": in a commented run, steps
// with their commentary until the next instruction is on a breakpoint line
// (execution/points_arret.h), the run ends or fails, or the pane is full; in
// a normal run, Poursuivre.
void poursuivreJusquAuPointArret(TdonneesCommunes& d);
// "Exécuter jusqu'au curseur": `ligne` a one-off breakpoint for one command,
// continuing the run under way in its mode, else starting a normal run.
void executerJusquAuCurseur(TdonneesCommunes& d, int32_t ligne);
// "Pas précédent": a waiting commented run goes back to the state before
// its last step (execution/historique.h), the trace's last row removed.
void pasPrecedent(TdonneesCommunes& d);
void arreterExecution(TdonneesCommunes& d);
// Ends a waiting run without a word in the pane, as New and Open do: the
// run can no longer be continued or stopped and the editor is editable.
void abandonnerExecution(TdonneesCommunes& d);
void afficherNombreInstructions(TdonneesCommunes& d);

// The reason line of a run-time error 101..104 (Windows-1252).
const std::string& messageExecution(int32_t code);
