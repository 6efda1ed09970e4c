#include "execution/controle.h"

#include "analysis/programme.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "base/messages.h"
#include "evaluation/formats.h"
#include "execution/affichages.h"
#include "execution/moteur/decodage.h"
#include "execution/historique.h"
#include "execution/pas.h"
#include "execution/points_arret.h"
#include "execution/suivi.h"


namespace {

// The fixed lines of the run reports (Windows-1252).
struct Trapports {
    std::string erreurAnalyse = depuisUtf8("Erreur à l'analyse du programme");
    std::string erreurExecution = depuisUtf8("Erreur à l'exécution du programme");
    std::string terminee = depuisUtf8("Exécution terminée.");
    std::string executees = depuisUtf8("Instructions exécutées : ");
    std::string arretee = depuisUtf8("Exécution arrêtée.");
    std::string nombre = depuisUtf8("Nombre d'instructions exécutées : ");
    std::string suspendue = depuisUtf8("Exécution suspendue après ");
    std::string millions = depuisUtf8(" millions d'instructions.");
    std::string affichagesPleins = depuisUtf8("Exécution suspendue : le panneau des affichages est plein.");
};

const Trapports& rapports() {
    static const Trapports r;
    return r;
}

// The instruction count of the run, unsigned (it wraps at 2^32).
uint32_t nombrePas(const TdonneesCommunes& d) { return static_cast<uint32_t>(d.nbPas); }

void rapportErreur(TdonneesCommunes& d) {
    ajouterLigneAffichage(d, rapports().erreurExecution);
    ajouterLigneAffichage(d, messageExecution(d.erreurExecution));
    if (d.ligneErreur != aucuneLigne)
        selectionnerLigne(d, d.ligneErreur);
    d.fenetre->editeurLectureSeule(false);
}

void rapportFin(TdonneesCommunes& d) {
    d.fenetre->activerPoursuivreArreter(false);
    ajouterLigneAffichage(d, rapports().terminee);
    ajouterLigneAffichage(d, rapports().executees + naturelEnTexte(nombrePas(d)));
    d.fenetre->editeurLectureSeule(false);
}

// Every line of a run goes to the results: a run continued or stopped while
// the reference text is shown first brings the results back, as starting
// one does.
void montrerResultats(TdonneesCommunes& d) {
    if (d.modeAffichage != modeResultats)
        choisirAffichage(d, modeResultats);
}

// A run that stops before a breakpoint line waits as a suspended one does,
// and resumes by running that line.
void rapportArret(TdonneesCommunes& d) {
    d.fenetre->activerPoursuivreArreter(true);
    ajouterLigneAffichage(d, texteArret(d.ligneCourante));
    selectionnerLigne(d, d.ligneCourante);
    d.ligneReprise = d.ligneCourante;
}

// One commented step, told to the trace.
void pasCommente(TdonneesCommunes& d) {
    if (d.ligneCourante == aucuneLigne)
        return;
    const int32_t ligne = d.ligneCourante;
    avantPas(d);
    executerPas(d);
    apresPas(d);
    if (d.suivi && d.erreurExecution == 0)
        d.suivi->noterPas(d, ligne);
}

// After the commented steps of one command: the error, the end, or the run
// waiting for the next step.
void rapportPasCommente(TdonneesCommunes& d) {
    if (d.erreurExecution != 0)
        rapportErreur(d);
    else if (d.ligneCourante == aucuneLigne)
        rapportFin(d);
    else
        d.fenetre->activerPoursuivreArreter(true);
}

} // namespace

const std::string& messageExecution(int32_t code) {
    return messageErreur(code >= premiereErreurExecution && code <= derniereErreurExecution ? code : 0);
}

bool preparerExecution(TdonneesCommunes& d, int32_t mode) {
    Tfenetre& f = *d.fenetre;
    d.resultatsSauves.clear();
    if (d.modeAffichage == modeResultats)
        f.viderAffichage();
    else
        choisirAffichage(d, modeResultats);
    f.editeurLectureSeule(true);

    analyserProgramme(d);
    preparerArrets(d);
    if (d.suivi)
        d.suivi->commencer(d);
    if (d.codeErreur != 0)
        return false;
    choisirFormes(d);
    remettreRegistres(d, mode);
    if (mode == executionCommentee)
        commencerHistorique(d);
    return true;
}

void remettreRegistres(TdonneesCommunes& d, int32_t mode) {
    d.modeExecution = mode;
    d.erreurExecution = 0;
    d.nbRetours = 0;
    d.nbPas = 0;
    d.nbPasTranche = 0;
    d.ligneCourante = d.premiereInstruction;
    d.ligneReprise = aucuneLigne;
    d.arretAtteint = false;
}

void lancerExecution(TdonneesCommunes& d, int32_t mode) {
    Tfenetre& f = *d.fenetre;
    if (preparerExecution(d, mode)) {
        poursuivreExecution(d);
        return;
    }
    ajouterLigneAffichage(d, rapports().erreurAnalyse);
    ajouterLigneAffichage(d, messageAnalyse(d.codeErreur));
    if (d.ligneErreur != aucuneLigne)
        selectionnerLigne(d, d.ligneErreur);
    f.editeurLectureSeule(false);
    // The abandoned run must not continue over the rebuilt program.
    f.activerPoursuivreArreter(false);
}

void poursuivreExecution(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    if (d.modeExecution == executionCommentee || d.modeExecution == executionNormale)
        montrerResultats(d);
    if (d.modeExecution == executionCommentee) {
        pasCommente(d);
        rapportPasCommente(d);
    } else if (d.modeExecution == executionNormale) {
        d.nbPasTranche = 0;
        d.arretAtteint = false;
        // Decided once per burst: without a trace, the fast engine alone.
        if (d.suivi && d.suivi->suitExecutionNormale())
            executerTrancheSuivie(d);
        else
            executerTranche(d);
        if (d.erreurExecution != 0) {
            rapportErreur(d);
        } else if (d.ligneCourante == aucuneLigne) {
            rapportFin(d);
        } else if (d.arretAtteint) {
            rapportArret(d);
        } else {
            d.ligneReprise = aucuneLigne;
            f.activerPoursuivreArreter(true);
            if (f.affichagePlein())
                ajouterLigneAffichage(d, rapports().affichagesPleins);
            else
                ajouterLigneAffichage(d, rapports().suspendue + naturelEnTexte(nombrePas(d) / 1000000u) +
                                             rapports().millions);
        }
    }
    // Any other mode: no run was ever started, there is nothing to continue.
}

void poursuivreJusquAuPointArret(TdonneesCommunes& d) {
    if (!d.fenetre->poursuivreArreterActifs())
        return;   // no run waits
    if (d.modeExecution != executionCommentee) {
        poursuivreExecution(d);
        return;
    }
    montrerResultats(d);
    // At least one step, then up to the next breakpoint line, bounded as a
    // burst is and by a full pane.
    int32_t faits = 0;
    do {
        pasCommente(d);
    } while (d.erreurExecution == 0 && d.ligneCourante != aucuneLigne && !d.arrets[d.ligneCourante] &&
             !d.fenetre->affichagePlein() && ++faits < tailleTranche);
    rapportPasCommente(d);
    if (d.erreurExecution == 0 && d.ligneCourante != aucuneLigne && d.arrets[d.ligneCourante]) {
        ajouterLigneAffichage(d, texteArret(d.ligneCourante));
        selectionnerLigne(d, d.ligneCourante);
    }
}

void executerJusquAuCurseur(TdonneesCommunes& d, int32_t ligne) {
    d.arretCurseur = ligne;
    if (!d.fenetre->poursuivreArreterActifs()) {
        lancerExecution(d, executionNormale);
    } else {
        suivreArrets(d);
        poursuivreJusquAuPointArret(d);
    }
    d.arretCurseur = aucuneLigne;
    suivreArrets(d);
}

void pasPrecedent(TdonneesCommunes& d) {
    if (!d.fenetre->poursuivreArreterActifs() || !reculerPas(d))
        return;
    if (d.suivi)
        d.suivi->retirerPas(d);
    if (d.ligneCourante != aucuneLigne)
        selectionnerLigne(d, d.ligneCourante);
}

void executerAuPlus(TdonneesCommunes& d, int32_t nombre) {
    if (nombre <= 0 || d.ligneCourante == aucuneLigne)
        return;
    // A burst that has already used all but `nombre` of its steps.
    d.nbPasTranche = tailleTranche - (nombre < tailleTranche ? nombre : tailleTranche);
    executerTranche(d);
}

void arreterExecution(TdonneesCommunes& d) {
    montrerResultats(d);
    ajouterLigneAffichage(d, rapports().arretee);
    afficherNombreInstructions(d);
    d.fenetre->activerPoursuivreArreter(false);
    d.fenetre->editeurLectureSeule(false);
}

void abandonnerExecution(TdonneesCommunes& d) {
    d.fenetre->activerPoursuivreArreter(false);
    d.fenetre->editeurLectureSeule(false);
}

void afficherNombreInstructions(TdonneesCommunes& d) {
    ajouterLigneAffichage(d, rapports().nombre + naturelEnTexte(nombrePas(d)));
}
