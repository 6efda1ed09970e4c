// The main window `TfenetrePrincipale`: the editor on the left, the display
// pane on the right, every command in the menu bar. It owns the one
// workspace record and hands the core its controls through `TfenetreQt`;
// the controls are private (window/controles_fenetre.h).
#pragma once

#include "window/controles_fenetre.h"
#include "window/dialogues.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QMenu;
class TfenetreQt;
class TmarquesMarge;
class TsuivisFenetre;
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

protected:
    void showEvent(QShowEvent* evenement) override;     // the first one runs premierAffichage
    void closeEvent(QCloseEvent* evenement) override;   // asks before the text is given up

private:
    // The constructor's steps, in order: the editor, the pane and the
    // panel; the menu bar's commands; the start geometry, the window
    // operations handed to the core and the run's followers; the classroom
    // features (zoom, projector mode, recent files, examples, drops, copies).
    void creerControles();
    void creerMenus();
    // Exécution's breakpoint commands and the gutter's click.
    void creerCommandesArret(QMenu* menuExecution);
    void basculerPointArretCurseur();
    void creerOperations(std::unique_ptr<Tdialogues> dialogues);
    void equiperClasse();
    // On the first show: the text sizes kept, the session started with the
    // model program, then the offer of a recovered copy.
    void premierAffichage();
    // Runs a command's handler, then shows what it wrote; after a run
    // command, the followers of the run (gutter marks, Variables panel)
    // take its result.
    void executerCommande(const std::function<void()>& gestionnaire, bool execution = false);
    void ouvrirRecent(const QString& chemin);
    // Where the trace export proposes to write: NOM-suivi.csv beside the program.
    QString propositionSuivi() const;
    // A menu command: runs the handler, then shows what it wrote.
    // `nom` is its objectName; `execution` marks a run command.
    QAction* commande(QWidget* menu, const char* nom, const char* legende, const QKeySequence& raccourci,
                      std::function<void()> gestionnaire, bool execution = false);

    // Édition's commands act on the pane that has the focus.
    void copier();
    void coller();
    void selectionnerTout();
    void aPropos();

    friend struct TaccesFenetre;   // the window's tests: tests/fenetre/acces_fenetre.h

    TcontrolesFenetre c;   // before `fenetre`, which keeps a reference to it
    std::unique_ptr<TdonneesCommunes> d;
    std::unique_ptr<TfenetreQt> fenetre;
    std::unique_ptr<TmarquesMarge> marques;
    std::unique_ptr<TsuivisFenetre> suivis;
    Tdialogues* boites = nullptr;   // owned by `fenetre`
    bool montree = false;
};
