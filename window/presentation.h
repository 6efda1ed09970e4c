// Projector mode (Affichage › Mode présentation, F11): full screen, a large
// font and colours that a washed-out projector still shows: black text on
// white, the display pane's yellow deepened, the selection in dark blue even
// when its control has not the focus. F11 or Échap goes back to the window
// as it was.
#pragma once

#include <QList>
#include <QObject>
#include <QPalette>
#include <QPoint>
#include <QPointer>
#include <QSize>

class QAction;
class QMainWindow;
class QMenu;
class QShortcut;
class QSplitter;
class QWidget;
class Tzoom;

class Tpresentation : public QObject {
    Q_OBJECT
public:
    static constexpr int pointsMinimum = 20;   // the smallest size shown on the screen wall

    // `panneau`: the display pane, which keeps a yellow of its own;
    // `separation`: shared evenly in the mode, the program being as
    // important as its results on the wall.
    Tpresentation(QMainWindow* fenetre, Tzoom* zoom, QWidget* panneau, QSplitter* separation);

    void ajouterCommande(QMenu* menu);   // the checkable Mode présentation, F11
    QAction* itemPresentation = nullptr;

    bool active() const { return enCours; }
    void entrer();
    void quitter();

private:
    void basculer(bool presentation);

    QMainWindow* fenetre;
    Tzoom* zoom;
    QWidget* panneau;
    QSplitter* separation;
    QShortcut* echap;
    bool enCours = false;
    // What the mode changes, to be put back on leaving it.
    QPoint position;
    QSize taille;
    Qt::WindowStates etatFenetre;
    int points = 0;
    QList<int> largeurs;
    QList<QPair<QPointer<QWidget>, QPalette>> couleurs;
};
