// Analysis of the executable lines: assignment, branch, display, return.
#pragma once

#include <cstdint>
#include <string>

struct TdonneesCommunes;

// Each takes a trimmed line without comment and fills `instructions[ligne]`;
// on failure `codeErreur` is set and `ligneErreur` is the line.
void analyserDonner(TdonneesCommunes& d, int32_t ligne, const std::string& texte);
void analyserAller(TdonneesCommunes& d, int32_t ligne, const std::string& texte);
void analyserAfficher(TdonneesCommunes& d, int32_t ligne, const std::string& texte);
