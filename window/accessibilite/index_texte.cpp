#include "window/accessibilite/index_texte.h"

#include <algorithm>

void TindexTexte::compterJusquA(int64_t paquet) {
    const int64_t n = lignes.nombre();
    while (static_cast<int64_t>(paquets.size()) <= paquet) {
        const int64_t debut = (static_cast<int64_t>(paquets.size()) - 1) * pas;
        if (debut + pas > n)
            return;   // the last, incomplete packet is never kept
        int64_t o = paquets.back();
        for (int64_t i = debut; i < debut + pas; ++i)
            o += static_cast<int64_t>(lignes.ligne(i).size()) + 1;
        paquets.push_back(o);
    }
}

int64_t TindexTexte::debutLigne(int64_t i) {
    i = std::clamp<int64_t>(i, 0, lignes.nombre());
    const int64_t paquet = i / pas;
    compterJusquA(paquet);
    const int64_t connu = std::min<int64_t>(paquet, static_cast<int64_t>(paquets.size()) - 1);
    int64_t o = paquets[static_cast<size_t>(connu)];
    for (int64_t k = connu * pas; k < i; ++k)
        o += static_cast<int64_t>(lignes.ligne(k).size()) + 1;
    return o;
}

int64_t TindexTexte::longueur() {
    const int64_t n = lignes.nombre();
    return n == 0 ? 0 : debutLigne(n) - 1;
}

TindexTexte::Tplace TindexTexte::placeDe(int64_t o) {
    const int64_t n = lignes.nombre();
    if (n == 0)
        return {};
    o = std::clamp<int64_t>(o, 0, longueur());
    compterJusquA(n / pas);
    // The last packet starting at or before o, then line by line.
    const auto apres = std::upper_bound(paquets.begin(), paquets.end(), o);
    int64_t ligne = (apres - paquets.begin() - 1) * pas;
    int64_t debut = *(apres - 1);
    for (;;) {
        const int64_t taille = static_cast<int64_t>(lignes.ligne(ligne).size());
        if (o <= debut + taille || ligne + 1 >= n)
            return {ligne, static_cast<int32_t>(std::min(o - debut, taille))};
        debut += taille + 1;
        ++ligne;
    }
}
