#include "commands/fichiers_recents.h"

#include <algorithm>

namespace {

// "&" marks the next letter as a menu's key: "&&" shows one.
std::string sansRaccourci(std::string_view texte) {
    std::string resultat;
    for (const char c : texte) {
        resultat += c;
        if (c == '&')
            resultat += '&';
    }
    return resultat;
}

} // namespace

TlisteFichiersRecents::TlisteFichiersRecents(const std::vector<std::string>& gardes) {
    for (const std::string& chemin : gardes)
        if (!chemin.empty() && std::find(liste.begin(), liste.end(), chemin) == liste.end() &&
            liste.size() < nombreMax)
            liste.push_back(chemin);
}

void TlisteFichiersRecents::noter(const std::string& complet) {
    std::erase(liste, complet);
    liste.insert(liste.begin(), complet);
    if (liste.size() > nombreMax)
        liste.resize(nombreMax);
}

void TlisteFichiersRecents::retirer(const std::string& chemin, const std::string& complet) {
    std::erase(liste, chemin);
    std::erase(liste, complet);
}

std::string legendeFichierRecent(int numero, std::string_view nom, std::string_view dossier) {
    std::string legende = "&";
    legende += std::to_string(numero);
    legende += ' ';
    legende += sansRaccourci(nom);
    legende += "  (";
    legende += sansRaccourci(dossier);
    legende += ')';
    return legende;
}
