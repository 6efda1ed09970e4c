#include "analysis/messages.h"

#include "analysis/codage.h"
#include "analysis/donnees.h"

#include <array>

namespace {

// ORDRE: codes d'analyse 1..25 (23 is unused).
const std::array<std::string, 26>& table() {
    static const std::array<std::string, 26> messages = {
        "",
        depuisUtf8("Erreur de parenthésage"),
        depuisUtf8("Erreur de syntaxe"),
        depuisUtf8("Dépassement des capacités du logiciel"),
        depuisUtf8("Programme vide"),
        depuisUtf8("Trop de lignes de programme"),
        depuisUtf8("Point de branchement incorrecr"),
        depuisUtf8("Instruction non comprise"),
        depuisUtf8("Le programme ne comporte aucune instruction exécutable."),
        depuisUtf8("Déclaration de variables incorrecte"),
        depuisUtf8("Branchement sur lui-même."),
        depuisUtf8("Trop de variables"),
        depuisUtf8("Variable déclarée 2 fois"),
        depuisUtf8("Il est certain que le programme ne peut pas se terminer."),
        depuisUtf8("Le programme ne comporte aucune instruction permettant d'afficher un résultat."),
        depuisUtf8("Affichage de texte incorrect."),
        depuisUtf8("Instruction d'affectation incorrecte."),
        depuisUtf8("Un indice n'est pas de type entier."),
        depuisUtf8("Variable à affecter incorrecte."),
        depuisUtf8("Une variable entière ne peut recevoir qu'une expression de type entier."),
        depuisUtf8("Une variable réelle ne peut recevoir qu'une expression numérique."),
        depuisUtf8("Branchement incorrect"),
        depuisUtf8("Point de branchement non trouvé."),
        "",
        depuisUtf8("Affichage incorrect d'une plage de valeurs."),
        depuisUtf8("Mettre une plage pour un seul indice du tableau."),
    };
    return messages;
}

} // namespace

const std::string& messageAnalyse(int32_t code) {
    const auto& messages = table();
    if (code < 0 || code >= static_cast<int32_t>(messages.size()))
        return messages[0];
    return messages[code];
}

bool signalerErreur(TdonneesCommunes& d, int32_t code) {
    if (d.codeErreur == 0)
        d.codeErreur = code;
    return false;
}

bool signalerErreur(TdonneesCommunes& d, int32_t code, int32_t ligne) {
    if (d.codeErreur == 0) {
        d.codeErreur = code;
        d.ligneErreur = ligne;
    }
    return false;
}
