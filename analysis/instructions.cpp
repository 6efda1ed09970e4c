#include "analysis/instructions.h"

#include "analysis/compilation.h"
#include "analysis/declarations.h"
#include "analysis/motscles.h"
#include "analysis/texte.h"
#include "base/donnees.h"
#include "base/messages.h"
#include "base/operations.h"

#include <initializer_list>
#include <limits>

namespace {

// Compiles an expression that must give `typeAttendu`; another type is `codeType`.
bool compilerDeType(TdonneesCommunes& d, std::string_view texte, int32_t typeAttendu, int32_t codeType,
                    int32_t& cellule) {
    const TexpressionCompilee e = compilerExpression(d, texte);
    if (d.codeErreur != 0)
        return false;
    if (e.type != typeAttendu)
        return signalerErreur(d, codeType);
    cellule = e.cellule;
    return true;
}

bool compilerIndice(TdonneesCommunes& d, std::string_view texte, int32_t& cellule) {
    return compilerDeType(d, texte, typeEntier, errIndiceNonEntier, cellule);
}

bool emettre(TdonneesCommunes& d, std::initializer_list<int32_t> mots) {
    for (const int32_t mot : mots)
        if (!ajouterMot(d, mot))
            return false;
    return true;
}

// The text between the first and the last character, whatever they are.
std::string_view interieur(std::string_view texte) {
    return texte.size() < 2 ? std::string_view{} : texte.substr(1, texte.size() - 2);
}

// Splits a range «a..b» at its first "..": false when there is none.
bool couperPlage(std::string_view plage, std::string_view& bas, std::string_view& haut) {
    const size_t p = plage.find("..");
    if (p == std::string_view::npos)
        return false;
    bas = plage.substr(0, p);
    haut = plage.substr(p + 2);
    return true;
}

// The line after its keyword (which the dispatch has already matched).
std::string_view apresMotCle(const std::string& texte, std::string_view motCle) {
    return texte.size() < motCle.size() ? std::string_view{} : std::string_view(texte).substr(motCle.size());
}

bool contient(std::string_view texte, std::string_view motif) {
    return texte.find(motif) != std::string_view::npos;
}

bool donner(TdonneesCommunes& d, Tinstruction& instruction, const std::string& texte) {
    const std::string_view reste = sansBlancsVue(apresMotCle(texte, motDonner));
    const size_t p = reste.find(motLaValeur);
    // Something must stand before " la valeur ".
    if (p == std::string_view::npos || p == 0)
        return signalerErreur(d, errAffectation);
    const std::string_view cible = sansBlancsVue(reste.substr(0, p));
    const std::string_view expression = reste.substr(p + motLaValeur.size());

    const TexpressionCompilee valeur = compilerExpression(d, expression);
    if (d.codeErreur != 0)
        return false;
    instruction.typeExpression = valeur.type;
    instruction.caseValeur = valeur.cellule;

    std::string_view nom = cible;
    std::string_view indices;
    instruction.nbIndicesCible = 0;
    const size_t parenthese = cible.find('(');
    if (parenthese != std::string_view::npos) {
        // A comma anywhere, even inside a call, counts as two indices.
        instruction.nbIndicesCible = contient(cible, ",") ? 2 : 1;
        nom = sansBlancsVue(cible.substr(0, parenthese));
        indices = cible.substr(parenthese);
    }
    instruction.numVariable = chercherVariable(d, nom);
    if (instruction.numVariable == 0 || d.variables[instruction.numVariable].nbIndices != instruction.nbIndicesCible)
        return signalerErreur(d, errVariableAAffecter);
    const Tvariable& v = d.variables[instruction.numVariable];

    instruction.typeCible = v.typeVariable;
    if (v.typeVariable == typeEntier && valeur.type != typeEntier)
        return signalerErreur(d, errEntierAttendu);
    if (v.typeVariable == typeReel && valeur.type != typeEntier && valeur.type != typeReel)
        return signalerErreur(d, errNumeriqueAttendu);
    instruction.nature = static_cast<Tnature>(natAffectation + instruction.nbIndicesCible);
    instruction.caseCible = v.premiereCase;

    if (instruction.nbIndicesCible == 1) {
        instruction.borneMin1 = v.borneMin1;
        instruction.borneMax1 = v.borneMax1;
        return compilerIndice(d, interieur(indices), instruction.caseIndice1);
    }
    if (instruction.nbIndicesCible == 2) {
        instruction.borneMin1 = v.borneMin1;
        instruction.borneMax1 = v.borneMax1;
        instruction.borneMin2 = v.borneMin2;
        instruction.borneMax2 = v.borneMax2;
        std::string premier;
        std::string second;
        if (!separerIndices(indices, premier, second))
            return signalerErreur(d, errAffectation);
        return compilerIndice(d, premier, instruction.caseIndice1) &&
               compilerIndice(d, second, instruction.caseIndice2);
    }
    return true;
}

// The first label line carrying `etiquette`, or -1.
int32_t ligneEtiquette(const TdonneesCommunes& d, std::string_view etiquette) {
    for (int32_t i = 0; i <= d.derniereLigne; ++i)
        if (d.instructions[i].nature == natEtiquette && d.instructions[i].etiquette == etiquette)
            return i;
    return aucuneLigne;
}

bool aller(TdonneesCommunes& d, Tinstruction& instruction, const std::string& texte) {
    std::string_view reste = sansBlancsVue(apresMotCle(texte, motAller));
    if (reste.empty() || reste.front() != '[')
        return signalerErreur(d, errBranchement);
    reste.remove_prefix(1);
    const size_t q = reste.find(']');
    if (q == std::string_view::npos || q == 0)
        return signalerErreur(d, errBranchement);
    const int32_t cible = ligneEtiquette(d, sansBlancsVue(reste.substr(0, q)));
    if (cible == aucuneLigne)
        return signalerErreur(d, errEtiquetteNonTrouvee);
    instruction.suivante = cible;
    instruction.ligneEtiquette = cible;
    if (q + 1 == reste.size()) {
        instruction.nature = natAller;
        return true;
    }
    std::string_view suite = sansBlancsVue(reste.substr(q + 1));
    if (suite == motEtRevenir) {
        instruction.nature = natAllerEtRevenir;
        instruction.cibleBranchement = cible;
        return true;
    }
    if (!suite.starts_with(motSi))
        return signalerErreur(d, errBranchement);
    suite = sansBlancsVue(suite.substr(motSi.size()));
    if (!compilerDeType(d, suite, typeCondition, errSyntaxe, instruction.caseValeur))
        return false;
    instruction.nature = natAllerSi;
    instruction.cibleBranchement = cible;
    return true;
}

// Position (from 1) of the first occurrence of the text in the pool, the
// text appended when it is not there yet, found in time linear in the pool
// and the text.
bool positionTexte(TdonneesCommunes& d, std::string_view texte, int32_t& position) {
    const std::string& pool = d.textesAffiches;
    if (texte.empty()) {
        position = 1;
        return true;
    }
    if (const size_t trouve = premiereOccurrence(pool, texte); trouve != std::string_view::npos) {
        position = static_cast<int32_t>(trouve + 1);
        return true;
    }
    // The pool lives as long as the program; code words cannot address past 2^31.
    if (d.textesAffiches.size() + texte.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max()))
        return signalerErreur(d, errCapacites);
    position = static_cast<int32_t>(d.textesAffiches.size() + 1);
    d.textesAffiches += texte;
    return true;
}

bool afficherTexte(TdonneesCommunes& d, std::string_view element) {
    if (element.back() != '"')
        return signalerErreur(d, errTexteAffiche);
    // A lone double quote is both ends of the empty text.
    const std::string_view texte = interieur(element);
    int32_t position = 0;
    if (!positionTexte(d, texte, position))
        return false;
    return emettre(d, {opAfficherTexte, position, static_cast<int32_t>(texte.size())});
}

bool afficherPlageListe(TdonneesCommunes& d, int32_t variable, std::string_view indices) {
    std::string_view bas;
    std::string_view haut;
    if (!couperPlage(interieur(indices), bas, haut))
        return signalerErreur(d, errPlage);
    int32_t caseBas = 0;
    int32_t caseHaut = 0;
    return compilerIndice(d, bas, caseBas) && compilerIndice(d, haut, caseHaut) &&
           emettre(d, {opAfficherListe, caseBas, caseHaut, variable});
}

bool afficherPlageTableau(TdonneesCommunes& d, int32_t variable, std::string_view indices) {
    std::string premier;
    std::string second;
    if (!separerIndices(indices, premier, second))
        return signalerErreur(d, errPlage);
    const bool surPremier = contient(premier, "..");
    const bool surSecond = contient(second, "..");
    if (surPremier && surSecond)
        return signalerErreur(d, errPlageDouble);
    std::string_view bas;
    std::string_view haut;
    int32_t caseFixe = 0;
    int32_t caseBas = 0;
    int32_t caseHaut = 0;
    if (surPremier) {
        // A column: the fixed second index first, then the range of rows.
        return compilerIndice(d, second, caseFixe) && couperPlage(premier, bas, haut) &&
               compilerIndice(d, bas, caseBas) && compilerIndice(d, haut, caseHaut) &&
               emettre(d, {opAfficherColonneTableau, caseBas, caseHaut, caseFixe, variable});
    }
    if (!surSecond)
        return signalerErreur(d, errPlage);
    return compilerIndice(d, premier, caseFixe) && couperPlage(second, bas, haut) &&
           compilerIndice(d, bas, caseBas) && compilerIndice(d, haut, caseHaut) &&
           emettre(d, {opAfficherLigneTableau, caseFixe, caseBas, caseHaut, variable});
}

bool afficherPlage(TdonneesCommunes& d, std::string element) {
    remplacerTout(element, "...", "..");
    const size_t parenthese = element.find('(');
    if (parenthese == std::string::npos || element.back() != ')')
        return signalerErreur(d, errPlage);
    const int32_t variable = chercherVariable(d, sansBlancsVue(std::string_view(element).substr(0, parenthese)));
    if (variable == 0 || d.variables[variable].nbIndices == 0)
        return signalerErreur(d, errPlage);
    const std::string_view indices = std::string_view(element).substr(parenthese);
    return d.variables[variable].nbIndices == 1 ? afficherPlageListe(d, variable, indices)
                                                : afficherPlageTableau(d, variable, indices);
}

bool afficherExpression(TdonneesCommunes& d, std::string_view element) {
    const TexpressionCompilee e = compilerExpression(d, element);
    if (d.codeErreur != 0)
        return false;
    switch (e.type) {
    case typeEntier:
        return emettre(d, {opAfficherEntier, e.cellule});
    case typeReel:
        return emettre(d, {opAfficherReel, e.cellule});
    case typeCondition:
        return emettre(d, {opAfficherCondition, e.cellule});
    default:
        return signalerErreur(d, errSyntaxe);
    }
}

bool afficherElement(TdonneesCommunes& d, std::string element) {
    supprimerBlancs(element);
    if (element.empty())
        return signalerErreur(d, errSyntaxe);
    if (element.front() == '"')
        return afficherTexte(d, element);
    if (contient(element, ".."))
        return afficherPlage(d, std::move(element));
    return afficherExpression(d, element);
}

void conclure(TdonneesCommunes& d, int32_t ligne, bool reussi) {
    if (!reussi || d.codeErreur != 0) {
        signalerErreur(d, errSyntaxe); // never left without a code
        d.ligneErreur = ligne;
        return;
    }
    d.instructions[ligne].finCode = d.codeLibre;
}

void analyserElementAffiche(TdonneesCommunes& d, int32_t ligne, std::string element) {
    if (!afficherElement(d, std::move(element))) {
        signalerErreur(d, errSyntaxe);
        d.ligneErreur = ligne;
    }
}

} // namespace

void analyserDonner(TdonneesCommunes& d, int32_t ligne, const std::string& texte) {
    Tinstruction& instruction = d.instructions[ligne];
    instruction.classee = 1;
    instruction.debutCode = d.codeLibre;
    conclure(d, ligne, donner(d, instruction, texte));
}

void analyserAller(TdonneesCommunes& d, int32_t ligne, const std::string& texte) {
    Tinstruction& instruction = d.instructions[ligne];
    instruction.classee = 1;
    instruction.debutCode = d.codeLibre;
    conclure(d, ligne, aller(d, instruction, texte));
}

void analyserAfficher(TdonneesCommunes& d, int32_t ligne, const std::string& texte) {
    Tinstruction& instruction = d.instructions[ligne];
    instruction.classee = 1;
    instruction.debutCode = d.codeLibre;
    instruction.nature = natAfficher;
    std::string reste = sansBlancs(apresMotCle(texte, motAfficher));
    if (reste.empty() || reste.back() != ';')
        reste += ';';
    // A ";" always separates items, even between quotes.
    size_t debut = 0;
    while (debut < reste.size() && d.codeErreur == 0) {
        const size_t fin = reste.find(';', debut);
        analyserElementAffiche(d, ligne, reste.substr(debut, fin - debut));
        debut = fin + 1;
    }
    conclure(d, ligne, d.codeErreur == 0);
}
