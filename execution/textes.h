// The reference text of the language and the new-program template, as data.
// Toolkit-free.
#pragma once

#include <string>
#include <vector>

struct TdonneesCommunes;

// The 81 lines of the reference text and the 18 of the template (Windows-1252).
const std::vector<std::string>& texteReference();
const std::vector<std::string>& modeleProgramme();

// Appends the reference text to the display pane (does not empty it first).
void afficherInformations(TdonneesCommunes& d);
// Fills the editor with the template, labels it "Nouveau programme" and
// clears its modified flag.
void modeleNouveauProgramme(TdonneesCommunes& d);
