// The text rules of the language: blanks, brackets, ranges and numbers.
// Texts are Windows-1252 bytes; a blank is the space character only (a
// tabulation is an ordinary character); every comparison is exact.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Removes every blank at the start, then every blank at the end.
void supprimerBlancs(std::string& texte);
// A copy without leading and trailing blanks.
std::string sansBlancs(std::string_view texte);
std::string_view sansBlancsVue(std::string_view texte);

// True when the round brackets balance: a ")" with nothing open fails at once.
bool parenthesesEquilibrees(std::string_view texte);
// True when the text (not trimmed) is "(" ... ")" with a balanced inside.
bool entreParentheses(std::string_view texte);

// Replaces the first occurrence of `motif` by `remplacement` as long as one
// occurs. Only ever called with a replacement shorter than the pattern.
void remplacerTout(std::string& texte, std::string_view motif, std::string_view remplacement);

// Where `motif` first occurs in `texte` (npos when nowhere), in time linear
// in both: a plain search compares a long shared prefix again at every place.
size_t premiereOccurrence(std::string_view texte, std::string_view motif);

// Declaration lines: trimmed, "..." made "..", and no blank left next to any
// of blank : , # = ; . [ ] ( ).
void serrerSeparateurs(std::string& texte);

// An index range «a..b» with 0 <= a < b.
bool lirePlage(std::string_view texte, int32_t& borneMin, int32_t& borneMax);
// A whole 32-bit integer: optional sign, decimal digits, or hexadecimal after "$", "x" or "0x".
bool lireEntier(std::string_view texte, int32_t& valeur);
// A decimal real with "." and an optional exponent.
bool lireReel(std::string_view texte, double& valeur);
// «(a , b)» split at its last comma outside inner brackets; the parts are not trimmed.
bool separerIndices(std::string_view texte, std::string& premier, std::string& second);

// True for "A".."Z" and "a".."z".
inline bool estLettre(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool estChiffre(char c) { return c >= '0' && c <= '9'; }
// The value of a hexadecimal digit in either case, -1 for any other byte.
int valeurHexa(char c);
