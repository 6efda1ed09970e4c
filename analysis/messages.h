// Analysis error codes and their messages.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t errParenthesage = 1;
constexpr int32_t errSyntaxe = 2;
constexpr int32_t errCapacites = 3;
constexpr int32_t errProgrammeVide = 4;
constexpr int32_t errTropDeLignes = 5;
constexpr int32_t errEtiquette = 6;
constexpr int32_t errInstructionNonComprise = 7;
constexpr int32_t errAucuneInstruction = 8;
constexpr int32_t errDeclaration = 9;
constexpr int32_t errBranchementSurLuiMeme = 10;
constexpr int32_t errTropDeVariables = 11;
constexpr int32_t errDeclareeDeuxFois = 12;
constexpr int32_t errSansFin = 13;
constexpr int32_t errSansAffichage = 14;
constexpr int32_t errTexteAffiche = 15;
constexpr int32_t errAffectation = 16;
constexpr int32_t errIndiceNonEntier = 17;
constexpr int32_t errVariableAAffecter = 18;
constexpr int32_t errEntierAttendu = 19;
constexpr int32_t errNumeriqueAttendu = 20;
constexpr int32_t errBranchement = 21;
constexpr int32_t errEtiquetteNonTrouvee = 22;
constexpr int32_t errPlage = 24;
constexpr int32_t errPlageDouble = 25;

// The message of an analysis error code 1..25 (Windows-1252), empty for an unknown code.
const std::string& messageAnalyse(int32_t code);
