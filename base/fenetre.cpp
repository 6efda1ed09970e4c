#include "base/fenetre.h"

#include "base/donnees.h"

namespace {

// A pane line: one blank, then the text.
std::string ligneDuVolet(const std::string& texte) {
    std::string ligne;
    ligne.reserve(texte.size() + 1);
    ligne += ' ';
    ligne += texte;
    return ligne;
}

} // namespace

void ajouterLigneAffichage(TdonneesCommunes& d, const std::string& texte) {
    d.fenetre->ajouterAffichage(ligneDuVolet(texte));
}

void ajouterLigneSortie(TdonneesCommunes& d, const std::string& texte) {
    d.fenetre->ajouterSortie(ligneDuVolet(texte));
}

void selectionnerLigne(TdonneesCommunes& d, int32_t n) {
    Tfenetre& f = *d.fenetre;
    const int32_t nombre = f.nombreLignesEditeur();
    int64_t debut = 0;
    for (int32_t i = 0; i < n && i < nombre; ++i)
        debut += static_cast<int64_t>(f.ligneEditeur(i).size()) + 2;
    const int64_t longueur = (n >= 0 && n < nombre) ? static_cast<int64_t>(f.ligneEditeur(n).size()) : 0;
    f.selectionnerDansEditeur(static_cast<int32_t>(debut), static_cast<int32_t>(longueur));
}
