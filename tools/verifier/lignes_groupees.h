// Many lines in one buffer: four bytes of bookkeeping a line besides its
// text, so that an expected output of millions of (empty) lines stays a few
// tens of MB instead of the 32 bytes a std::string costs even when empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TlignesGroupees {
public:
    TlignesGroupees() = default;
    // The lines of a text as the editor cuts them (base/lignes.h).
    explicit TlignesGroupees(std::string_view texte);
    TlignesGroupees(const std::vector<std::string>& lignes);

    // The whole text stays under 4 GiB: every caller bounds it far below.
    void ajouter(std::string_view ligne);
    void retirerDerniere();
    size_t size() const { return fins_.size(); }
    bool empty() const { return fins_.empty(); }
    size_t octets() const { return texte_.size(); }
    std::string_view operator[](size_t i) const {
        const uint32_t debut = i == 0 ? 0 : fins_[i - 1];
        return std::string_view(texte_).substr(debut, fins_[i] - debut);
    }

private:
    std::string texte_;
    std::vector<uint32_t> fins_;   // where each line ends in texte_
};
