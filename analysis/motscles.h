// The keywords of the language, as Windows-1252 bytes ("à" is 0xE0, "é" 0xE9).
#pragma once

#include <string_view>

inline constexpr std::string_view motDonner = "Donner \xE0 ";
inline constexpr std::string_view motLaValeur = " la valeur ";
inline constexpr std::string_view motAller = "Aller \xE0 ";
inline constexpr std::string_view motEtRevenir = "et revenir";
inline constexpr std::string_view motSi = "si ";
inline constexpr std::string_view motAfficher = "Afficher ";
inline constexpr std::string_view motRevenir = "Revenir";
inline constexpr std::string_view motEntier = "Entier ";
inline constexpr std::string_view motReel = "R\xE9" "el ";
