#include "analysis/lignes.h"

std::vector<std::string> decouperLignes(std::string_view texte) {
    std::vector<std::string> lignes;
    pourChaqueLigne(texte, [&lignes](std::string_view ligne) { lignes.emplace_back(ligne); });
    return lignes;
}

std::string joindreLignes(const std::vector<std::string>& lignes) {
    size_t taille = 0;
    for (const auto& ligne : lignes)
        taille += ligne.size() + 2;
    std::string texte;
    texte.reserve(taille);
    for (size_t i = 0; i < lignes.size(); ++i) {
        if (i > 0)
            texte += "\r\n";
        texte += lignes[i];
    }
    return texte;
}
