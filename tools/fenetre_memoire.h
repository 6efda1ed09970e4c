// The window operations held in memory: for the console runner and the tests.
// Message boxes and dialogs answer from scripted queues and are logged.
#pragma once

#include "base/fenetre.h"

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TfenetreMemoire : public Tfenetre {
public:
    // Editor.
    std::vector<std::string> lignesEditeur;
    bool modifie = false;
    bool lectureSeule = false;
    std::vector<std::pair<int32_t, int32_t>> selections;   // (start, length), in order
    std::vector<int32_t> lignesSelectionnees;              // the line each selection starts on
    // Display pane.
    std::vector<std::string> lignesAffichage;
    // Captions and menu items.
    std::string fenetre = "Trevane";
    std::string affichages = "Affichages";
    std::string programme = "Programme";
    std::string note;
    bool poursuivreActif = false;
    bool informationsCochee = false;
    bool resultatCoche = false;
    // Boxes: answers to come, and what was shown (text, caption).
    std::deque<bool> reponsesConfirmation;                 // empty: No
    std::vector<std::pair<std::string, std::string>> messages;
    std::vector<std::pair<std::string, std::string>> confirmations;
    std::vector<std::string> erreurs;
    // Dialogs: each entry answers one dialog, nullopt (or none left) cancels.
    std::deque<std::optional<std::string>> cheminsOuverture;
    std::deque<std::optional<std::string>> cheminsEnregistrement;

    // The user types: replaces the editor's text and sets the modified flag.
    void taper(const std::string& texte);
    // The editor line holding character `debut`, counted as selections count.
    int32_t ligneALaPosition(int32_t debut) const;

    std::string texteEditeur() override;
    void remplacerTexteEditeur(const std::string& texte) override;
    int32_t nombreLignesEditeur() override;
    std::string ligneEditeur(int32_t i) override;
    void ajouterLigneEditeur(const std::string& ligne) override;
    bool editeurModifie() override { return modifie; }
    void effacerModificationEditeur() override { modifie = false; }
    void editeurLectureSeule(bool lecture) override { lectureSeule = lecture; }
    void selectionnerDansEditeur(int32_t debut, int32_t longueur) override;

    void ajouterAffichage(const std::string& ligne) override { lignesAffichage.push_back(ligne); }
    void viderAffichage() override { lignesAffichage.clear(); }
    std::string texteAffichage() override;
    void remplacerTexteAffichage(const std::string& texte) override;

    void legendeFenetre(const std::string& texte) override { fenetre = texte; }
    void legendeAffichages(const std::string& texte) override { affichages = texte; }
    void legendeProgramme(const std::string& texte) override { programme = texte; }
    std::string legendeProgrammeActuelle() override { return programme; }
    // Paths shown through the code page, as any other text held here.
    void legendeFenetreAvecChemin(const std::string& debut, const std::string& chemin) override;
    void legendeProgrammeAvecNom(const std::string& nom) override;
    void afficherNote(const std::string& texte) override { note = texte; }

    void activerPoursuivreArreter(bool actifs) override { poursuivreActif = actifs; }
    bool poursuivreArreterActifs() override { return poursuivreActif; }
    void cocherInformations(bool coche) override { informationsCochee = coche; }
    void cocherResultat(bool coche) override { resultatCoche = coche; }

    void afficherMessage(const std::string& texte, const std::string& legende) override;
    bool demanderConfirmation(const std::string& texte, const std::string& legende) override;
    void afficherErreur(const std::string& texte) override { erreurs.push_back(texte); }

    bool choisirFichierAOuvrir(std::string& chemin) override;
    bool choisirFichierAEnregistrer(std::string& chemin) override;
    Tlecture lireFichier(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) override;
    bool ecrireFichier(const std::string& chemin, const std::string& octets, std::string& raison) override;
    bool fichierExiste(const std::string& chemin) override;
};

// Whole-file access on the local file system, shared by the console tools
// and the in-memory window. A write goes to a new file of an unpredictable
// name in the same folder (creerProvisoire) that replaces the target only
// once complete: a failure leaves the old file, and no temporary one.
bool lireFichierOctets(const std::string& chemin, std::string& octets);
bool ecrireFichierOctets(const std::string& chemin, const std::string& octets);
