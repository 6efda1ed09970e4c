#include "analysis/desassembleur.h"

#include "base/donnees.h"
#include "base/operations.h"


std::string desassembler(const TdonneesCommunes& d, int32_t debut, int32_t fin) {
    std::string listing;
    if (debut < 1)
        debut = 1;
    if (fin > nbMotsCode + 1)
        fin = nbMotsCode + 1;
    for (int32_t w = debut; w < fin;) {
        const int32_t code = d.code[w];
        listing += std::to_string(w);
        listing += ' ';
        const TfaitsOperation* operation = faitsOperation(code);
        if (operation == nullptr) {
            // An unknown word is shown as it is, alone on its line.
            listing += "? ";
            listing += std::to_string(code);
            listing += '\n';
            ++w;
            continue;
        }
        listing += operation->nom;
        const int32_t longueur = operation->longueur();
        for (int32_t k = 1; k < longueur && w + k < fin; ++k) {
            listing += ' ';
            listing += std::to_string(d.code[w + k]);
        }
        listing += '\n';
        w += longueur;
    }
    return listing;
}
