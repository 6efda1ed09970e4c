#include "commands/fichiers.h"

#include "base/codage.h"
#include "base/decodage_fichier.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "base/lignes.h"
#include "base/messages.h"
#include "execution/affichages.h"
#include "execution/controle.h"
#include "execution/points_arret.h"
#include "execution/suivi.h"
#include "execution/textes.h"

namespace {

constexpr char separateurDossiers = '/';
const std::string extension = ".txt";

const std::string& legendeNouveau() {
    static const std::string texte = depuisUtf8("Nouveau programme");
    return texte;
}

bool finitParSautDeLigne(const std::string& texte) {
    return !texte.empty() && (texte.back() == '\n' || texte.back() == '\r');
}

// The lines of a text joined by CR LF; a final line break is kept, so that a
// file read and written again comes back byte for byte when it used CR LF.
std::string normaliserSautsDeLigne(const std::string& texte) {
    std::string normal = joindreLignes(decouperLignes(texte));
    if (finitParSautDeLigne(texte))
        normal += "\r\n";
    return normal;
}

// The toolkit's error report: the message, with a full stop when its last
// character sorts after ".".
// A reason, when given, follows on a line of its own.
std::string messageEchec(const std::string& debut, const std::string& chemin, const std::string& raison) {
    std::string message = debut + depuisUtf8(chemin);
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        message += '.';
    if (!raison.empty())
        message += "\r\n" + raison;
    return message;
}

void signalerEchec(TdonneesCommunes& d, const std::string& debut, const std::string& chemin,
                   const std::string& raison = {}) {
    d.fenetre->afficherErreur(messageEchec(debut, chemin, raison));
}

const std::string& debutEchecCreation() {
    static const std::string texte = depuisUtf8("Impossible de créer le fichier ");
    return texte;
}

// The panels that follow runs forget the program given up, and its
// breakpoints go with it.
void programmeRemplace(TdonneesCommunes& d) {
    effacerPointsArret(d);
    if (d.suivi)
        d.suivi->oublierProgramme();
}

void legendeAvecFichier(TdonneesCommunes& d) { d.fenetre->legendeFenetreAvecChemin("Trevane - ", d.nomFichier); }

// Save under a new name asks before it replaces a file other than the
// program's own: the extension rule may have turned the name typed into
// that of another program.
bool confirmerRemplacement(TdonneesCommunes& d, const std::string& chemin) {
    return d.fenetre->demanderConfirmation(questionRemplacement(chemin), "Attention");
}

// Loads `fichierChoisi` into the editor; false (after the error box) when the
// file cannot be read.
bool chargerProgramme(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    d.resultatsSauves.clear();
    if (d.modeAffichage == modeResultats)
        f.viderAffichage();
    choisirAffichage(d, modeResultats);

    TfichierDecode lu;
    static const std::string message = depuisUtf8("Impossible d'ouvrir le fichier ");
    switch (f.lireFichier(d.fichierChoisi, lignesOuvrablesMax, lu)) {
    case Tlecture::complete:
        break;
    case Tlecture::tropDeLignes:
        signalerEchec(d, message, d.fichierChoisi, messageAnalyse(errTropDeLignes));
        return false;
    case Tlecture::tropGrand:
        signalerEchec(d, message, d.fichierChoisi, raisonFichierTropGrand);
        return false;
    case Tlecture::illisible:
        signalerEchec(d, message, d.fichierChoisi);
        return false;
    }
    // A file from another editor (UTF-8, UTF-16, tabs) came converted: the
    // user is told so.
    f.remplacerTexteEditeur(normaliserSautsDeLigne(lu.texte));
    programmeRemplace(d);
    d.nomFichier = d.fichierChoisi;
    f.legendeProgrammeAvecNom(nomProgramme(d.nomFichier));
    f.effacerModificationEditeur();
    f.afficherNote(noteDecodage(lu));
    f.fichierUtilise(d.nomFichier);
    return true;
}

// Open, once the file is chosen.
void ouvrirChoisi(TdonneesCommunes& d, const std::string& chemin) {
    // A waiting run belongs to the program given up.
    abandonnerExecution(d);
    d.fichierChoisi = chemin;
    d.fenetre->effacerModificationEditeur();
    if (chargerProgramme(d))
        legendeAvecFichier(d);
}

} // namespace

std::string messageEchecCreation(const std::string& chemin, const std::string& raison) {
    return messageEchec(debutEchecCreation(), chemin, raison);
}

std::string questionRemplacement(const std::string& chemin) {
    static const std::string debut = depuisUtf8("Le fichier ");
    static const std::string fin = depuisUtf8(" existe déjà.\r\nVoulez-vous le remplacer ?");
    return debut + depuisUtf8(chemin) + fin;
}

bool confirmerAbandon(TdonneesCommunes& d) {
    static const std::string texte = depuisUtf8(
        "Le programme a été modifié depuis la dernière sauvegarde.\r\n"
        "Renoncez-vous à enregistrer ces modifications ?");
    return d.fenetre->demanderConfirmation(texte, "Attention");
}

std::string nomProgramme(const std::string& chemin) {
    const size_t separateur = chemin.rfind(separateurDossiers);
    std::string nom = separateur == std::string::npos ? chemin : chemin.substr(separateur + 1);
    const size_t position = nom.find(extension);
    if (position != std::string::npos)
        nom.erase(position, extension.size());
    return nom;
}

std::string appliquerExtension(const std::string& chemin) {
    const size_t separateur = chemin.rfind(separateurDossiers);
    const size_t debutNom = separateur == std::string::npos ? 0 : separateur + 1;
    std::string dossier = chemin.substr(0, debutNom);
    std::string nom = chemin.substr(debutNom);
    const size_t position = nom.find(extension);
    if (position != std::string::npos && position + extension.size() == nom.size())
        return chemin;
    const size_t point = nom.find('.');
    if (point != std::string::npos)
        nom.erase(point);
    return dossier + nom + extension;
}

bool nouveauProgramme(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    if (f.editeurModifie() && !confirmerAbandon(d))
        return false;
    // A waiting run belongs to the program given up.
    abandonnerExecution(d);
    d.nomFichier.clear();
    d.fichierChoisi.clear();
    d.resultatsSauves.clear();
    if (d.modeAffichage == modeResultats)
        f.viderAffichage();
    modeleNouveauProgramme(d);
    programmeRemplace(d);
    f.legendeFenetre("Trevane");
    f.afficherNote({});
    return true;
}

bool enregistrerProgramme(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    // What is written is what the editor shows, line ends as CR LF; the
    // modified flag stays set when the write fails, as nothing was saved.
    std::string raison;
    if (!f.ecrireFichier(d.fichierChoisi, normaliserSautsDeLigne(f.texteEditeur()), raison)) {
        f.afficherErreur(messageEchecCreation(d.fichierChoisi, raison));
        return false;
    }
    f.effacerModificationEditeur();
    d.nomFichier = d.fichierChoisi;
    f.legendeProgrammeAvecNom(nomProgramme(d.nomFichier));
    f.fichierUtilise(d.nomFichier);
    f.afficherNote({});   // what the Open converted is now in the file
    return true;
}

void ouvrirFichierNomme(TdonneesCommunes& d, const std::string& chemin) {
    if (d.fenetre->editeurModifie() && !confirmerAbandon(d))
        return;
    ouvrirChoisi(d, chemin);
}

void restaurerProgramme(TdonneesCommunes& d, const std::string& texte, const std::string& chemin) {
    Tfenetre& f = *d.fenetre;
    f.remplacerTexteEditeur(texte);
    programmeRemplace(d);
    d.nomFichier = chemin;
    d.fichierChoisi = chemin;
    if (chemin.empty()) {
        f.legendeProgramme(legendeNouveau());
        f.legendeFenetre("Trevane");
    } else {
        f.legendeProgrammeAvecNom(nomProgramme(chemin));
        legendeAvecFichier(d);
    }
}

void ouvrirExemple(TdonneesCommunes& d, const std::string& texte) {
    if (!nouveauProgramme(d))
        return;
    d.fenetre->remplacerTexteEditeur(texte);
    d.fenetre->effacerModificationEditeur();
}

void itemNouveauClick(TdonneesCommunes& d) { nouveauProgramme(d); }

void itemOuvrirClick(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    if (f.editeurModifie() && !confirmerAbandon(d))
        return;
    std::string chemin;
    if (!f.choisirFichierAOuvrir(chemin))
        return;
    ouvrirChoisi(d, chemin);
}

void itemEnregistrerClick(TdonneesCommunes& d) {
    if (d.fenetre->legendeProgrammeActuelle() == legendeNouveau()) {
        itemEnregistrerSousClick(d);
        return;
    }
    d.fichierChoisi = d.nomFichier;
    enregistrerProgramme(d);
}

void itemEnregistrerSousClick(TdonneesCommunes& d) {
    std::string chemin = d.nomFichier;   // the dialog proposes the program's own file
    if (!d.fenetre->choisirFichierAEnregistrer(chemin))
        return;
    chemin = appliquerExtension(chemin);
    if (chemin != d.nomFichier && d.fenetre->fichierExiste(chemin) && !confirmerRemplacement(d, chemin))
        return;
    d.fichierChoisi = chemin;
    if (enregistrerProgramme(d))
        legendeAvecFichier(d);
}
