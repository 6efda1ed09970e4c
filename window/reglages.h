// What the window keeps from one use to the next, in the desktop's usual
// place for settings (QSettings with the application's names). A first start
// finds nothing and the window keeps its own start-up state.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QAction;
class QMainWindow;
class QSplitter;

namespace reglages {

// The window's place, size and state, and the splitter's position: put back
// when they were kept, else left as they are.
void restaurerFenetre(QMainWindow* fenetre, QSplitter* separation);
void retenirFenetre(const QMainWindow* fenetre, const QSplitter* separation);

// Size of the editor's, the pane's and the panels' font, in points.
int pointsPolice(int parDefaut);
void retenirPointsPolice(int points);
// The fixed-width font for the editor.
bool chasseFixe();
void retenirChasseFixe(bool fixe);

// The folder of the program opened or saved last; empty at first.
QString dernierDossier();
void retenirDernierDossier(const QString& dossier);

// The recent programs, the most recent first.
QStringList fichiersRecents();
void retenirFichiersRecents(const QStringList& chemins);

// A checkable item under `cle` (a panel shown or not): its mark is put back
// now when it was kept, and kept again at each change.
void retenirCoche(QAction* action, const QString& cle);

} // namespace reglages
