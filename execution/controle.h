// Run control: the commands "Normale", "Commentée pas à pas", "Poursuivre"
// and "Arrêter".
#pragma once

#include <cstdint>
#include <string>

struct TdonneesCommunes;

void lancerExecution(TdonneesCommunes& d, int32_t mode);
void poursuivreExecution(TdonneesCommunes& d);
void arreterExecution(TdonneesCommunes& d);
// Ends a waiting run without a word in the pane, as New and Open do: the
// run can no longer be continued or stopped and the editor is editable.
void abandonnerExecution(TdonneesCommunes& d);
void afficherNombreInstructions(TdonneesCommunes& d);

// The reason line of a run-time error 101..104 (Windows-1252).
const std::string& messageExecution(int32_t code);
