#include "execution/pas.h"

#include "execution/pas_en_ligne.h"

void executerPas(TdonneesCommunes& d) {
    if (d.modeExecution == executionCommentee)
        execution::pas<true>(d);
    else
        execution::pas<false>(d);
}

void executerPasNormal(TdonneesCommunes& d) { execution::pas<false>(d); }
