#include "web/coeur/session_web.h"

#include "commands/fichiers.h"
#include "commands/session.h"
#include "execution/affichages.h"
#include "execution/controle.h"
#include "execution/textes.h"

// The web build computes every real with Treel80 (web/Makefile): a long
// double, whatever its width here, never takes part.
#include "evaluation/reel_etendu.h"
#ifndef TREVANE_ETENDU_PORTABLE
#error "the web edition computes its extended reals with Treel80 (TREVANE_REELS_PORTABLES)"
#endif

TsessionWeb::TsessionWeb(uint32_t graine) : d(std::make_unique<TdonneesCommunes>()) {
    d->fenetre = &fenetre;
    d->suivi = this;
    demarrerSession(*d, graine);
    modeleNouveauProgramme(*d);
}

void TsessionWeb::ouvrirFichier(const std::string& chemin, const std::string& octets) {
    fenetre.fichiers[chemin] = octets;
    fenetre.cheminAOuvrir = chemin;
    itemOuvrirClick(*d);
}

void TsessionWeb::chargerFichier(const std::string& chemin, const std::string& octets) {
    fenetre.fichiers[chemin] = octets;
    ouvrirFichierNomme(*d, chemin);
}

void TsessionWeb::nouveau() { itemNouveauClick(*d); }

void TsessionWeb::enregistrer(const std::string& cheminSiDemande) {
    fenetre.cheminAEnregistrer = cheminSiDemande;
    itemEnregistrerClick(*d);
    fenetre.cheminAEnregistrer.reset();
}

void TsessionWeb::enregistrerSous(const std::string& chemin) {
    fenetre.cheminAEnregistrer = chemin;
    itemEnregistrerSousClick(*d);
    fenetre.cheminAEnregistrer.reset();
}

void TsessionWeb::executer(int32_t mode) {
    lancerExecution(*d, mode);
    apresExecution();
}

void TsessionWeb::poursuivre() {
    poursuivreExecution(*d);
    apresExecution();
}

void TsessionWeb::arreter() {
    arreterExecution(*d);
    apresExecution();
}

void TsessionWeb::afficher(uint8_t mode) { choisirAffichage(*d, mode); }

void TsessionWeb::viderSuivi() {
    analyseReussie = false;
    variables.vider();
    suivi.commencer({});
    suiviLues = 0;
    suiviRecommence = true;
}

void TsessionWeb::commencer(const TdonneesCommunes& donnees) {
    lancement = true;
    pasVus = 0;
    viderSuivi();
    analyseReussie = donnees.codeErreur == 0;
    analyseEchouee = !analyseReussie;
    if (!analyseReussie)
        return;
    variables.commencer(donnees);
    suivi.commencer(colonnesSuivi(donnees));
}

void TsessionWeb::noterPas(const TdonneesCommunes& donnees, int32_t ligne) {
    suivi.ajouter(ligneSuivi(donnees, suivi.colonnesSuivi(), ligne));
}

void TsessionWeb::oublierProgramme() {
    lancement = false;
    analyseEchouee = false;
    viderSuivi();
}

void TsessionWeb::apresExecution() {
    const bool debut = lancement;
    lancement = false;
    if (!analyseReussie)
        return;
    if (debut || d->nbPas != pasVus) {
        variables.mettreAJour(*d);
        pasVus = d->nbPas;
    }
}
