#include "window/fichiers.h"

#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "analysis/fenetre.h"
#include "analysis/lignes.h"
#include "analysis/messages.h"
#include "window/affichages.h"
#include "window/textes.h"

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
void signalerEchec(TdonneesCommunes& d, const std::string& debut, const std::string& chemin,
                   const std::string& raison = {}) {
    std::string message = debut + depuisUtf8(chemin);
    if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
        message += '.';
    if (!raison.empty())
        message += "\r\n" + raison;
    d.fenetre->afficherErreur(message);
}

// The editor takes seconds per hundred thousand lines, and no program runs
// past line 1000: a file of more lines than this, with text after line
// 1000, is refused before the editor is touched rather than freezing the
// window for minutes.
constexpr size_t lignesOuvrablesMax = 100000;

bool tropLongPourEtreOuvert(const std::string& texte) {
    const std::vector<std::string> lignes = decouperLignes(texte);
    if (lignes.size() <= lignesOuvrablesMax)
        return false;
    size_t derniere = lignes.size();
    while (derniere > 0 && lignes[derniere - 1].find_first_not_of(' ') == std::string::npos)
        --derniere;
    return derniere > static_cast<size_t>(nbLignesMax);
}

void legendeAvecFichier(TdonneesCommunes& d) {
    d.fenetre->legendeFenetre("Trevane - " + depuisUtf8(d.nomFichier));
}

// Loads `fichierChoisi` into the editor; false (after the error box) when the
// file cannot be read.
bool chargerProgramme(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    d.resultatsSauves.clear();
    if (d.modeAffichage == modeResultats)
        f.viderAffichage();
    choisirAffichage(d, modeResultats);

    std::string octets;
    if (!f.lireFichier(d.fichierChoisi, octets)) {
        static const std::string message = depuisUtf8("Impossible d'ouvrir le fichier ");
        signalerEchec(d, message, d.fichierChoisi);
        return false;
    }
    if (tropLongPourEtreOuvert(octets)) {
        static const std::string message = depuisUtf8("Impossible d'ouvrir le fichier ");
        signalerEchec(d, message, d.fichierChoisi, messageAnalyse(errTropDeLignes));
        return false;
    }
    f.remplacerTexteEditeur(normaliserSautsDeLigne(octets));
    d.nomFichier = d.fichierChoisi;
    f.legendeProgramme(depuisUtf8(nomProgramme(d.nomFichier)));
    f.effacerModificationEditeur();
    f.fichierUtilise(d.nomFichier);
    return true;
}

// Open, once the file is chosen.
void ouvrirChoisi(TdonneesCommunes& d, const std::string& chemin) {
    d.fichierChoisi = chemin;
    d.fenetre->effacerModificationEditeur();
    if (chargerProgramme(d))
        legendeAvecFichier(d);
}

} // namespace

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
    d.nomFichier.clear();
    d.fichierChoisi.clear();
    d.resultatsSauves.clear();
    if (d.modeAffichage == modeResultats)
        f.viderAffichage();
    modeleNouveauProgramme(d);
    f.legendeFenetre("Trevane");
    return true;
}

void ouvrirProgramme(TdonneesCommunes& d) { chargerProgramme(d); }

bool enregistrerProgramme(TdonneesCommunes& d) {
    Tfenetre& f = *d.fenetre;
    // What is written is what the editor shows, line ends as CR LF; the
    // modified flag stays set when the write fails, as nothing was saved.
    if (!f.ecrireFichier(d.fichierChoisi, normaliserSautsDeLigne(f.texteEditeur()))) {
        static const std::string message = depuisUtf8("Impossible de créer le fichier ");
        signalerEchec(d, message, d.fichierChoisi);
        return false;
    }
    f.effacerModificationEditeur();
    d.nomFichier = d.fichierChoisi;
    f.legendeProgramme(depuisUtf8(nomProgramme(d.nomFichier)));
    f.fichierUtilise(d.nomFichier);
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
    d.nomFichier = chemin;
    d.fichierChoisi = chemin;
    if (chemin.empty()) {
        f.legendeProgramme(legendeNouveau());
        f.legendeFenetre("Trevane");
    } else {
        f.legendeProgramme(depuisUtf8(nomProgramme(chemin)));
        legendeAvecFichier(d);
    }
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
    std::string chemin;
    if (!d.fenetre->choisirFichierAEnregistrer(chemin))
        return;
    d.fichierChoisi = appliquerExtension(chemin);
    if (enregistrerProgramme(d))
        legendeAvecFichier(d);
}
