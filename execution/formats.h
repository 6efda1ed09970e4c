// How the system writes numbers: integers plainly, reals rounded to at most
// 8 decimals without useless zeros, from 1e11 up as a mantissa and a power of
// ten. The decimal separator is always ".".
#pragma once

#include <cstdint>
#include <string>

std::string entierEnTexte(int32_t valeur);
std::string conditionEnTexte(uint8_t valeur);      // "V" or "F"
std::string reelEnTexte(double x, int32_t decimales);
std::string reelAffiche(double x);                 // reelEnTexte(x, 8)

// The same, appended to `texte` without building a temporary string.
void ajouterEntier(std::string& texte, int32_t valeur);
void ajouterReel(std::string& texte, double x);
