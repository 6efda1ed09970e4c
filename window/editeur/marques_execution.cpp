#include "window/editeur/marques_execution.h"

#include "base/fenetre.h"
#include "window/editeur/marge_lignes.h"

void TmarquesExecution::commencer(const TdonneesCommunes& d) {
    lancement = true;
    analyseReussie = d.codeErreur == 0;
    derniereExecutee = -1;
    marge->effacerMarques();
}

void TmarquesExecution::oublierProgramme() {
    lancement = false;
    analyseReussie = false;
}

void TmarquesExecution::apresExecution(const TdonneesCommunes& d) {
    const bool debut = lancement;
    lancement = false;
    if (debut && d.codeErreur != 0) {
        if (d.ligneErreur != aucuneLigne)
            marge->marquerErreur(d.ligneErreur);
        return;
    }
    if (!analyseReussie)
        return;   // no marks since the failed analysis or the program's change
    if (d.modeExecution == executionCommentee) {
        const bool attend = d.erreurExecution == 0 && d.ligneCourante != aucuneLigne && d.fenetre &&
                            d.fenetre->poursuivreArreterActifs();
        marge->marquer(derniereExecutee, attend ? d.ligneCourante : -1);
    }
    if (d.erreurExecution != 0 && d.ligneErreur != aucuneLigne)
        marge->marquerErreur(d.ligneErreur);
}
