// Error codes, their messages, and the one way an analysis records an error.
#pragma once

#include <cstdint>
#include <string>

// Every error code with its message, X(name, code, message); the messages
// are UTF-8 here and Windows-1252 once read (messageErreur). Analysis codes
// 1..25 (23 is unused), each reported with the line where it was found:
#define TREVANE_ERREURS_ANALYSE(X)                                                                     \
    X(errParenthesage, 1, "Erreur de parenthésage")                                                     \
    X(errSyntaxe, 2, "Erreur de syntaxe")                                                               \
    X(errCapacites, 3, "Dépassement des capacités du logiciel")                                         \
    X(errProgrammeVide, 4, "Programme vide")                                                            \
    X(errTropDeLignes, 5, "Trop de lignes de programme")                                                \
    /* "incorrecr" (sic): the system's own wording, which teachers know; it stays. */                  \
    X(errEtiquette, 6, "Point de branchement incorrecr")                                                \
    X(errInstructionNonComprise, 7, "Instruction non comprise")                                         \
    X(errAucuneInstruction, 8, "Le programme ne comporte aucune instruction exécutable.")               \
    X(errDeclaration, 9, "Déclaration de variables incorrecte")                                         \
    X(errBranchementSurLuiMeme, 10, "Branchement sur lui-même.")                                        \
    X(errTropDeVariables, 11, "Trop de variables")                                                      \
    X(errDeclareeDeuxFois, 12, "Variable déclarée 2 fois")                                              \
    X(errSansFin, 13, "Il est certain que le programme ne peut pas se terminer.")                       \
    X(errSansAffichage, 14, "Le programme ne comporte aucune instruction permettant d'afficher un résultat.") \
    X(errTexteAffiche, 15, "Affichage de texte incorrect.")                                             \
    X(errAffectation, 16, "Instruction d'affectation incorrecte.")                                      \
    X(errIndiceNonEntier, 17, "Un indice n'est pas de type entier.")                                    \
    X(errVariableAAffecter, 18, "Variable à affecter incorrecte.")                                      \
    X(errEntierAttendu, 19, "Une variable entière ne peut recevoir qu'une expression de type entier.")  \
    X(errNumeriqueAttendu, 20, "Une variable réelle ne peut recevoir qu'une expression numérique.")     \
    X(errBranchement, 21, "Branchement incorrect")                                                      \
    X(errEtiquetteNonTrouvee, 22, "Point de branchement non trouvé.")                                   \
    X(errPlage, 24, "Affichage incorrect d'une plage de valeurs.")                                      \
    X(errPlageDouble, 25, "Mettre une plage pour un seul indice du tableau.")
// Run-time codes (`erreurExecution`), reported after "Erreur à l'exécution du programme":
#define TREVANE_ERREURS_EXECUTION(X)                                                                   \
    X(erreurCalcul, 101, "Un calcul n'a pu être effectué.")                                             \
    X(erreurIndice, 102, "Un indice pour une variable est hors limites.")                               \
    X(erreurRetour, 103, "Retour impossible, faute d'appel préalable.")                                 \
    X(erreurTropDeRetours, 104, "Trop de retours en attente.")

#define TREVANE_CODE_ERREUR(nom, code, message) nom = code,
enum TerreurAnalyse : int32_t { TREVANE_ERREURS_ANALYSE(TREVANE_CODE_ERREUR) };
enum TerreurExecution : int32_t { TREVANE_ERREURS_EXECUTION(TREVANE_CODE_ERREUR) };
#undef TREVANE_CODE_ERREUR
constexpr int32_t derniereErreurAnalyse = errPlageDouble;
constexpr int32_t premiereErreurExecution = erreurCalcul;
constexpr int32_t derniereErreurExecution = erreurTropDeRetours;

struct TdonneesCommunes;

// Records an analysis error unless one is already recorded: the first error
// found is the one reported. With `ligne`, the line goes with the code.
// Always false, so that a failing step can return it.
bool signalerErreur(TdonneesCommunes& d, int32_t code);
bool signalerErreur(TdonneesCommunes& d, int32_t code, int32_t ligne);

// The message of any error code (Windows-1252), empty for an unknown code.
const std::string& messageErreur(int32_t code);
// The message of an analysis error code 1..25, empty for any other code.
const std::string& messageAnalyse(int32_t code);
