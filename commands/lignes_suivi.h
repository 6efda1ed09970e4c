// The rows of the "Suivi" table: the trace of the commented run, one row per
// executed step (execution/suivi.h), at most nbLignesSuiviMax of them, then
// the trace is cut. Texts in Windows-1252; a value the step changed is
// marked, so that a view highlights it and shows an unchanged one lighter.
#pragma once

#include "execution/suivi.h"

#include <cstdint>
#include <string>
#include <vector>

class TlignesSuivi {
public:
    // A run starts: its columns, no row.
    void commencer(const TcolonnesSuivi& colonnes);
    // False once the trace holds nbLignesSuiviMax rows: the next row cuts it.
    bool place() const { return static_cast<int32_t>(lignes.size()) < nbLignesSuiviMax; }
    // One more row, or the trace cut when there is no place.
    void ajouter(TligneSuivi ligne);
    // The last row goes (a step taken back).
    void retirer() {
        if (!lignes.empty())
            lignes.pop_back();
    }

    int32_t nombre() const { return static_cast<int32_t>(lignes.size()); }
    int32_t nbColonnes() const { return nbColonnesSuivi(colonnes); }
    const TcolonnesSuivi& colonnesSuivi() const { return colonnes; }
    const std::vector<TligneSuivi>& lignesSuivi() const { return lignes; }
    bool tronque() const { return coupe; }

    std::string titre(int32_t colonne) const { return titreColonneSuivi(colonnes, colonne); }
    // The cell's text, " = " between an element and its value.
    std::string texte(int32_t ligne, int32_t colonne) const;
    // True when the cell shows a value the step changed (an element column: the step assigned one).
    bool change(int32_t ligne, int32_t colonne) const;
    // A simple variable's column.
    bool colonneValeur(int32_t colonne) const {
        return colonne >= premiereColonneVariable && colonne < colonneElements(colonnes);
    }
    // Texts (the instruction, the elements) align left, numbers right.
    bool aGauche(int32_t colonne) const {
        return colonne == colonneInstruction || colonne == colonneElements(colonnes);
    }

private:
    TcolonnesSuivi colonnes;
    std::vector<TligneSuivi> lignes;
    bool coupe = false;
};
