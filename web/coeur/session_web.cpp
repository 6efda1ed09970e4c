#include "web/coeur/session_web.h"

#include "base/codage.h"
#include "commands/fichiers.h"
#include "commands/session.h"
#include "execution/affichages.h"
#include "execution/controle.h"
#include "execution/points_arret.h"
#include "execution/suivi_csv.h"
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
    suivreTexte();
}

void TsessionWeb::chargerFichier(const std::string& chemin, const std::string& octets) {
    fenetre.fichiers[chemin] = octets;
    ouvrirFichierNomme(*d, chemin);
    suivreTexte();
}

void TsessionWeb::nouveau() {
    itemNouveauClick(*d);
    suivreTexte();
}

void TsessionWeb::taper(const std::string& texte) {
    fenetre.taper(texte);
    marques.texteModifie();
}

void TsessionWeb::suivreTexte() {
    if (fenetre.editeurRemplace)
        marques.texteModifie();
}

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

void TsessionWeb::basculerPointArret(int32_t ligne) {
    ::basculerPointArret(*d, ligne);
    marques.montrerPointsArret(*d);
}

void TsessionWeb::jusquAuPointArret() {
    // As the desktop enables it: only for a waiting commented run.
    if (fenetre.poursuivreActif && d->modeExecution == executionCommentee)
        poursuivreJusquAuPointArret(*d);
    apresExecution();
}

void TsessionWeb::jusquAuCurseur(int32_t ligne) {
    executerJusquAuCurseur(*d, ligne);
    apresExecution();
}

void TsessionWeb::pasPrecedent() {
    ::pasPrecedent(*d);
    apresExecution();
}

void TsessionWeb::arreterAuDebut(int32_t mode) {
    preparerExecution(*d, mode);
    arreterExecution(*d);
    apresExecution();
}

void TsessionWeb::afficher(uint8_t mode) { choisirAffichage(*d, mode); }

void TsessionWeb::ouvrirExemple(const std::string& octets) {
    ::ouvrirExemple(*d, octets);
    suivreTexte();
}

void TsessionWeb::restaurer(const std::string& texte, const std::string& chemin) {
    restaurerProgramme(*d, texte, chemin);
    fenetre.modifie = true;
    suivreTexte();
}

bool TsessionWeb::exporterSuivi(std::string& nom, std::string& octets) {
    if (suivi.nombre() == 0) {
        fenetre.afficherMessage(depuisUtf8("Aucun pas commenté à exporter"), "Exporter le suivi");
        return false;
    }
    // Named after the program, as the desktop proposes it.
    nom = d->nomFichier.empty() ? "suivi.csv" : nomProgramme(d->nomFichier) + "-suivi.csv";
    octets = std::string(bomUtf8) + enteteCsv(suivi.colonnesSuivi());
    for (const TligneSuivi& ligne : suivi.lignesSuivi())
        octets += ligneCsv(suivi.colonnesSuivi(), ligne);
    if (suivi.tronque())
        octets += ligneCsvTronquee;
    return true;
}

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
    marques.commencer(donnees);
    viderSuivi();
    analyseReussie = donnees.codeErreur == 0;
    analyseEchouee = !analyseReussie;
    if (!analyseReussie)
        return;
    variables.commencer(donnees);
    suivi.commencer(colonnesSuivi(donnees));
}

void TsessionWeb::noterPas(const TdonneesCommunes& donnees, int32_t ligne) {
    marques.noterPas(donnees, ligne);
    suivi.ajouter(ligneSuivi(donnees, suivi.colonnesSuivi(), ligne));
}

void TsessionWeb::oublierProgramme() {
    lancement = false;
    analyseEchouee = false;
    marques.oublierProgramme();
    viderSuivi();
}

void TsessionWeb::retirerPas(const TdonneesCommunes& donnees) {
    marques.retirerPas(donnees);
    // Only a step that had its row (the trace may be cut); the page reads
    // the rows again.
    const auto& lignes = suivi.lignesSuivi();
    if (!lignes.empty() && lignes.back().pas > static_cast<uint32_t>(donnees.nbPas)) {
        suivi.retirer();
        suiviLues = 0;
        suiviRecommence = true;
    }
}

void TsessionWeb::apresExecution() {
    marques.apresExecution(*d);
    const bool debut = lancement;
    lancement = false;
    if (!analyseReussie)
        return;
    if (debut || d->nbPas != pasVus) {
        variables.mettreAJour(*d);
        pasVus = d->nbPas;
    }
}
