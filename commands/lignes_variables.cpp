#include "commands/lignes_variables.h"

#include "evaluation/formats.h"

#include <algorithm>
#include <climits>

namespace {

// Elements a folded list or table shows on its own row.
constexpr int32_t nbApercus = 12;

bool memeForme(const Tvariable& a, const Tvariable& b) {
    return a.nom == b.nom && a.typeVariable == b.typeVariable && a.premiereCase == b.premiereCase &&
           a.nbIndices == b.nbIndices && a.nbCases == b.nbCases && a.borneMin1 == b.borneMin1 &&
           a.borneMax1 == b.borneMax1 && a.borneMin2 == b.borneMin2 && a.borneMax2 == b.borneMax2;
}

std::vector<Tvariable> variablesDe(const TdonneesCommunes& d) {
    return std::vector<Tvariable>(d.variables + 1, d.variables + 1 + std::clamp(d.nbVariables, 0, nbVariablesMax));
}

} // namespace

TlignesVariables::TlignesVariables()
    : entiers(derniereCaseEntiere + 1), entiersAvant(derniereCaseEntiere + 1),
      reels(derniereCaseReelle - derniereCaseEntiere + 1), reelsAvant(derniereCaseReelle - derniereCaseEntiere + 1) {}

std::string TlignesVariables::titre(Tcolonne colonne) {
    switch (colonne) {
    case colonneNom:
        return "Nom";
    case colonneType:
        return "Type";
    case colonneValeur:
        return "Valeur";
    default:
        return {};
    }
}

bool TlignesVariables::memesVariables(const TdonneesCommunes& d) const {
    const std::vector<Tvariable> nouvelles = variablesDe(d);
    return std::equal(nouvelles.begin(), nouvelles.end(), variables.begin(), variables.end(), memeForme);
}

void TlignesVariables::commencer(const TdonneesCommunes& d) {
    variables = variablesDe(d);
    std::fill(entiers.begin(), entiers.end(), 0);
    std::fill(reels.begin(), reels.end(), 0.0);
    entiersAvant = entiers;
    reelsAvant = reels;
    variableChangee.assign(variables.size(), 0);
    changees.assign(variables.size(), Tplage{});
    repeindre.assign(variables.size(), Tplage{});
}

void TlignesVariables::vider() {
    variables.clear();
    variableChangee.clear();
    changees.clear();
    repeindre.clear();
}

void TlignesVariables::mettreAJour(const TdonneesCommunes& d) {
    entiersAvant.swap(entiers);
    reelsAvant.swap(reels);
    std::copy(d.entiers, d.entiers + entiers.size(), entiers.begin());
    std::copy(d.reels, d.reels + reels.size(), reels.begin());
    for (size_t k = 0; k < variables.size(); ++k) {
        const Tvariable& v = variables[k];
        Tplage plage;
        for (int32_t i = 0; i < std::max(v.nbCases, 1); ++i) {
            const int32_t c = v.premiereCase + i;
            if (valeur(entiers, reels, c) != valeur(entiersAvant, reelsAvant, c)) {
                if (plage.premier < 0)
                    plage.premier = i;
                plage.dernier = i;
            }
        }
        variableChangee[k] = plage.premier >= 0;
        const Tplage avant = changees[k];
        const int32_t debut = std::min(plage.premier < 0 ? INT32_MAX : plage.premier,
                                       avant.premier < 0 ? INT32_MAX : avant.premier);
        const int32_t fin = std::max(plage.dernier, avant.dernier);
        repeindre[k] = debut <= fin ? Tplage{debut, fin} : Tplage{};
        changees[k] = plage;
    }
}

double TlignesVariables::valeur(const std::vector<int32_t>& e, const std::vector<double>& r, int32_t c) const {
    if (c >= 1 && c <= derniereCaseEntiere)
        return e[static_cast<size_t>(c)];
    if (c > derniereCaseEntiere && c <= derniereCaseReelle)
        return r[static_cast<size_t>(c - derniereCaseEntiere)];
    return 0;
}

std::string TlignesVariables::texteValeur(int32_t k, int32_t element, const std::vector<int32_t>& e,
                                          const std::vector<double>& r) const {
    const Tvariable& v = variables[static_cast<size_t>(k)];
    std::string texte;
    if (element != ligneVariable || v.nbIndices == 0) {
        ajouterValeur(texte, v.typeVariable, valeur(e, r, v.premiereCase + (element == ligneVariable ? 0 : element)));
        return texte;
    }
    // A folded list or table shows its first elements, as a display line would.
    const int32_t n = std::min(v.nbCases, nbApercus);
    for (int32_t i = 0; i < n; ++i) {
        if (i > 0)
            texte += "  ";
        ajouterValeur(texte, v.typeVariable, valeur(e, r, v.premiereCase + i));
    }
    if (v.nbCases > n)
        texte += "  \x85";   // "…"
    return texte;
}

std::string TlignesVariables::texteAvant(int32_t k, int32_t element) const {
    if (k < 0 || k >= nbVariables() || !change(k, element))
        return {};
    return texteValeur(k, element, entiersAvant, reelsAvant);
}

int32_t TlignesVariables::nbElements(int32_t k) const {
    const Tvariable& v = variables[static_cast<size_t>(k)];
    return v.nbIndices > 0 ? v.nbCases : 0;
}

bool TlignesVariables::change(int32_t k, int32_t element) const {
    if (element == ligneVariable)
        return static_cast<size_t>(k) < variableChangee.size() && variableChangee[static_cast<size_t>(k)];
    const int32_t c = variables[static_cast<size_t>(k)].premiereCase + element;
    return valeur(entiers, reels, c) != valeur(entiersAvant, reelsAvant, c);
}

std::string TlignesVariables::texte(int32_t k, int32_t element, Tcolonne colonne) const {
    const Tvariable& v = variables[static_cast<size_t>(k)];
    const bool estVariable = element == ligneVariable;
    switch (colonne) {
    case colonneNom: {
        if (estVariable)
            return v.nom;
        // "L(3)", "A(1,3)": the indices of the element.
        const TindicesElement<int32_t> indices = indicesElement(v, element);
        std::string nom = v.nom;
        nom += '(';
        ajouterEntier(nom, indices.i);
        if (v.nbIndices == 2) {
            nom += ',';
            ajouterEntier(nom, indices.j);
        }
        return nom + ')';
    }
    case colonneType: {
        if (!estVariable)
            return {};
        std::string type = v.typeVariable == typeEntier ? "entier" : "r\xE9" "el";
        const auto plage = [&type](const char* avant, int32_t min, int32_t max) {
            type += avant;
            ajouterEntier(type, min);
            type += "..";
            ajouterEntier(type, max);
        };
        if (v.nbIndices >= 1)
            plage(" (", v.borneMin1, v.borneMax1);
        if (v.nbIndices == 2)
            plage(" , ", v.borneMin2, v.borneMax2);
        if (v.nbIndices >= 1)
            type += ')';
        return type;
    }
    case colonneValeur:
        return texteValeur(k, element, entiers, reels);
    default:
        return {};
    }
}
