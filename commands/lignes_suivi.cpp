#include "commands/lignes_suivi.h"

void TlignesSuivi::commencer(const TcolonnesSuivi& c) {
    colonnes = c;
    lignes.clear();
    lignes.shrink_to_fit();
    coupe = false;
}

void TlignesSuivi::ajouter(TligneSuivi ligne) {
    if (!place()) {
        coupe = true;
        return;
    }
    lignes.push_back(std::move(ligne));
}

std::string TlignesSuivi::texte(int32_t ligne, int32_t colonne) const {
    return champSuivi(colonnes, lignes[static_cast<size_t>(ligne)], colonne, " = ");
}

bool TlignesSuivi::change(int32_t ligne, int32_t colonne) const {
    if (ligne < 0 || static_cast<size_t>(ligne) >= lignes.size())
        return false;
    const TligneSuivi& l = lignes[static_cast<size_t>(ligne)];
    if (colonne == colonneElements(colonnes))
        return l.numVariable != 0;
    const size_t k = static_cast<size_t>(colonne - premiereColonneVariable);
    if (colonne < premiereColonneVariable || k >= l.valeurs.size())
        return false;
    // Before the first step every variable holds 0.
    const double avant = ligne == 0 ? 0.0 : lignes[static_cast<size_t>(ligne) - 1].valeurs[k];
    return l.valeurs[k] != avant;
}
