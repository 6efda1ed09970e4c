// Variable declarations: «Entier i ; j ; L (1..100)», «Réel A (1..4 , 1..4)».
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct TdonneesCommunes;

// Analyses one declaration line (trimmed, no comment, beginning with
// "Entier " or "Réel "). On failure `codeErreur` is set and `ligneErreur`
// is the line.
void analyserDeclaration(TdonneesCommunes& d, int32_t ligne, const std::string& texte);

// Declares one item; false on failure with `codeErreur` set (9, 11, 12 or 3).
bool declarerVariable(TdonneesCommunes& d, std::string item, bool reel);

// Number of the first variable named exactly `nom`, or 0.
int32_t chercherVariable(const TdonneesCommunes& d, std::string_view nom);
