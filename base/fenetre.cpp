#include "base/fenetre.h"

#include "base/donnees.h"

namespace {

// A pane line: one blank, then the text (inline: a display loop's output
// passes here once a line).
inline std::string ligneDuVolet(const std::string& texte) {
    std::string ligne;
    ligne.reserve(texte.size() + 1);
    ligne += ' ';
    ligne += texte;
    return ligne;
}

} // namespace

void Tfenetre::retirerAffichages(size_t nombre) {
    if (nombre == 0)
        return;
    std::string texte = texteAffichage();
    size_t fin = texte.size();
    for (; nombre > 0; --nombre) {
        const size_t saut = fin == 0 ? std::string::npos : texte.rfind("\r\n", fin - 1);
        if (saut == std::string::npos) {
            fin = 0;
            break;
        }
        fin = saut;
    }
    texte.resize(fin);
    remplacerTexteAffichage(texte);
}

void ajouterLigneAffichage(TdonneesCommunes& d, const std::string& texte) {
    ++d.nbLignesAjoutees;
    d.fenetre->ajouterAffichage(ligneDuVolet(texte));
}

void Tfenetre::ajouterSortie(const std::string& texte) { ajouterAffichage(ligneDuVolet(texte)); }

void ajouterLigneSortie(TdonneesCommunes& d, const std::string& texte) { d.fenetre->ajouterSortie(texte); }

void selectionnerLigne(TdonneesCommunes& d, int32_t n) {
    Tfenetre& f = *d.fenetre;
    const int32_t nombre = f.nombreLignesEditeur();
    int64_t debut = 0;
    for (int32_t i = 0; i < n && i < nombre; ++i)
        debut += static_cast<int64_t>(f.ligneEditeur(i).size()) + 2;
    const int64_t longueur = (n >= 0 && n < nombre) ? static_cast<int64_t>(f.ligneEditeur(n).size()) : 0;
    f.selectionnerDansEditeur(static_cast<int32_t>(debut), static_cast<int32_t>(longueur));
}
