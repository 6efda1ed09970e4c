#include "tools/verifier/lignes_groupees.h"

// Cut as decouperLignes cuts (base/lignes.h): at CR LF, LF or CR, no
// further line after a final break. Counted first, so that the bookkeeping
// is allocated once.
TlignesGroupees::TlignesGroupees(std::string_view texte) {
    const auto couper = [texte](auto&& f) {
        size_t debut = 0;
        for (size_t i = 0; i < texte.size();) {
            const char c = texte[i];
            if (c != '\r' && c != '\n') {
                ++i;
                continue;
            }
            f(texte.substr(debut, i - debut));
            i += (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ? 2 : 1;
            debut = i;
        }
        if (debut < texte.size())
            f(texte.substr(debut));
    };
    size_t nombre = 0;
    couper([&nombre](std::string_view) { ++nombre; });
    fins_.reserve(nombre);
    couper([this](std::string_view ligne) { ajouter(ligne); });
}

TlignesGroupees::TlignesGroupees(const std::vector<std::string>& lignes) {
    fins_.reserve(lignes.size());
    for (const std::string& ligne : lignes)
        ajouter(ligne);
}

void TlignesGroupees::ajouter(std::string_view ligne) {
    texte_ += ligne;
    fins_.push_back(static_cast<uint32_t>(texte_.size()));
}

void TlignesGroupees::retirerDerniere() {
    fins_.pop_back();
    texte_.resize(fins_.empty() ? 0 : fins_.back());
}
