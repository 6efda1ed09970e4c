// The controls of the main window, listed once: the window creates them and
// keeps them private, the window operations (`TfenetreQt`) act on them, the
// window's tests reach them through tests/fenetre/acces_fenetre.h. Each
// control's objectName is its name here.
#pragma once

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QSplitter;
class QWidget;
class Taccessibilite;
class TdepotFichiers;
class TediteurProgramme;
class TfichiersRecents;
class TpanneauAffichages;
class TpanneauOrganigramme;
class TpanneauVariables;
class Tpresentation;
class Trecuperation;
class Tzoom;

struct TcontrolesFenetre {
    QMainWindow* fenetre = nullptr;

    // The editor on the left under its strip, the results pane on the
    // right under its own, a splitter between them.
    QSplitter* separateur = nullptr;
    QWidget* colonneProgramme = nullptr;
    QWidget* cadreBandeauProgramme = nullptr;
    QLabel* bandeauProgramme = nullptr;
    TediteurProgramme* editeur = nullptr;
    QWidget* colonneAffichages = nullptr;
    QLabel* bandeauAffichages = nullptr;
    TpanneauAffichages* panneauAffichages = nullptr;
    TpanneauVariables* panneauVariables = nullptr;   // variables and trace, a dock below
    TpanneauOrganigramme* panneauOrganigramme = nullptr;   // the flowchart, a dock on the right

    // The menu bar's commands.
    QAction* actionNouveau = nullptr;
    QAction* actionOuvrir = nullptr;
    QAction* actionEnregistrer = nullptr;
    QAction* actionEnregistrerSous = nullptr;
    QAction* actionExporterSuivi = nullptr;
    QAction* actionExporterOrganigramme = nullptr;
    QAction* actionImprimer = nullptr;
    QAction* actionExporterPdf = nullptr;
    QAction* actionCopier = nullptr;
    QAction* actionColler = nullptr;
    QAction* actionSelectionnerTout = nullptr;
    QAction* actionInformations = nullptr;
    QAction* actionResultat = nullptr;
    QAction* actionVariables = nullptr;
    QAction* actionOrganigramme = nullptr;
    QAction* actionAPropos = nullptr;
    QAction* actionExecutionNormale = nullptr;
    QAction* actionPasAPas = nullptr;
    QAction* actionPoursuivre = nullptr;
    QAction* actionArreter = nullptr;
    QAction* actionPointArret = nullptr;
    QAction* actionJusquAuPointArret = nullptr;
    QAction* actionJusquAuCurseur = nullptr;
    QAction* actionPasPrecedent = nullptr;
    QMenu* menuRecents = nullptr;
    QMenu* menuExemples = nullptr;
    QMenu* menuAffichage = nullptr;

    // For the classroom: text size, projector mode, recent files, files
    // dropped on the window, copies that survive a crash. A panel joins the
    // text size with `zoom->inscrire(panneau)`.
    Tzoom* zoom = nullptr;
    Tpresentation* presentation = nullptr;
    TfichiersRecents* recents = nullptr;
    TdepotFichiers* depot = nullptr;
    Trecuperation* recuperation = nullptr;

    // Screen readers, F6 between the areas, the pane's search, dark colours.
    Taccessibilite* accessibilite = nullptr;
};
