#include "window/classe/exemples.h"

#include "window/codage_qt.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>

namespace {

const QString dossierExemples = QStringLiteral(":/exemples");

QString titreDe(const QByteArray& texte) {
    QByteArray premiere = texte.left(texte.indexOf('\r'));
    if (premiere.startsWith("#"))
        premiere.remove(0, 1);
    return depuis1252(premiere.trimmed().toStdString());
}

} // namespace

QList<Texemple> listeExemples() {
    QList<Texemple> exemples;
    const QStringList noms = QDir(dossierExemples).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    for (const QString& nom : noms) {
        QFile fichier(dossierExemples + QLatin1Char('/') + nom);
        if (!fichier.open(QIODevice::ReadOnly))
            continue;   // cannot happen for a built-in file
        const QByteArray texte = fichier.readAll();
        exemples.append({titreDe(texte), texte});
    }
    return exemples;
}

void ajouterExemples(QMenu* menu, std::function<void(const Texemple&)> ouvrir) {
    for (const Texemple& exemple : listeExemples()) {
        QString legende = exemple.titre;
        QAction* item = menu->addAction(legende.replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setMenuRole(QAction::NoRole);
        QObject::connect(item, &QAction::triggered, menu, [ouvrir, exemple] { ouvrir(exemple); });
    }
}
