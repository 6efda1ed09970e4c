#include "window/classe/depot_fichiers.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

// The first local file a drag carries; empty when it carries none.
QString fichierPorte(const QMimeData* donnees) {
    if (!donnees || !donnees->hasUrls())
        return {};
    for (const QUrl& adresse : donnees->urls())
        if (adresse.isLocalFile())
            return adresse.toLocalFile();
    return {};
}

} // namespace

TdepotFichiers::TdepotFichiers(QWidget* fenetre, std::function<void(const QString&)> o)
    : QObject(fenetre), ouvrir(std::move(o)) {
    surveiller(fenetre);
}

void TdepotFichiers::surveiller(QWidget* controle) {
    controle->setAcceptDrops(true);
    controle->installEventFilter(this);
    if (auto* zone = qobject_cast<QAbstractScrollArea*>(controle)) {
        zone->viewport()->setAcceptDrops(true);
        zone->viewport()->installEventFilter(this);
    }
}

bool TdepotFichiers::eventFilter(QObject*, QEvent* evenement) {
    switch (evenement->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* glisse = static_cast<QDragMoveEvent*>(evenement);
        if (fichierPorte(glisse->mimeData()).isEmpty())
            return false;
        glisse->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* depot = static_cast<QDropEvent*>(evenement);
        const QString chemin = fichierPorte(depot->mimeData());
        if (chemin.isEmpty())
            return false;
        depot->acceptProposedAction();
        // The question about unsaved changes must not run inside the drop,
        // while the program the file comes from still waits for its answer.
        QTimer::singleShot(0, this, [this, chemin] { ouvrir(chemin); });
        return true;
    }
    default:
        return false;
    }
}
