#include "window/classe/fichiers_recents.h"

#include "window/reglages.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

QString cheminComplet(const QString& chemin) { return QFileInfo(chemin).absoluteFilePath(); }

// "&1 tri.txt  (/home/classe/algo)": a "&" in a name shows as itself.
QString legende(int numero, const QString& chemin) {
    const QFileInfo info(chemin);
    QString texte = QStringLiteral("%1  (%2)").arg(info.fileName(), QDir::toNativeSeparators(info.path()));
    texte.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 ").arg(numero) + texte;
}

} // namespace

TfichiersRecents::TfichiersRecents(QMenu* m, std::function<void(const QString&)> o)
    : QObject(m), menu(m), ouvrir(std::move(o)) {
    for (const QString& chemin : reglages::fichiersRecents())
        if (!chemin.isEmpty() && !chemins.contains(chemin) && chemins.size() < nombreMax)
            chemins.append(chemin);
    construireMenu();   // the settings are written when the list changes, not here
}

void TfichiersRecents::noter(const QString& chemin) {
    const QString complet = cheminComplet(chemin);
    chemins.removeAll(complet);
    chemins.prepend(complet);
    while (chemins.size() > nombreMax)
        chemins.removeLast();
    garder();
}

void TfichiersRecents::retirer(const QString& chemin) {
    chemins.removeAll(chemin);
    chemins.removeAll(cheminComplet(chemin));
    garder();
}

void TfichiersRecents::garder() {
    reglages::retenirFichiersRecents(chemins);
    construireMenu();
}

void TfichiersRecents::construireMenu() {
    menu->clear();
    menu->setEnabled(!chemins.isEmpty());
    for (int i = 0; i < chemins.size(); ++i) {
        QAction* item = menu->addAction(legende(i + 1, chemins[i]));
        item->setToolTip(chemins[i]);
        item->setData(chemins[i]);
        item->setMenuRole(QAction::NoRole);
        const QString chemin = chemins[i];
        // Queued: the entry may be removed, and the menu rebuilt, by its own choice.
        connect(item, &QAction::triggered, this, [this, chemin] { ouvrir(chemin); }, Qt::QueuedConnection);
    }
}
