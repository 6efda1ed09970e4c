// How the system writes numbers: integers plainly, reals rounded to at most
// 8 decimals without useless zeros, from 1e11 up as a mantissa and a power of
// ten. The decimal separator is always "." whatever the locale.
#pragma once

#include <cstdint>
#include <string>

std::string entierEnTexte(int32_t valeur);
std::string conditionEnTexte(uint8_t valeur);      // "V" or "F"
// `decimales` is clamped into 0..11. From 1e11 up (and, with 11 decimals, at
// or below 1e-11) the form is "m x 10^(e)" with at most 18 significant digits.
std::string reelEnTexte(double x, int32_t decimales);
std::string reelAffiche(double x);                 // reelEnTexte(x, 8)
// A count that may pass 2^31 (the instructions of a long run), unsigned.
std::string naturelEnTexte(uint32_t valeur);

// The same, appended to `texte` without building a temporary string.
void ajouterEntier(std::string& texte, int32_t valeur);
void ajouterReel(std::string& texte, double x);
// A variable's value as the commentary writes it: an integer (`type` 1)
// plainly, a real by `reelAffiche`. `valeur` holds either exactly.
void ajouterValeur(std::string& texte, int32_t type, double valeur);
