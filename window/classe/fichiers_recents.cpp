#include "window/classe/fichiers_recents.h"

#include "window/reglages.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include <string>
#include <vector>

namespace {

std::string cheminComplet(const QString& chemin) { return QFileInfo(chemin).absoluteFilePath().toStdString(); }

std::vector<std::string> versChemins(const QStringList& liste) {
    std::vector<std::string> chemins;
    for (const QString& chemin : liste)
        chemins.push_back(chemin.toStdString());
    return chemins;
}

} // namespace

TfichiersRecents::TfichiersRecents(QMenu* m, std::function<void(const QString&)> o)
    : QObject(m), menu(m), ouvrir(std::move(o)), chemins(versChemins(reglages::fichiersRecents())) {
    construireMenu();   // the settings are written when the list changes, not here
}

QStringList TfichiersRecents::liste() const {
    QStringList liste;
    for (const std::string& chemin : chemins.chemins())
        liste.append(QString::fromStdString(chemin));
    return liste;
}

void TfichiersRecents::noter(const QString& chemin) {
    chemins.noter(cheminComplet(chemin));
    garder();
}

void TfichiersRecents::retirer(const QString& chemin) {
    chemins.retirer(chemin.toStdString(), cheminComplet(chemin));
    garder();
}

void TfichiersRecents::garder() {
    reglages::retenirFichiersRecents(liste());
    construireMenu();
}

void TfichiersRecents::construireMenu() {
    menu->clear();
    const QStringList entrees = liste();
    menu->setEnabled(!entrees.isEmpty());
    for (int i = 0; i < entrees.size(); ++i) {
        const QString& chemin = entrees[i];
        const QFileInfo info(chemin);
        const std::string legende = legendeFichierRecent(i + 1, info.fileName().toStdString(),
                                                         QDir::toNativeSeparators(info.path()).toStdString());
        QAction* item = menu->addAction(QString::fromStdString(legende));
        item->setToolTip(chemin);
        item->setData(chemin);
        item->setMenuRole(QAction::NoRole);
        // Queued: the entry may be removed, and the menu rebuilt, by its own choice.
        connect(item, &QAction::triggered, this, [this, chemin] { ouvrir(chemin); }, Qt::QueuedConnection);
    }
}
