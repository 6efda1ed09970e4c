#include "window/curseur_occupe.h"

#include <QApplication>
#include <QElapsedTimer>

namespace {

constexpr qint64 delaiOccupe = 200;   // ms before the cursor turns busy

struct Tetat {
    int profondeur = 0;   // commands nested inside a command's modal box
    QElapsedTimer chrono;
    bool occupe = false;
};

Tetat& etat() {
    static Tetat e;
    return e;
}

} // namespace

TcommandeEnCours::TcommandeEnCours() {
    Tetat& e = etat();
    if (e.profondeur++ == 0)
        e.chrono.start();
}

TcommandeEnCours::~TcommandeEnCours() {
    Tetat& e = etat();
    if (--e.profondeur == 0 && e.occupe) {
        e.occupe = false;
        QApplication::restoreOverrideCursor();
    }
}

void TcommandeEnCours::signaler() {
    Tetat& e = etat();
    if (e.profondeur > 0 && !e.occupe && e.chrono.elapsed() > delaiOccupe) {
        e.occupe = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}
