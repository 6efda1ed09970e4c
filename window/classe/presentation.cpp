#include "window/classe/presentation.h"

#include "window/classe/zoom.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>

#include <algorithm>

namespace {

// Strong contrast that survives a projector's lamp: black on white, the
// pane's pale yellow (251, 253, 219) deepened so that it still reads as
// yellow, and a dark selection with white text in every colour group.
const QColor fondPresentation(255, 255, 255);
const QColor fondPanneauPresentation(255, 236, 140);
const QColor textePresentation(0, 0, 0);
const QColor selectionPresentation(0, 0, 150);
const QColor texteSelectionPresentation(255, 255, 255);

QPalette couleursPresentation(QPalette couleurs, const QColor& fond) {
    for (QPalette::ColorGroup groupe : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        couleurs.setColor(groupe, QPalette::Base, fond);
        couleurs.setColor(groupe, QPalette::Text, textePresentation);
        couleurs.setColor(groupe, QPalette::WindowText, textePresentation);
        couleurs.setColor(groupe, QPalette::Highlight, selectionPresentation);
        couleurs.setColor(groupe, QPalette::HighlightedText, texteSelectionPresentation);
    }
    return couleurs;
}

} // namespace

Tpresentation::Tpresentation(QMainWindow* f, Tzoom* z, QWidget* p, QSplitter* s, const QList<QWidget*>& b)
    : QObject(f), fenetre(f), zoom(z), panneau(p), separation(s), echap(new QShortcut(QKeySequence(Qt::Key_Escape), f)) {
    for (QWidget* bandeau : b)
        bandeaux.append(bandeau);
    echap->setEnabled(false);   // Échap keeps its usual meanings outside the mode
    connect(echap, &QShortcut::activated, this, &Tpresentation::quitter);
    connect(zoom, &Tzoom::pointsChanges, this, [this](int points) {
        if (enCours)
            agrandirBandeaux(points);
    });
}

void Tpresentation::agrandirBandeaux(int points) {
    for (const auto& [controle, police] : std::as_const(polices)) {
        if (!controle)
            continue;
        QFont grande = police;
        grande.setPointSize(points);
        controle->setFont(grande);
    }
}

void Tpresentation::ajouterCommande(QMenu* menu) {
    actionPresentation = menu->addAction(QString::fromUtf8("&Mode présentation"));
    actionPresentation->setShortcut(QKeySequence(Qt::Key_F11));
    actionPresentation->setCheckable(true);
    actionPresentation->setObjectName(QStringLiteral("actionPresentation"));
    actionPresentation->setMenuRole(QAction::NoRole);
    connect(actionPresentation, &QAction::toggled, this, &Tpresentation::basculer);
}

void Tpresentation::entrer() {
    if (actionPresentation)
        actionPresentation->setChecked(true);
    else
        basculer(true);
}

void Tpresentation::quitter() {
    if (actionPresentation)
        actionPresentation->setChecked(false);
    else
        basculer(false);
}

void Tpresentation::basculer(bool presentation) {
    if (presentation == enCours)
        return;
    enCours = presentation;
    echap->setEnabled(presentation);
    if (presentation) {
        // The place of the inside, not of the frame: pos() put back by
        // move() after full screen, before the window manager had given the
        // frame back, moved the window up a title bar each time.
        etatFenetre = fenetre->windowState();
        interieur = fenetre->geometry();
        points = zoom->points();
        largeurs = separation->sizes();
        couleurs.clear();
        for (const QPointer<QWidget>& controle : zoom->controles()) {
            if (!controle)
                continue;
            const QColor& fond = controle == panneau ? fondPanneauPresentation : fondPresentation;
            // A scrolling control paints its text on its viewport.
            QList<QWidget*> surfaces{controle};
            if (auto* zone = qobject_cast<QAbstractScrollArea*>(controle.data()))
                surfaces.append(zone->viewport());
            for (QWidget* surface : surfaces) {
                couleurs.append({surface, surface->palette()});
                surface->setPalette(couleursPresentation(surface->palette(), fond));
            }
        }
        // A menu is a window of its own, which the bar's font does not reach.
        QList<QWidget*> aAgrandir{fenetre->menuBar()};
        for (QMenu* menu : fenetre->menuBar()->findChildren<QMenu*>())
            aAgrandir.append(menu);
        for (const QPointer<QWidget>& bandeau : std::as_const(bandeaux))
            if (bandeau)
                aAgrandir.append(bandeau);
        polices.clear();
        for (QWidget* controle : aAgrandir)
            polices.append({controle, controle->font()});
        zoom->fixerPoints(std::max(points, pointsMinimum));
        agrandirBandeaux(zoom->points());
        // Without a window manager to honour the request for full screen,
        // the window covers its screen by itself.
        if (QScreen* ecran = fenetre->screen())
            fenetre->setGeometry(ecran->geometry());
        fenetre->showFullScreen();
        const int total = fenetre->width() - separation->handleWidth();
        separation->setSizes({total / 2, total - total / 2});
    } else {
        for (const auto& [controle, palette] : std::as_const(couleurs))
            if (controle)
                controle->setPalette(palette);
        couleurs.clear();
        for (const auto& [controle, police] : std::as_const(polices))
            if (controle)
                controle->setFont(police);
        polices.clear();
        zoom->fixerPoints(points);
        separation->setSizes(largeurs);
        fenetre->setWindowState(etatFenetre);
        if (!(etatFenetre & Qt::WindowMaximized))
            fenetre->setGeometry(interieur);
    }
}
