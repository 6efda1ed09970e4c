// libFuzzer target: any bytes as a program text, analysed and run in both
// modes with a step cap. Nothing may crash, hang or trip a sanitizer.
#include "analysis/donnees.h"
#include "analysis/fenetre_memoire.h"
#include "analysis/lignes.h"
#include "analysis/programme.h"
#include "execution/controle.h"
#include "execution/pas.h"
#include "expressions/hasard.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace {

// One record reused across inputs, as the window keeps one for its whole life.
TdonneesCommunes& donnees() {
    static auto d = std::make_unique<TdonneesCommunes>();
    return *d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    TfenetreMemoire fenetre;
    TdonneesCommunes& d = donnees();
    d.fenetre = &fenetre;
    initialiserHasard(d, 12345);
    fenetre.lignesEditeur = decouperLignes(std::string(reinterpret_cast<const char*>(octets), taille));

    // Normal mode, capped well below a burst.
    analyserProgramme(d);
    if (d.codeErreur == 0) {
        d.modeExecution = executionNormale;
        d.erreurExecution = 0;
        d.nbRetours = 0;
        d.nbPas = 0;
        d.ligneCourante = d.premiereInstruction;
        for (int pas = 0; pas < 20000 && d.erreurExecution == 0 && d.ligneCourante != aucuneLigne; ++pas)
            executerPas(d);
    }

    // Commented mode through run control, a few steps.
    lancerExecution(d, executionCommentee);
    for (int k = 0; k < 30 && fenetre.poursuivreActif; ++k)
        poursuivreExecution(d);
    if (fenetre.poursuivreActif)
        arreterExecution(d);
    d.fenetre = nullptr;
    return 0;
}
