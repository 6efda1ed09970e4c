// The panel "Variables" (a dock below the editor and the pane), shown from
// the Affichage menu: a tab with the variables of the program's last run and
// their values, and a tab "Suivi" with the trace table of the commented run;
// empty, with a line saying why, before the program's first run and after a
// failed analysis. It follows runs as the core's trace observer, and after
// each run command it takes the values: never during a burst, so a normal
// run keeps its speed. It only shows: the gutter marks follow the run in
// window/editeur/marques_execution.h, the export is window/export_suivi.h.
#pragma once

#include "execution/suivi.h"

#include <QDockWidget>

#include <functional>

class QLabel;
class QTabWidget;
class QTableView;
class QTreeView;
class TmodeleSuivi;
class TmodeleVariables;

class TpanneauVariables : public QDockWidget, public Tsuivi {
    Q_OBJECT
public:
    explicit TpanneauVariables(QWidget* parent = nullptr);

    // After a run command (Normale, Commentée pas à pas, Poursuivre, Arrêter).
    void apresExecution(const TdonneesCommunes& d);

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes& d, int32_t ligne) override;
    void retirerPas(const TdonneesCommunes& d) override;
    bool suitExecutionNormale() const override { return false; }
    void oublierProgramme() override;

    QLabel* raisonVide = nullptr;   // why the panel is empty, hidden while it shows variables
    QTabWidget* onglets = nullptr;
    QTreeView* vueVariables = nullptr;
    QTableView* vueSuivi = nullptr;
    TmodeleVariables* modeleVariables = nullptr;
    TmodeleSuivi* modeleSuivi = nullptr;
    // Selects a program line (from 0) in the editor: a row of the trace clicked.
    std::function<void(int)> selectionnerLigne;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ajusterHauteurLignes();
    // Empties the variables and the trace, and says why.
    void vider(bool analyseEchouee);

    bool lancement = false;        // a run command analysed since the last update
    bool analyseReussie = false;   // the last analysis succeeded: the values are this program's
    bool dejaMontre = false;       // shown once by itself, at the first commented run
    int32_t pasVus = 0;            // `nbPas` when the values were last taken
};
