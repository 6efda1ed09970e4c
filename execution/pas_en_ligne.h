// The body of one step, inline so that the normal-mode burst runs the
// general step without a call. `executerPas` (pas.h) is the same code.
#pragma once

#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "base/messages.h"
#include "evaluation/evaluation.h"
#include "evaluation/evaluation_en_ligne.h"
#include "evaluation/formats.h"

#include <cstdint>
#include <string>

namespace execution {

// The commentary of the commented mode (Windows-1252).
struct Tcommentaires {
    std::string obligatoire = depuisUtf8("Branchement obligatoire effectué.");
    std::string vraie = depuisUtf8("Condition vraie ; branchement effectué.");
    std::string fausse = depuisUtf8("Condition fausse ; branchement non effectué.");
    std::string appel = depuisUtf8("Branchement avec retour niveau ");
    std::string retour = depuisUtf8("Retour du niveau ");
    std::string prend = depuisUtf8(" prend la valeur ");
    std::string prendElement = depuisUtf8(")  prend la valeur ");
};

inline const Tcommentaires& commentaires() {
    static const Tcommentaires c;
    return c;
}

// The run counts instructions modulo 2^32 (shown unsigned), so a run past
// 2^31 instructions never overflows a signed count.
inline void compterPas(TdonneesCommunes& d) {
    d.nbPas = static_cast<int32_t>(static_cast<uint32_t>(d.nbPas) + 1u);
    ++d.nbPasTranche;
}

inline bool dansBornes(int32_t i, int32_t min, int32_t max) { return i >= min && i <= max; }

// "12/ Donner à n la valeur 2", then the line selected in the editor.
inline void afficherEntete(TdonneesCommunes& d, int32_t ligne) {
    std::string entete = naturelEnTexte(static_cast<uint32_t>(d.nbPas) + 1u);
    entete += "/ ";
    if (static_cast<size_t>(ligne) < d.copieDeTravail.size())
        entete += d.copieDeTravail[static_cast<size_t>(ligne)];
    ajouterLigneAffichage(d, entete);
    selectionnerLigne(d, ligne);
}

// Stores the assignment's value into `cellule`. False when the value cannot
// go there (a real value into an integer cell, which the analysis refuses).
inline bool stocker(TdonneesCommunes& d, const Tinstruction& I, int64_t cellule) {
    if (I.typeCible == typeEntier) {
        if (I.caseValeur > derniereCaseEntiere)
            return false;
        d.entiers[cellule] = d.entiers[I.caseValeur];
    } else {
        caseReelle(d, static_cast<int32_t>(cellule)) = valeurReelle(d, I.caseValeur);
    }
    return true;
}

// «n prend la valeur 4», «L(3)  prend la valeur 7», «A(1 , 3)  prend la valeur 2.5».
inline void commenterAffectation(TdonneesCommunes& d, const Tinstruction& I, int32_t i, int32_t j) {
    const Tcommentaires& c = commentaires();
    std::string& ligne = d.ligneAffichee;
    ligne.clear();
    if (I.numVariable >= 1 && I.numVariable <= nbVariablesMax)
        ligne += d.variables[I.numVariable].nom;
    if (I.nature == natAffectation) {
        ligne += c.prend;
    } else {
        ligne += '(';
        ajouterEntier(ligne, i);
        if (I.nature == natAffectationTableau) {
            ligne += " , ";
            ajouterEntier(ligne, j);
        }
        ligne += c.prendElement;
    }
    ajouterValeur(ligne, I.typeCible, valeurReelle(d, I.caseValeur));
    ajouterLigneAffichage(d, ligne);
}

inline void echouer(TdonneesCommunes& d, int32_t code, int32_t ligne) {
    d.erreurExecution = code;
    d.ligneErreur = ligne;
}

template <bool commente>
[[gnu::always_inline]] inline void pas(TdonneesCommunes& d) {
    const int32_t ligne = d.ligneCourante;
    if (static_cast<uint32_t>(ligne) >= static_cast<uint32_t>(nbLignesMax)) {
        // No instruction there: the run cannot go on.
        echouer(d, erreurCalcul, aucuneLigne);
        return;
    }
    Tinstruction& I = d.instructions[ligne];
    try {
        if constexpr (commente)
            afficherEntete(d, ligne);
        d.ligneAffichee.clear();
        if (I.finCode > I.debutCode) {
            if constexpr (commente)
                evaluerCode(d, I.debutCode, I.finCode);
            else
                evaluation::evaluerCodeEnLigne(d, I.debutCode, I.finCode);
        }
        if (d.erreurExecution != 0) {
            d.ligneErreur = ligne;
            return;
        }

        int32_t prochaine = I.suivante;
        if constexpr (!commente) {
            // The commonest kinds of a loop first, before the jump table.
            if (I.nature == natAffectation) {
                if (!stocker(d, I, I.caseCible))
                    return echouer(d, erreurCalcul, ligne);
                compterPas(d);
                d.ligneCourante = prochaine;
                return;
            }
            if (I.nature == natAllerSi) {
                compterPas(d);
                d.ligneCourante = d.conditions[I.caseValeur] ? I.cibleBranchement : prochaine;
                return;
            }
        }
        switch (I.nature) {
        case natAffectation:
            if (!stocker(d, I, I.caseCible))
                return echouer(d, erreurCalcul, ligne);
            if constexpr (commente)
                commenterAffectation(d, I, 0, 0);
            break;
        case natAffectationListe: {
            const int32_t i = d.entiers[I.caseIndice1];
            if (!dansBornes(i, I.borneMin1, I.borneMax1))
                return echouer(d, erreurIndice, ligne);
            if (!stocker(d, I, int64_t{I.caseCible} + (int64_t{i} - I.borneMin1)))
                return echouer(d, erreurCalcul, ligne);
            if constexpr (commente)
                commenterAffectation(d, I, i, 0);
            break;
        }
        case natAffectationTableau: {
            const int32_t i = d.entiers[I.caseIndice1];
            const int32_t j = d.entiers[I.caseIndice2];
            if (!dansBornes(i, I.borneMin1, I.borneMax1) || !dansBornes(j, I.borneMin2, I.borneMax2))
                return echouer(d, erreurIndice, ligne);
            if (!stocker(d, I, I.caseCible + rangElement<int64_t>(I, i, j)))
                return echouer(d, erreurCalcul, ligne);
            if constexpr (commente)
                commenterAffectation(d, I, i, j);
            break;
        }
        case natAller:
            break;
        case natAllerSi:
            if (d.conditions[I.caseValeur])
                prochaine = I.cibleBranchement;
            break;
        case natAfficher:
            if (!d.ligneAffichee.empty()) {
                if constexpr (commente)
                    ++d.nbLignesAjoutees;
                ajouterLigneSortie(d, d.ligneAffichee);
                // A full pane ends the burst after this step.
                if constexpr (!commente)
                    if (d.fenetre->affichagePlein())
                        d.nbPasTranche = tailleTranche;
            }
            break;
        case natAllerEtRevenir:
            if (d.nbRetours >= nbRetoursMax || d.nbRetours < 0)
                return echouer(d, erreurTropDeRetours, ligne);
            ++d.nbRetours;
            d.pileRetours[d.nbRetours] = I.suivante;
            if constexpr (commente) {
                std::string texte = commentaires().appel;
                ajouterEntier(texte, d.nbRetours);
                ajouterLigneAffichage(d, texte);
            }
            prochaine = I.cibleBranchement;
            break;
        case natRevenir:
            if (d.nbRetours <= 0 || d.nbRetours > nbRetoursMax)
                return echouer(d, erreurRetour, ligne);
            if constexpr (commente) {
                std::string texte = commentaires().retour;
                ajouterEntier(texte, d.nbRetours);
                ajouterLigneAffichage(d, texte);
            }
            I.suivante = d.pileRetours[d.nbRetours];
            --d.nbRetours;
            prochaine = I.suivante;
            break;
        default:
            // Not an executable line: the links of the analysis never lead here.
            return echouer(d, erreurCalcul, ligne);
        }

        compterPas(d);
        if constexpr (commente) {
            if (I.nature == natAller)
                ajouterLigneAffichage(d, commentaires().obligatoire);
            else if (I.nature == natAllerSi)
                ajouterLigneAffichage(d, d.conditions[I.caseValeur] ? commentaires().vraie : commentaires().fausse);
        }
        d.ligneCourante = prochaine;
        if constexpr (commente)
            ajouterLigneAffichage(d, " ");
    } catch (...) {
        // Whatever fails inside a step stops the run as a calculation error.
        if (d.erreurExecution == 0)
            d.erreurExecution = erreurCalcul;
        d.ligneErreur = ligne;
    }
}

} // namespace execution
