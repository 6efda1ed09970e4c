#include "execution/suivi.h"

#include "base/codage.h"
#include "evaluation/formats.h"
#include "execution/pas.h"

std::string raisonSuiviVide(bool analyseEchouee) {
    return depuisUtf8(analyseEchouee ? "Pas de variables : l'analyse du programme a échoué."
                                     : "Pas de variables : ce programme n'a pas encore été exécuté.");
}

TcolonnesSuivi colonnesSuivi(const TdonneesCommunes& d) {
    TcolonnesSuivi colonnes;
    if (d.codeErreur != 0)
        return colonnes;
    const int32_t nb = d.nbVariables < nbVariablesMax ? d.nbVariables : nbVariablesMax;
    for (int32_t k = 1; k <= nb; ++k) {
        colonnes.variables.push_back(d.variables[k]);
        if (d.variables[k].nbIndices == 0)
            colonnes.simples.push_back(k);
    }
    colonnes.instructions = d.copieDeTravail;
    return colonnes;
}

TligneSuivi ligneSuivi(const TdonneesCommunes& d, const TcolonnesSuivi& colonnes, int32_t ligne) {
    TligneSuivi l;
    l.pas = static_cast<uint32_t>(d.nbPas);
    l.ligne = ligne;
    l.valeurs.reserve(colonnes.simples.size());
    for (const int32_t k : colonnes.simples)
        l.valeurs.push_back(valeurReelle(d, d.variables[k].premiereCase));
    if (static_cast<uint32_t>(ligne) < static_cast<uint32_t>(nbLignesMax)) {
        // An element assignment leaves its indices in their cells: the step
        // read them there, and storing the value wrote another cell.
        const Tinstruction& I = d.instructions[ligne];
        if (I.nature == natAffectationListe || I.nature == natAffectationTableau) {
            l.numVariable = I.numVariable;
            l.indice1 = d.entiers[I.caseIndice1];
            l.indice2 = I.nature == natAffectationTableau ? d.entiers[I.caseIndice2] : 0;
            l.valeurElement = valeurReelle(d, I.caseValeur);
        }
    }
    return l;
}

int32_t nbColonnesSuivi(const TcolonnesSuivi& colonnes) {
    return premiereColonneVariable + static_cast<int32_t>(colonnes.simples.size()) + 1;
}

namespace {

const Tvariable* variable(const TcolonnesSuivi& colonnes, int32_t numero) {
    if (numero < 1 || static_cast<size_t>(numero) > colonnes.variables.size())
        return nullptr;
    return &colonnes.variables[static_cast<size_t>(numero) - 1];
}

// «L(3)=9», «A(1,3)=2.5» (with `egal` "=").
std::string texteElement(const TcolonnesSuivi& colonnes, const TligneSuivi& ligne, const char* egal) {
    const Tvariable* v = variable(colonnes, ligne.numVariable);
    if (!v)
        return {};
    std::string texte = v->nom;
    texte += '(';
    ajouterEntier(texte, ligne.indice1);
    if (v->nbIndices == 2) {
        texte += ',';
        ajouterEntier(texte, ligne.indice2);
    }
    texte += ')';
    texte += egal;
    ajouterValeur(texte, v->typeVariable, ligne.valeurElement);
    return texte;
}

} // namespace

std::string titreColonneSuivi(const TcolonnesSuivi& colonnes, int32_t colonne) {
    static const std::string titres[] = {"pas", "ligne", "instruction"};
    if (colonne >= 0 && colonne < premiereColonneVariable)
        return titres[colonne];
    if (colonne == colonneElements(colonnes))
        return depuisUtf8("éléments");
    const int32_t k = colonne - premiereColonneVariable;
    if (k < 0 || static_cast<size_t>(k) >= colonnes.simples.size())
        return {};
    return colonnes.variables[static_cast<size_t>(colonnes.simples[static_cast<size_t>(k)]) - 1].nom;
}

std::string champSuivi(const TcolonnesSuivi& colonnes, const TligneSuivi& ligne, int32_t colonne, const char* egal) {
    std::string texte;
    if (colonne == colonnePas) {
        texte = naturelEnTexte(ligne.pas);
    } else if (colonne == colonneLigne) {
        ajouterEntier(texte, ligne.ligne + 1);
    } else if (colonne == colonneInstruction) {
        if (static_cast<size_t>(ligne.ligne) < colonnes.instructions.size())
            texte = colonnes.instructions[static_cast<size_t>(ligne.ligne)];
    } else if (colonne == colonneElements(colonnes)) {
        texte = texteElement(colonnes, ligne, egal);
    } else {
        const size_t k = static_cast<size_t>(colonne - premiereColonneVariable);
        if (colonne > colonneInstruction && k < ligne.valeurs.size() && k < colonnes.simples.size())
            ajouterValeur(texte, colonnes.variables[static_cast<size_t>(colonnes.simples[k]) - 1].typeVariable,
                          ligne.valeurs[k]);
    }
    return texte;
}

void executerTrancheSuivie(TdonneesCommunes& d) {
    while (d.erreurExecution == 0 && d.ligneCourante != aucuneLigne && d.nbPasTranche < tailleTranche) {
        const int32_t ligne = d.ligneCourante;
        if (static_cast<uint32_t>(ligne) < static_cast<uint32_t>(nbLignesMax) && d.arrets[ligne] &&
            ligne != d.ligneReprise) {
            d.arretAtteint = true;
            return;
        }
        d.ligneReprise = aucuneLigne;
        executerPasNormal(d);
        if (d.erreurExecution == 0 && d.suivi)
            d.suivi->noterPas(d, ligne);
    }
}
