#include "base/lignes.h"

std::vector<std::string> decouperLignes(std::string_view texte, size_t blanchesGardees) {
    std::vector<std::string> lignes;
    const auto garder = [&](std::string_view ligne) {
        if (lignes.size() < blanchesGardees || ligne.find_first_not_of(' ') != std::string_view::npos)
            lignes.emplace_back(ligne);
    };
    size_t debut = 0;
    size_t i = 0;
    while (i < texte.size()) {
        const char c = texte[i];
        if (c == '\r' || c == '\n') {
            garder(texte.substr(debut, i - debut));
            i += (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ? 2 : 1;
            debut = i;
        } else {
            ++i;
        }
    }
    if (debut < texte.size())
        garder(texte.substr(debut));
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
