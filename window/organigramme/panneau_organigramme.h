// The panel "Organigramme" (a dock, shown from the Affichage menu): the
// flowchart of the program in the editor, laid out by Graphviz from the
// core's chart (commands/organigramme.h), redrawn shortly after each change
// of the text while the panel is shown. A program that does not analyse
// gets a line saying which line is wrong instead. It follows runs as the
// gutter does (the box just executed, the box that runs next), marks the
// box of the editor's line, and a click on a box selects its line.
#pragma once

#include "commands/organigramme.h"
#include "execution/suivi.h"

#include <QByteArray>
#include <QDockWidget>
#include <QTimer>

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QScrollArea;
class TvueOrganigramme;

class TpanneauOrganigramme : public QDockWidget, public Tsuivi {
    Q_OBJECT
public:
    explicit TpanneauOrganigramme(QWidget* parent = nullptr);

    // The program's text (Windows-1252) and how a line is selected in the
    // editor; set once by the window.
    std::function<std::string()> texteProgramme;
    std::function<void(int)> selectionnerLigne;

    // The text changed: the chart is redrawn a moment later (at once when
    // the panel is next shown, if it is hidden now).
    void programmeChange();
    // Draws the chart of the current text now.
    void actualiser();
    // The editor's cursor is on this line.
    void suivreCurseur(int ligne);
    // After a run command (Normale, Commentée pas à pas, Poursuivre, Arrêter).
    void apresExecution(const TdonneesCommunes& d);

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes&, int32_t ligne) override { derniereExecutee = ligne; }
    bool suitExecutionNormale() const override { return false; }
    void oublierProgramme() override;

    // The drawing shown (SVG), empty when there is none; the chart drawn.
    QByteArray svg() const;
    const Torganigramme& organigramme() const { return graphe; }
    // How long Graphviz took for the last layout, in milliseconds.
    double dureeMiseEnPage() const { return duree; }

    QCheckBox* caseCommentaires = nullptr;   // "Afficher les commentaires"
    QLabel* raison = nullptr;                // why there is no chart, hidden while there is one
    QScrollArea* defilement = nullptr;
    TvueOrganigramme* vue = nullptr;

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    QTimer attente;
    bool perime = true;            // the text changed since the chart was drawn
    bool dejaMontre = false;       // widened once, at its first showing
    Torganigramme graphe;
    double duree = 0;
    bool lancement = false;
    bool analyseReussie = false;
    int32_t derniereExecutee = -1;
};
