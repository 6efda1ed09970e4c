// The editor's gutter: the line numbers from 1, in grey, in the editor's font,
// and the marks of a run: the line just executed, an arrow on the line that
// runs next, and a line with an error in red until the text is edited or
// another run starts; a red disc on each breakpoint line, which a click on a
// line's number asks to toggle. A tiny widget that the editor lets paint in its left
// margin, as in Qt's Code Editor example.
#pragma once

#include <QWidget>

#include <vector>

class TediteurProgramme;

class TmargeLignes : public QWidget {
    Q_OBJECT
public:
    explicit TmargeLignes(TediteurProgramme* editeur);

    // Lines from 0; -1 takes the mark off.
    void marquer(int executee, int suivante);
    void marquerErreur(int ligne);
    int ligneExecutee() const { return executee; }
    int ligneSuivante() const { return suivante; }
    int ligneErreur() const { return erreur; }
    // The breakpoint discs, lines from 0 (also told in the accessible description).
    void montrerPointsArret(const std::vector<int>& lignes);
    const std::vector<int>& pointsArret() const { return arrets; }

    // Width for the current number of lines and font.
    int largeur() const;
    // Follows the editor's size (its resize event calls it).
    void placer();

signals:
    // The user clicked the number of line `ligne` (from 0).
    void ligneCliquee(int ligne);

protected:
    void mousePressEvent(QMouseEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ajuster();

    TediteurProgramme* editeur;
    int executee = -1;
    int suivante = -1;
    int erreur = -1;
    std::vector<int> arrets;
};
