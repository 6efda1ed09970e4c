#include "window/reglages.h"

#include <QAction>
#include <QMainWindow>
#include <QSettings>
#include <QVariant>
#include <QSplitter>

namespace {

// Every key the window keeps, in one place.
const QString cleGeometrie = QStringLiteral("fenetre/geometrie");
const QString cleEtat = QStringLiteral("fenetre/etat");
const QString cleSeparation = QStringLiteral("fenetre/separation");
const QString clePoints = QStringLiteral("police/points");
const QString cleChasseFixe = QStringLiteral("police/chasseFixe");
const QString cleDernierDossier = QStringLiteral("fichiers/dernierDossier");
const QString cleRecents = QStringLiteral("fichiers/recents");
const QString prefixeCoches = QStringLiteral("coches/");

// Settings are a convenience: a write that fails is said on the error
// output, and the window goes on with what it has in memory.
void ecrire(const QString& cle, const QVariant& valeur) {
    QSettings reglages;
    reglages.setValue(cle, valeur);
    reglages.sync();
    if (reglages.status() != QSettings::NoError)
        qWarning("Trevane: settings could not be written to %s", qPrintable(reglages.fileName()));
}

QVariant lire(const QString& cle) { return QSettings().value(cle); }

} // namespace

namespace reglages {

void restaurerFenetre(QMainWindow* fenetre, QSplitter* separation) {
    QSettings reglages;
    const QByteArray geometrie = reglages.value(cleGeometrie).toByteArray();
    if (!geometrie.isEmpty())
        fenetre->restoreGeometry(geometrie);
    const QByteArray etat = reglages.value(cleEtat).toByteArray();
    if (!etat.isEmpty())
        fenetre->restoreState(etat);
    const QByteArray position = reglages.value(cleSeparation).toByteArray();
    if (!position.isEmpty())
        separation->restoreState(position);
}

void retenirFenetre(const QMainWindow* fenetre, const QSplitter* separation) {
    ecrire(cleGeometrie, fenetre->saveGeometry());
    ecrire(cleEtat, fenetre->saveState());
    ecrire(cleSeparation, separation->saveState());
}

int pointsPolice(int parDefaut) {
    bool lu = false;
    const int points = lire(clePoints).toInt(&lu);
    return lu ? points : parDefaut;
}

void retenirPointsPolice(int points) { ecrire(clePoints, points); }

bool chasseFixe() { return lire(cleChasseFixe).toBool(); }

void retenirChasseFixe(bool fixe) { ecrire(cleChasseFixe, fixe); }

QString dernierDossier() { return lire(cleDernierDossier).toString(); }

void retenirDernierDossier(const QString& dossier) { ecrire(cleDernierDossier, dossier); }

QStringList fichiersRecents() { return lire(cleRecents).toStringList(); }

void retenirFichiersRecents(const QStringList& chemins) { ecrire(cleRecents, chemins); }

void retenirCoche(QAction* action, const QString& cle) {
    const QVariant coche = lire(prefixeCoches + cle);
    if (coche.isValid() && coche.toBool() != action->isChecked())
        action->trigger();   // as a click would, so that the panel follows
    QObject::connect(action, &QAction::toggled, action,
                     [cle](bool coche) { ecrire(prefixeCoches + cle, coche); });
}

} // namespace reglages
