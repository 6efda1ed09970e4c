#include "tools/verifier/lignes_groupees.h"

#include "base/lignes.h"

// Counted first, so that the bookkeeping is allocated once.
TlignesGroupees::TlignesGroupees(std::string_view texte) {
    size_t nombre = 0;
    pourChaqueLigne(texte, [&nombre](std::string_view) { ++nombre; });
    fins_.reserve(nombre);
    pourChaqueLigne(texte, [this](std::string_view ligne) { ajouter(ligne); });
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
