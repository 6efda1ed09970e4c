// Character offsets over the display pane's lines, as a screen reader counts
// them: the lines joined by one "\n", one character per Windows-1252 byte.
// The offset of every 256th line is kept, found as the lines are first
// asked for, so a pane of ten million lines costs some 300 kB here and no
// string of the whole text is ever made. Toolkit-free.
#pragma once

#include "commands/lignes_affichees.h"

#include <cstdint>
#include <vector>

class TindexTexte {
public:
    explicit TindexTexte(const TlignesAffichees& lignes) : lignes(lignes) {}

    // The text was emptied or replaced: what was counted is forgotten.
    // Lines appended need nothing: the offsets counted stay true.
    void oublier() { paquets.assign(1, 0); }

    // Characters of the whole text, separators included.
    int64_t longueur();
    // The offset of the start of line i (0 <= i <= nombre(); nombre() gives
    // the length plus one, as if a separator followed the last line).
    int64_t debutLigne(int64_t i);
    // The line holding offset o, and the column in it; an offset on a
    // separator is the end of its line; past the end, the end of the text.
    struct Tplace {
        int64_t ligne = 0;
        int32_t colonne = 0;
    };
    Tplace placeDe(int64_t o);

private:
    static constexpr int64_t pas = 256;
    void compterJusquA(int64_t paquet);

    const TlignesAffichees& lignes;
    std::vector<int64_t> paquets{0};   // offset of line k * pas
};
