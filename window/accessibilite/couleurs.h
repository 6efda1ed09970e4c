// The colours the window draws itself, for a light and a dark palette: the
// light ones are the window's own look, the dark ones give the same
// contrast on a dark background. A palette is dark when its window colour
// is darker than its text (the system's dark scheme or a high-contrast
// theme with light text). `contraste` is the ratio of two colours'
// relative luminances as WCAG 2 defines it (1 to 21; text needs 4.5).
#pragma once

#include <QColor>

class QPalette;
class QWidget;

struct TcouleursMarge {
    QColor fond;
    QColor numero;
    QColor fondExecutee;    // the line just executed
    QColor texteExecutee;
    QColor fleche;          // the arrow of the line that runs next
    QColor fondErreur;      // a line with an error
    QColor texteErreur;     // its number and its cross
};

struct TcouleursAffichages {
    QColor fond;
    QColor texte;
};

bool paletteSombre(const QPalette& palette);
const TcouleursMarge& couleursMarge(bool sombre);
const TcouleursAffichages& couleursAffichages(bool sombre);
// The Suivi table's values that the step left unchanged: greyed, yet
// readable at 4.5:1 on the table's white or dark background.
QColor texteInchange(bool sombre);
// The pane's palette: its background and text for the light or dark mode.
void colorerAffichages(QWidget* panneau, bool sombre);

double luminance(const QColor& couleur);
double contraste(const QColor& a, const QColor& b);
