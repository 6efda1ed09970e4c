// Projector mode (Affichage › Mode présentation, F11): full screen, a large
// font and colours that a washed-out projector still shows: black text on
// white, the display pane's yellow deepened, the selection in dark blue even
// when its control has not the focus. F11 or Échap goes back to the window
// as it was.
#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QRect>

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
    // important as its results on the wall; `bandeaux`: the caption
    // strips, which in the mode take the text's size, as the menus do.
    Tpresentation(QMainWindow* fenetre, Tzoom* zoom, QWidget* panneau, QSplitter* separation,
                  const QList<QWidget*>& bandeaux);

    void ajouterCommande(QMenu* menu);   // the checkable Mode présentation, F11
    QAction* actionPresentation = nullptr;

    bool active() const { return enCours; }
    void entrer();
    void quitter();

private:
    void basculer(bool presentation);
    void agrandirBandeaux(int points);

    QMainWindow* fenetre;
    Tzoom* zoom;
    QWidget* panneau;
    QSplitter* separation;
    QList<QPointer<QWidget>> bandeaux;
    QShortcut* echap;
    bool enCours = false;
    // What the mode changes, to be put back on leaving it.
    Qt::WindowStates etatFenetre;
    QRect interieur;   // geometry(): the window without its frame
    int points = 0;
    QList<int> largeurs;
    QList<QPair<QPointer<QWidget>, QPalette>> couleurs;
    QList<QPair<QPointer<QWidget>, QFont>> polices;   // the strips', the menu bar's and its menus'
};
