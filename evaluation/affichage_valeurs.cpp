#include "evaluation/affichage_valeurs.h"

#include "base/donnees.h"
#include "base/messages.h"
#include "base/operations.h"
#include "evaluation/formats.h"

namespace {

inline bool dansBornes(int32_t i, int32_t min, int32_t max) { return i >= min && i <= max; }

// Appends "  " and each element from cell `premiere`, stepping by `pas`
// cells, for the indices a to b (downwards when a > b). The indices are
// already checked, so every cell belongs to the variable.
void ajouterPlage(TdonneesCommunes& d, const Tvariable& v, int64_t premiere, int64_t pas, int32_t a, int32_t b) {
    std::string& ligne = d.ligneAffichee;
    const int64_t sens = a <= b ? 1 : -1;
    const int64_t nombre = (a <= b ? int64_t{b} - a : int64_t{a} - b) + 1;
    int64_t cellule = premiere;
    for (int64_t n = 0; n < nombre; ++n, cellule += sens * pas) {
        ligne += "  ";
        if (v.typeVariable == typeEntier)
            ajouterEntier(ligne, d.entiers[cellule]);
        else
            ajouterReel(ligne, valeurReelle(d, static_cast<int32_t>(cellule)));
    }
}

bool refuser(TdonneesCommunes& d) {
    d.erreurExecution = erreurIndice;
    return false;
}

} // namespace

bool executerAffichage(TdonneesCommunes& d, int32_t& w) {
    const int32_t* m = d.code + w;
    std::string& ligne = d.ligneAffichee;
    switch (m[0]) {
    case opAfficherTexte: {
        // Position from 1 and length in the pool; a text outside it is
        // left out rather than read past the end.
        const int64_t debut = int64_t{m[1]} - 1;
        const int64_t longueur = m[2];
        const int64_t taille = static_cast<int64_t>(d.textesAffiches.size());
        if (debut >= 0 && longueur > 0 && debut + longueur <= taille)
            ligne.append(d.textesAffiches, static_cast<size_t>(debut), static_cast<size_t>(longueur));
        break;
    }
    case opAfficherEntier:
        ligne += ' ';
        ajouterEntier(ligne, d.entiers[m[1]]);
        break;
    case opAfficherReel:
        ligne += ' ';
        ajouterReel(ligne, valeurReelle(d, m[1]));
        break;
    case opAfficherCondition:
        ligne += ' ';
        ligne += d.conditions[m[1]] ? 'V' : 'F';
        break;
    case opAfficherListe: {
        const Tvariable& v = d.variables[m[3]];
        const int32_t a = d.entiers[m[1]], b = d.entiers[m[2]];
        if (!dansBornes(a, v.borneMin1, v.borneMax1) || !dansBornes(b, v.borneMin1, v.borneMax1))
            return refuser(d);
        ajouterPlage(d, v, int64_t{v.premiereCase} + (int64_t{a} - v.borneMin1), 1, a, b);
        break;
    }
    case opAfficherLigneTableau: {
        const Tvariable& v = d.variables[m[4]];
        const int32_t i = d.entiers[m[1]], a = d.entiers[m[2]], b = d.entiers[m[3]];
        if (!dansBornes(i, v.borneMin1, v.borneMax1) || !dansBornes(a, v.borneMin2, v.borneMax2) ||
            !dansBornes(b, v.borneMin2, v.borneMax2))
            return refuser(d);
        ajouterPlage(d, v, v.premiereCase + rangElement<int64_t>(v, i, a), 1, a, b);
        break;
    }
    case opAfficherColonneTableau: {
        const Tvariable& v = d.variables[m[4]];
        const int32_t a = d.entiers[m[1]], b = d.entiers[m[2]], j = d.entiers[m[3]];
        if (!dansBornes(a, v.borneMin1, v.borneMax1) || !dansBornes(b, v.borneMin1, v.borneMax1) ||
            !dansBornes(j, v.borneMin2, v.borneMax2))
            return refuser(d);
        ajouterPlage(d, v, v.premiereCase + rangElement<int64_t>(v, a, j), largeurLigne<int64_t>(v), a, b);
        break;
    }
    default:
        // Not a display word: the caller dispatches only 81..87 here.
        d.erreurExecution = erreurCalcul;
        return false;
    }
    w += longueurInstruction(m[0]);
    return true;
}
