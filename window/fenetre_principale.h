// The main window `FenetrePrincipale`: the editor on the left, the display
// pane on the right, every command in the menu bar. It owns the one
// workspace record and hands the core its controls through `TfenetreQt`.
#pragma once

#include "window/dialogues.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class TdepotFichiers;
class TediteurProgramme;
class TfenetreQt;
class TfichiersRecents;
class TpanneauAffichages;
class Tpresentation;
class Trecuperation;
class Tzoom;
class TpanneauVariables;
struct TdonneesCommunes;

class TfenetrePrincipale : public QMainWindow {
    Q_OBJECT
public:
    // `dialogues`: the modal boxes and file dialogs; Qt's own when null.
    explicit TfenetrePrincipale(std::unique_ptr<Tdialogues> dialogues = nullptr, QWidget* parent = nullptr);
    ~TfenetrePrincipale() override;

    TdonneesCommunes& donnees() { return *d; }
    // Opens a file named on the command line, once shown: as Open does,
    // without the dialog.
    void ouvrirFichier(const QString& chemin);

    // Controls, named as the core and the tests know them.
    QWidget* colonneProgramme = nullptr;
    QWidget* cadreBandeauProgramme = nullptr;
    QLabel* bandeauProgramme = nullptr;
    TediteurProgramme* editeur = nullptr;
    QSplitter* separateur = nullptr;
    QWidget* colonneAffichages = nullptr;
    QLabel* bandeauAffichages = nullptr;
    TpanneauAffichages* panneauAffichages = nullptr;
    TpanneauVariables* panneauVariables = nullptr;   // variables and trace, a dock below

    QAction* actionNouveau = nullptr;
    QAction* actionOuvrir = nullptr;
    QAction* actionEnregistrer = nullptr;
    QAction* actionEnregistrerSous = nullptr;
    QAction* actionExporterSuivi = nullptr;
    QAction* actionCopier = nullptr;
    QAction* actionColler = nullptr;
    QAction* actionSelectionnerTout = nullptr;
    QAction* actionInformations = nullptr;
    QAction* actionResultat = nullptr;
    QAction* actionVariables = nullptr;
    QAction* actionAPropos = nullptr;
    QAction* actionExecutionNormale = nullptr;
    QAction* actionPasAPas = nullptr;
    QAction* actionPoursuivre = nullptr;
    QAction* actionArreter = nullptr;

    // For the classroom: text size, projector mode, recent files, examples,
    // files dropped on the window, copies that survive a crash. A panel
    // joins the text size with `zoom->inscrire(panneau)`.
    QMenu* menuRecents = nullptr;
    QMenu* menuExemples = nullptr;
    Tzoom* zoom = nullptr;
    Tpresentation* presentation = nullptr;
    TfichiersRecents* recents = nullptr;
    TdepotFichiers* depot = nullptr;
    Trecuperation* recuperation = nullptr;

protected:
    void showEvent(QShowEvent* evenement) override;     // the first one runs premierAffichage
    void closeEvent(QCloseEvent* evenement) override;   // FormCloseQuery

private:
    void creerControles();
    void creerMenus();
    void creerOperations(std::unique_ptr<Tdialogues> dialogues);
    void premierAffichage();
    void equiperClasse();
    // Runs a command's handler, then shows what it wrote.
    void executerCommande(const std::function<void()>& gestionnaire);
    void ouvrirRecent(const QString& chemin);
    // Where the trace export proposes to write: NOM-suivi.csv beside the program.
    QString propositionSuivi() const;
    // A menu command: runs the handler, then shows what it wrote.
    QAction* commande(QWidget* menu, const char* legende, const QKeySequence& raccourci,
                      std::function<void()> gestionnaire);

    void copier();
    void coller();
    void selectionnerTout();
    void aPropos();

    std::unique_ptr<TdonneesCommunes> d;
    std::unique_ptr<TfenetreQt> fenetre;
    Tdialogues* boites = nullptr;   // owned by `fenetre`
    bool montree = false;
    QMenu* menuAffichage = nullptr;
};
