// The editor's gutter: the line numbers from 1, in grey, in the editor's font,
// and the marks of a run: the line just executed, an arrow on the line that
// runs next, and a line with an error in red until the text is edited or
// another run starts. A tiny widget that the editor lets paint in its left
// margin, as in Qt's Code Editor example.
#pragma once

#include <QWidget>

class TediteurProgramme;

class TmargeLignes : public QWidget {
    Q_OBJECT
public:
    explicit TmargeLignes(TediteurProgramme* editeur);

    // Lines from 0; -1 takes the mark off.
    void marquer(int executee, int suivante);
    void marquerErreur(int ligne);
    void effacerMarques();
    int ligneExecutee() const { return executee; }
    int ligneSuivante() const { return suivante; }
    int ligneErreur() const { return erreur; }

    // Width for the current number of lines and font.
    int largeur() const;
    // Follows the editor's size (its resize event calls it).
    void placer();

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void ajuster();

    TediteurProgramme* editeur;
    int executee = -1;
    int suivante = -1;
    int erreur = -1;
};
