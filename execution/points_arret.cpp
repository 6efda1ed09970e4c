#include "execution/points_arret.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "evaluation/formats.h"
#include "execution/moteur/decodage.h"

#include <algorithm>
#include <iterator>

void basculerPointArret(TdonneesCommunes& d, int32_t ligne) {
    if (static_cast<uint32_t>(ligne) >= static_cast<uint32_t>(nbLignesMax))
        return;
    if (!d.arretsMarques[ligne] && d.arrets[ligne]) {
        // The disc of marks moved to this line: they go.
        for (int32_t marque = 0; marque < ligne; ++marque)
            if (d.arretsMarques[marque] && ligneArretEffective(d, marque) == ligne)
                d.arretsMarques[marque] = 0;
    } else {
        d.arretsMarques[ligne] = d.arretsMarques[ligne] ? 0 : 1;
    }
    suivreArrets(d);
}

bool pointArretMarque(const TdonneesCommunes& d, int32_t ligne) {
    return static_cast<uint32_t>(ligne) < static_cast<uint32_t>(nbLignesMax) && d.arretsMarques[ligne] != 0;
}

void effacerPointsArret(TdonneesCommunes& d) {
    std::fill(std::begin(d.arretsMarques), std::end(d.arretsMarques), uint8_t{0});
    d.arretCurseur = aucuneLigne;
    suivreArrets(d);
}

std::vector<int32_t> lignesMarquees(const TdonneesCommunes& d) {
    std::vector<int32_t> lignes;
    for (int32_t ligne = 0; ligne < nbLignesMax; ++ligne)
        if (d.arretsMarques[ligne])
            lignes.push_back(ligne);
    return lignes;
}

int32_t ligneArretEffective(const TdonneesCommunes& d, int32_t ligne) {
    if (ligne < 0)
        return aucuneLigne;
    for (; ligne <= d.derniereLigne && ligne < nbLignesMax; ++ligne)
        if (estExecutable(d.instructions[ligne]))
            return ligne;
    return aucuneLigne;
}

bool preparerArrets(TdonneesCommunes& d) {
    uint8_t arrets[nbLignesMax] = {};
    const auto marquer = [&](int32_t ligne) {
        const int32_t effective = ligneArretEffective(d, ligne);
        if (effective != aucuneLigne)
            arrets[effective] = 1;
    };
    if (d.codeErreur == 0) {
        for (int32_t ligne = 0; ligne < nbLignesMax; ++ligne)
            if (d.arretsMarques[ligne])
                marquer(ligne);
        marquer(d.arretCurseur);
    }
    if (std::equal(std::begin(arrets), std::end(arrets), std::begin(d.arrets)))
        return false;
    std::copy(std::begin(arrets), std::end(arrets), std::begin(d.arrets));
    return true;
}

void suivreArrets(TdonneesCommunes& d) {
    // The stream of the last analysis takes the new stops.
    if (preparerArrets(d) && d.flux && d.codeErreur == 0)
        choisirFormes(d);
}

std::string texteArret(int32_t ligne) {
    std::string texte = depuisUtf8("Arrêt au point d'arrêt de la ligne ");
    ajouterEntier(texte, ligne + 1);
    return texte + ".";
}
