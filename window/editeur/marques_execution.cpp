#include "window/editeur/marques_execution.h"

#include "base/fenetre.h"
#include "execution/points_arret.h"
#include "window/editeur/marge_lignes.h"

void TmarquesExecution::commencer(const TdonneesCommunes& d) {
    lancement = true;
    analyseReussie = d.codeErreur == 0;
    derniereExecutee = -1;
    marge->effacerMarques();
}

void TmarquesExecution::oublierProgramme() {
    marge->montrerPointsArret({});   // the core forgot them with the program
    lancement = false;
    analyseReussie = false;
}

void TmarquesExecution::montrerPointsArret(const TdonneesCommunes& d) {
    std::vector<int> lignes;
    if (analyseReussie) {
        for (int32_t ligne = 0; ligne < nbLignesMax; ++ligne)
            if (d.arrets[ligne])
                lignes.push_back(ligne);
    } else {
        for (const int32_t ligne : lignesMarquees(d))
            lignes.push_back(ligne);
    }
    marge->montrerPointsArret(lignes);
}

void TmarquesExecution::apresExecution(const TdonneesCommunes& d) {
    montrerPointsArret(d);
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
    } else if (d.ligneReprise != aucuneLigne && d.fenetre && d.fenetre->poursuivreArreterActifs()) {
        // A normal run waiting at a breakpoint: the line that runs next.
        marge->marquer(-1, d.ligneReprise);
    }
    if (d.erreurExecution != 0 && d.ligneErreur != aucuneLigne)
        marge->marquerErreur(d.ligneErreur);
}
