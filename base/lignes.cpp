#include "base/lignes.h"

std::vector<std::string> decouperLignes(std::string_view texte, size_t blanchesGardees) {
    std::vector<std::string> lignes;
    const auto garder = [&](std::string_view ligne) {
        if (lignes.size() < blanchesGardees || ligne.find_first_not_of(' ') != std::string_view::npos)
            lignes.emplace_back(ligne);
    };
    pourChaqueLigne(texte, garder);
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
