#include "evaluation/evaluation.h"

#include "evaluation/evaluation_en_ligne.h"

void evaluerCode(TdonneesCommunes& d, int32_t debut, int32_t fin) { evaluation::evaluerCodeEnLigne(d, debut, fin); }

bool executerInstruction(TdonneesCommunes& d, int32_t& w) {
    if (w < 1 || w > nbMotsCode)
        return false;
    return evaluation::executerOperation(d, w);
}
