// The rows of the "Variables" panel for the program's last run: one row per
// variable in declaration order (name, type, value), lists and tables
// unfolding into their elements, texts in Windows-1252. The values are a copy
// taken after a command that ran steps, compared with the copy before it, so
// that a view reads no cell of a run in progress and repaints only what changed.
#pragma once

#include "base/donnees.h"

#include <cstdint>
#include <string>
#include <vector>

class TlignesVariables {
public:
    enum Tcolonne { colonneNom, colonneType, colonneValeur, nbColonnes };
    // The `element` of a variable's own row.
    static constexpr int32_t ligneVariable = -1;
    // Elements of one variable, from premier to dernier; premier = -1: none.
    struct Tplage {
        int32_t premier = -1;
        int32_t dernier = -1;
    };

    TlignesVariables();

    // The column's title (Windows-1252).
    static std::string titre(Tcolonne colonne);

    // True when the record's variables are those shown (names, types,
    // cells, bounds): a new run keeps the rows, and their unfolding.
    bool memesVariables(const TdonneesCommunes& d) const;
    // A run starts after a successful analysis: its variables, all 0.
    void commencer(const TdonneesCommunes& d);
    // No rows: before a program's first run, after a failed analysis.
    void vider();
    // Takes the values now in the cells; what differs from the last copy is marked changed.
    void mettreAJour(const TdonneesCommunes& d);

    int32_t nbVariables() const { return static_cast<int32_t>(variables.size()); }
    // The element rows under variable k (from 0): none for a simple variable.
    int32_t nbElements(int32_t k) const;
    // The text of a cell: variable k's own row (ligneVariable) or one of its
    // elements. Empty where a row shows nothing (an element's type).
    std::string texte(int32_t k, int32_t element, Tcolonne colonne) const;
    // True when the value shown (the variable's, or the element's) changed at the last update.
    bool change(int32_t k, int32_t element) const;
    // The value cell's text before the last update, where that update changed
    // it ("3" before "4"); empty where it did not change.
    std::string texteAvant(int32_t k, int32_t element) const;
    // The elements of variable k whose rows the last update changed: those
    // it changed and those changed by the update before (shown changed until now).
    Tplage aRepeindre(int32_t k) const { return repeindre[static_cast<size_t>(k)]; }

private:
    double valeur(const std::vector<int32_t>& e, const std::vector<double>& r, int32_t cellule) const;
    // The value cell of variable k's row or element, from the copy in e and r.
    std::string texteValeur(int32_t k, int32_t element, const std::vector<int32_t>& e,
                            const std::vector<double>& r) const;

    std::vector<Tvariable> variables;
    std::vector<int32_t> entiers, entiersAvant;   // copies of the integer cells
    std::vector<double> reels, reelsAvant;        // and of the real cells
    std::vector<char> variableChangee;
    std::vector<Tplage> changees;                 // elements changed by the last update
    std::vector<Tplage> repeindre;
};
