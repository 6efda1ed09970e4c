// Error codes, their messages, and the one way an analysis records an error.
#pragma once

#include <cstdint>
#include <string>

enum TerreurAnalyse : int32_t {
    errParenthesage = 1,
    errSyntaxe = 2,
    errCapacites = 3,
    errProgrammeVide = 4,
    errTropDeLignes = 5,
    errEtiquette = 6,
    errInstructionNonComprise = 7,
    errAucuneInstruction = 8,
    errDeclaration = 9,
    errBranchementSurLuiMeme = 10,
    errTropDeVariables = 11,
    errDeclareeDeuxFois = 12,
    errSansFin = 13,
    errSansAffichage = 14,
    errTexteAffiche = 15,
    errAffectation = 16,
    errIndiceNonEntier = 17,
    errVariableAAffecter = 18,
    errEntierAttendu = 19,
    errNumeriqueAttendu = 20,
    errBranchement = 21,
    errEtiquetteNonTrouvee = 22,
    errPlage = 24,
    errPlageDouble = 25,
};

// Run-time error codes (`erreurExecution`), whose reason lines are
// messageExecution's (execution/controle.h).
enum TerreurExecution : int32_t {
    erreurCalcul = 101,          // a calculation that cannot be carried out
    erreurIndice = 102,          // an index outside its variable's bounds
    erreurRetour = 103,          // a return without a call
    erreurTropDeRetours = 104,   // too many returns waiting
};
constexpr int32_t premiereErreurExecution = erreurCalcul;
constexpr int32_t derniereErreurExecution = erreurTropDeRetours;

struct TdonneesCommunes;

// Records an analysis error unless one is already recorded: the first error
// found is the one reported. With `ligne`, the line goes with the code.
// Always false, so that a failing step can return it.
bool signalerErreur(TdonneesCommunes& d, int32_t code);
bool signalerErreur(TdonneesCommunes& d, int32_t code, int32_t ligne);

// The message of an analysis error code 1..25 (Windows-1252), empty for an unknown code.
const std::string& messageAnalyse(int32_t code);
