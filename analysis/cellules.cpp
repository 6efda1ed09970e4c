#include "analysis/cellules.h"

#include "base/donnees.h"
#include "base/messages.h"

bool allouerEntiers(TdonneesCommunes& d, int64_t nombre, int32_t valeur) {
    if (nombre < 0 || static_cast<int64_t>(d.entierLibre) + nombre - 1 > derniereCaseEntiere) {
        return signalerErreur(d, errCapacites);
    }
    for (int64_t k = 0; k < nombre; ++k)
        d.entiers[d.entierLibre + k] = valeur;
    d.entierLibre += static_cast<int32_t>(nombre);
    return true;
}

bool allouerReels(TdonneesCommunes& d, int64_t nombre, double valeur) {
    if (nombre < 0 || static_cast<int64_t>(d.reelLibre) + nombre - 1 > derniereCaseReelle) {
        return signalerErreur(d, errCapacites);
    }
    for (int64_t k = 0; k < nombre; ++k)
        caseReelle(d, static_cast<int32_t>(d.reelLibre + k)) = valeur;
    d.reelLibre += static_cast<int32_t>(nombre);
    return true;
}

void recommencerAllocations(TdonneesCommunes& d) {
    d.entierLibre = 1;
    d.reelLibre = premiereCaseReelle;
    d.conditionLibre = 1;
    d.codeLibre = 1;
    d.nbVariables = 0;
    allouerEntiers(d, 1, 0);
    allouerReels(d, 1, 3.141592653589793);
}
