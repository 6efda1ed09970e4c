// The lines of the display pane, kept as they came: Windows-1252 bytes in
// blocks of about a megabyte and one 4-byte offset per line. Millions of
// lines cost little more than their text, and appending never copies what
// is already kept. Toolkit-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TlignesAffichees {
public:
    void ajouter(std::string_view ligne);
    void vider();
    // The lines of a whole text: CR LF, lone LF or lone CR end a line; a
    // break at the very end starts no further line.
    void remplacer(std::string_view texte);

    int64_t nombre() const { return static_cast<int64_t>(debuts.size()); }
    bool vide() const { return debuts.empty(); }
    // Line i, 0 <= i < nombre(); valid until the next change.
    std::string_view ligne(int64_t i) const;
    // The whole text, lines joined by CR LF.
    std::string texte() const;
    // Bytes of text kept.
    uint64_t octetsTexte() const { return octets; }
    // The memory the lines take: their bytes and their offsets.
    uint64_t memoire() const { return octets + 4 * debuts.size(); }

private:
    struct Tbloc {
        std::string octets;
        int64_t premiereLigne = 0;
    };
    Tbloc& blocPour(size_t taille);

    std::vector<Tbloc> blocs;
    std::vector<uint32_t> debuts;   // each line's offset in its block
    uint64_t octets = 0;
};
