#include "commands/marques_execution.h"

#include "base/fenetre.h"
#include "execution/points_arret.h"

void TmarquesExecution::commencer(const TdonneesCommunes& d) {
    lancement = true;
    analyseReussie = d.codeErreur == 0;
    derniereExecutee = -1;
    texteModifie();
}

void TmarquesExecution::oublierProgramme() {
    valeur.pointsArret.clear();   // the core forgot them with the program
    lancement = false;
    analyseReussie = false;
}

void TmarquesExecution::texteModifie() { valeur.executee = valeur.suivante = valeur.erreur = -1; }

void TmarquesExecution::montrerPointsArret(const TdonneesCommunes& d) {
    std::vector<int32_t>& lignes = valeur.pointsArret;
    lignes.clear();
    if (analyseReussie) {
        for (int32_t ligne = 0; ligne < nbLignesMax; ++ligne)
            if (d.arrets[ligne])
                lignes.push_back(ligne);
    } else {
        lignes = lignesMarquees(d);
    }
}

void TmarquesExecution::apresExecution(const TdonneesCommunes& d) {
    montrerPointsArret(d);
    const bool debut = lancement;
    lancement = false;
    if (debut && d.codeErreur != 0) {
        if (d.ligneErreur != aucuneLigne)
            valeur.erreur = d.ligneErreur;
        return;
    }
    if (!analyseReussie)
        return;   // no marks since the failed analysis or the program's change
    const bool attend = d.fenetre && d.fenetre->poursuivreArreterActifs();
    if (d.modeExecution == executionCommentee) {
        valeur.executee = derniereExecutee;
        valeur.suivante = attend && d.erreurExecution == 0 && d.ligneCourante != aucuneLigne ? d.ligneCourante : -1;
    } else if (d.ligneReprise != aucuneLigne && attend) {
        // A normal run waiting at a breakpoint: the line that runs next.
        valeur.executee = -1;
        valeur.suivante = d.ligneReprise;
    }
    if (d.erreurExecution != 0 && d.ligneErreur != aucuneLigne)
        valeur.erreur = d.ligneErreur;
}
