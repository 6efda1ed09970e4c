#include "tools/verifier/rapports.h"
#include "tools/verifier/textes_rapport.h"

#include <algorithm>

std::array<size_t, descriptionsStatuts.size()> compterStatuts(const std::vector<Tverdict>& verdicts) {
    std::array<size_t, descriptionsStatuts.size()> nombres{};
    for (const Tverdict& v : verdicts)
        ++nombres[static_cast<size_t>(v.statut)];
    return nombres;
}

std::string ligneBilan(const std::vector<Tverdict>& verdicts) {
    const auto nombres = compterStatuts(verdicts);
    std::string ligne = std::to_string(verdicts.size()) + (verdicts.size() > 1 ? " programmes" : " programme");
    for (size_t s = 0; s < nombres.size(); ++s) {
        ligne += s == 0 ? " : " : " ; ";
        ligne += descriptionsStatuts[s].libelle;
        ligne += " : " + std::to_string(nombres[s]);
    }
    return ligne;
}

std::string rapportTableau(const std::vector<Tverdict>& verdicts) {
    struct Trangee {
        std::string cellules[4];
    };
    std::vector<Trangee> rangees;
    rangees.reserve(verdicts.size() + 1);
    rangees.push_back({{"Fichier", "Statut", "Ligne", "Détail"}});
    for (const Tverdict& v : verdicts)
        rangees.push_back({{nomLisible(v.fichier), std::string(description(v.statut).libelle),
                            v.ligne > 0 ? std::to_string(v.ligne) : "", sansControles(v.detail)}});
    size_t largeurs[3] = {};
    for (const Trangee& r : rangees)
        for (size_t k = 0; k < 3; ++k)
            largeurs[k] = std::max(largeurs[k], largeur(r.cellules[k]));

    std::string texte;
    for (const Trangee& r : rangees) {
        std::string ligne;
        for (size_t k = 0; k < 3; ++k) {
            ligne += r.cellules[k];
            ligne.append(largeurs[k] - largeur(r.cellules[k]) + 2, ' ');
        }
        ligne += r.cellules[3];
        while (!ligne.empty() && ligne.back() == ' ')
            ligne.pop_back();
        texte += ligne + "\n";
    }
    texte += '\n';
    texte += ligneBilan(verdicts);
    texte += '\n';
    return texte;
}
