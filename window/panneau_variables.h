// The panel "Variables" (a dock below the editor and the pane), shown from
// the Affichage menu: a tab with the variables of the program's last run and
// their values, and a tab "Suivi" with the trace table of the commented run;
// empty, with a line saying why, before the program's first run and after a
// failed analysis. It follows runs as the core's trace observer, and after
// each run command it takes the values and sets the editor's gutter marks:
// never during a burst, so a normal run keeps its speed.
#pragma once

#include "execution/suivi.h"

#include <QDockWidget>

class QIODevice;
class QLabel;
class QTabWidget;
class QTableView;
class QTreeView;
class TediteurProgramme;
class Tdialogues;
class TmodeleSuivi;
class TmodeleVariables;

class TpanneauVariables : public QDockWidget, public Tsuivi {
    Q_OBJECT
public:
    explicit TpanneauVariables(QWidget* parent = nullptr);

    // The editor whose gutter shows the marks, and the boxes for the export.
    void relier(TediteurProgramme* editeur, Tdialogues* boites);
    // After a run command (Normale, Commentée pas à pas, Poursuivre, Arrêter).
    void apresExecution(const TdonneesCommunes& d);
    // Fichier › Exporter le suivi…: the trace as CSV, through the checked
    // write path; the dialog proposes `proposition`. An existing file is
    // replaced only when the user says so.
    void exporterSuivi(const QString& proposition);

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes& d, int32_t ligne) override;
    bool suitExecutionNormale() const override { return false; }
    void oublierProgramme() override;

    QLabel* raisonVide = nullptr;   // why the panel is empty, hidden while it shows variables
    QTabWidget* onglets = nullptr;
    QTreeView* vueVariables = nullptr;
    QTableView* vueSuivi = nullptr;
    TmodeleVariables* modeleVariables = nullptr;
    TmodeleSuivi* modeleSuivi = nullptr;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ajusterHauteurLignes();
    bool ecrireSuivi(QIODevice& fichier) const;
    // Empties the variables and the trace, and says why.
    void vider(bool analyseEchouee);

    TediteurProgramme* editeur = nullptr;
    Tdialogues* boites = nullptr;
    bool lancement = false;        // a run command analysed since the last update
    bool analyseReussie = false;   // the last analysis succeeded: the values are this program's
    bool dejaMontre = false;       // shown once by itself, at the first commented run
    int32_t derniereExecutee = -1; // line of the last step of the commented run
    int32_t pasVus = 0;            // `nbPas` when the values were last taken
};
