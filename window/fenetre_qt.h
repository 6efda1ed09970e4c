// The window operations on the Qt controls of the main window. Texts cross
// as Windows-1252 bytes with CR LF between lines; paths as UTF-8.
#pragma once

#include "base/fenetre.h"
#include "window/controles_fenetre.h"

#include <QString>

#include <functional>
#include <memory>

class QLabel;
class TlignesAffichees;
class Tdialogues;


class TfenetreQt : public Tfenetre {
public:
    // `controles`: the window's, kept by reference; all made before.
    TfenetreQt(const TcontrolesFenetre& controles, std::unique_ptr<Tdialogues> dialogues);
    ~TfenetreQt() override;

    // Moves the lines appended to the display pane into it; the window calls
    // it when a command returns.
    void deverserAffichage();
    // Puts back the check marks the logic set: a click on a checkable item
    // flips its mark before the command runs.
    void retablirCoches();

    std::string texteEditeur() override;
    void remplacerTexteEditeur(const std::string& texte) override;
    int32_t nombreLignesEditeur() override;
    std::string ligneEditeur(int32_t i) override;
    void ajouterLigneEditeur(const std::string& ligne) override;
    bool editeurModifie() override;
    void effacerModificationEditeur() override;
    void editeurLectureSeule(bool lectureSeule) override;
    void selectionnerDansEditeur(int32_t debut, int32_t longueur) override;

    void ajouterAffichage(const std::string& ligne) override;
    void viderAffichage() override;
    std::string texteAffichage() override;
    void remplacerTexteAffichage(const std::string& texte) override;
    bool affichagePlein() override;
    void garderAffichage(std::string& texte) override;
    void rendreAffichage(const std::string& texte) override;

    void legendeFenetre(const std::string& texte) override;
    void legendeAffichages(const std::string& texte) override;
    void legendeProgramme(const std::string& texte) override;
    std::string legendeProgrammeActuelle() override;
    void legendeFenetreAvecChemin(const std::string& debut, const std::string& chemin) override;
    void legendeProgrammeAvecNom(const std::string& nom) override;
    void afficherNote(const std::string& texte) override;

    void activerPoursuivreArreter(bool actifs) override;
    bool poursuivreArreterActifs() override;
    void cocherInformations(bool coche) override;
    void cocherResultat(bool coche) override;

    void afficherMessage(const std::string& texte, const std::string& legende) override;
    bool demanderConfirmation(const std::string& texte, const std::string& legende) override;
    void afficherErreur(const std::string& texte) override;

    bool choisirFichierAOuvrir(std::string& chemin) override;
    bool choisirFichierAEnregistrer(std::string& chemin) override;
    Tlecture lireFichier(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) override;
    bool ecrireFichier(const std::string& chemin, const std::string& octets, std::string& raison) override;
    bool fichierExiste(const std::string& chemin) override;

    // The folder of the file last opened or saved, where both file dialogs
    // start (and where the trace export is proposed for a program with no
    // file); the window notes a file named on the command line here too.
    const QString& dossierCourant() const { return dossier; }
    void noterDossier(const QString& cheminFichier);

    void fichierUtilise(const std::string& chemin) override;

    // Told of every program file opened or saved (recent files, last folder).
    std::function<void(const QString&)> quandFichierUtilise;

private:
    const TcontrolesFenetre& c;
    std::unique_ptr<Tdialogues> dialogues;
    bool informationsCochee = false;
    bool resultatCoche = false;
    QString dossier;
    QLabel* note = nullptr;       // the status bar's line, once there is one
    // A large results text kept aside as it is, and the token that names it.
    std::unique_ptr<TlignesAffichees> affichageDeCote;
    std::string jetonDeCote;
};
