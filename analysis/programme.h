// The program analysis driver.
#pragma once

struct TdonneesCommunes;

// Turns the editor's text into the analysed program. `codeErreur` is 0 when
// the program is ready to run; otherwise `ligneErreur` is the line to select
// (-1 for none).
void analyserProgramme(TdonneesCommunes& d);
