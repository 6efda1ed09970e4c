// The window operations for the web edition: what the Qt window shows
// (window/fenetre_qt.*), held here for a page to read after each command.
// The editor is a list of lines the page replaces as the user types, and
// whether a line break ends the text, as the Qt editor keeps it; the
// pane keeps its lines (commands/lignes_affichees.h) and counts those the
// page has not read yet. Files are bytes in memory: the page gives a file's
// bytes before it is opened and takes those a save wrote. Boxes are noted
// for the page, and a question is answered from the answers the page gave
// beforehand (none left: No). Texts are Windows-1252, as the core's.
#pragma once

#include "base/fenetre.h"
#include "commands/lignes_affichees.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class TfenetreWeb : public Tfenetre {
public:
    // Editor.
    std::vector<std::string> lignesEditeur;
    bool sautFinal = false;           // the text ends with a line break (an empty last line in the editor)
    bool modifie = false;
    bool lectureSeule = false;
    bool editeurRemplace = false;     // the core changed the text since the page last read it
    std::optional<std::pair<int32_t, int32_t>> selection;   // (start, length) of the last selection
    // Display pane: the lines since the last read start at `lignesLues`;
    // `affichageRemplace` when the pane was emptied or replaced meanwhile.
    TlignesAffichees affichage;
    int64_t lignesLues = 0;
    bool affichageRemplace = false;
    uint64_t borneAffichage = uint64_t{256} << 20;
    // Captions, the status line and the menu items.
    std::string fenetre = "Trevane";
    std::string affichages = "Affichages";
    std::string programme = "Programme";
    std::string note;
    bool poursuivreActif = false;
    bool informationsCochee = false;
    bool resultatCoche = false;
    // Boxes shown since the last read: (kind, text, caption), kind one of
    // "message", "confirmation", "erreur"; answers to the questions to come.
    std::vector<std::vector<std::string>> boites;
    std::deque<bool> reponses;
    // Files: their bytes by path; what the next dialog answers (none: cancel);
    // the paths written since the last read.
    std::map<std::string, std::string> fichiers;
    std::optional<std::string> cheminAOuvrir, cheminAEnregistrer;
    std::vector<std::string> fichiersEcrits;

    // The user types: the editor's whole text (Windows-1252), marked modified.
    void taper(const std::string& texte);
    // The editor line holding character `debut`, counted as selections count.
    int32_t ligneALaPosition(int32_t debut) const;

    std::string texteEditeur() override;
    void remplacerTexteEditeur(const std::string& texte) override;
    int32_t nombreLignesEditeur() override { return static_cast<int32_t>(lignesEditeur.size()); }
    std::string ligneEditeur(int32_t i) override;
    void ajouterLigneEditeur(const std::string& ligne) override;
    bool editeurModifie() override { return modifie; }
    void effacerModificationEditeur() override { modifie = false; }
    void editeurLectureSeule(bool lecture) override { lectureSeule = lecture; }
    void selectionnerDansEditeur(int32_t debut, int32_t longueur) override { selection.emplace(debut, longueur); }

    void ajouterAffichage(const std::string& ligne) override { affichage.ajouter(ligne); }
    void viderAffichage() override;
    std::string texteAffichage() override { return affichage.texte(); }
    void remplacerTexteAffichage(const std::string& texte) override;
    bool affichagePlein() override { return affichage.memoire() >= borneAffichage; }

    void legendeFenetre(const std::string& texte) override { fenetre = texte; }
    void legendeAffichages(const std::string& texte) override { affichages = texte; }
    void legendeProgramme(const std::string& texte) override { programme = texte; }
    std::string legendeProgrammeActuelle() override { return programme; }
    void legendeFenetreAvecChemin(const std::string& debut, const std::string& chemin) override;
    void legendeProgrammeAvecNom(const std::string& nom) override;
    void afficherNote(const std::string& texte) override { note = texte; }

    void activerPoursuivreArreter(bool actifs) override { poursuivreActif = actifs; }
    bool poursuivreArreterActifs() override { return poursuivreActif; }
    void cocherInformations(bool coche) override { informationsCochee = coche; }
    void cocherResultat(bool coche) override { resultatCoche = coche; }

    void afficherMessage(const std::string& texte, const std::string& legende) override;
    bool demanderConfirmation(const std::string& texte, const std::string& legende) override;
    void afficherErreur(const std::string& texte) override;

    bool choisirFichierAOuvrir(std::string& chemin) override;
    bool choisirFichierAEnregistrer(std::string& chemin) override;
    Tlecture lireFichier(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) override;
    bool ecrireFichier(const std::string& chemin, const std::string& octets, std::string& raison) override;
    bool fichierExiste(const std::string& chemin) override { return fichiers.count(chemin) != 0; }
};
