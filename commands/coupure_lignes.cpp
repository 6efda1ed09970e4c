#include "commands/coupure_lignes.h"

namespace {

float largeurDe(const TlargeursCaracteres& largeurs, char c) { return largeurs[static_cast<unsigned char>(c)]; }

} // namespace

std::vector<int32_t> coupuresLigne(std::string_view ligne, const TlargeursCaracteres& largeurs, float largeur) {
    std::vector<int32_t> rangs{0};
    const size_t n = ligne.size();
    float x = 0;   // width taken in the current row
    bool motDansLeRang = false;   // the row holds more than blanks
    size_t i = 0;
    while (i < n) {
        if (ligne[i] == ' ') {
            x += largeurDe(largeurs, ' ');
            ++i;
            continue;
        }
        size_t fin = i;
        float mot = 0;
        while (fin < n && ligne[fin] != ' ')
            mot += largeurDe(largeurs, ligne[fin++]);
        if (x + mot <= largeur) {
            x += mot;
            i = fin;
            motDansLeRang = true;
            continue;
        }
        if (motDansLeRang) {
            // The word goes to the next row, whole if it fits there.
            rangs.push_back(static_cast<int32_t>(i));
            x = 0;
            if (mot <= largeur) {
                x = mot;
                i = fin;
                continue;
            }
        }
        motDansLeRang = true;
        // Wider than a row: broken anywhere, at least one character a row.
        for (; i < fin; ++i) {
            const float c = largeurDe(largeurs, ligne[i]);
            if (x + c > largeur && static_cast<size_t>(rangs.back()) != i) {
                rangs.push_back(static_cast<int32_t>(i));
                x = 0;
            }
            x += c;
        }
    }
    return rangs;
}

float largeurTexte(std::string_view texte, const TlargeursCaracteres& largeurs) {
    float x = 0;
    for (const char c : texte)
        x += largeurDe(largeurs, c);
    return x;
}

int32_t colonneA(std::string_view texte, const TlargeursCaracteres& largeurs, float x) {
    float gauche = 0;
    int32_t i = 0;
    for (const char c : texte) {
        const float l = largeurDe(largeurs, c);
        if (gauche + l / 2 > x)
            return i;
        gauche += l;
        ++i;
    }
    return i;
}
