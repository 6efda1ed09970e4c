#include "window/presentation.h"

#include "window/zoom.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QShortcut>

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

Tpresentation::Tpresentation(QMainWindow* f, Tzoom* z, QWidget* p)
    : QObject(f), fenetre(f), zoom(z), panneau(p), echap(new QShortcut(QKeySequence(Qt::Key_Escape), f)) {
    echap->setEnabled(false);   // Échap keeps its usual meanings outside the mode
    connect(echap, &QShortcut::activated, this, &Tpresentation::quitter);
}

void Tpresentation::ajouterCommande(QMenu* menu) {
    itemPresentation = menu->addAction(QString::fromUtf8("&Mode présentation"));
    itemPresentation->setShortcut(QKeySequence(Qt::Key_F11));
    itemPresentation->setCheckable(true);
    itemPresentation->setMenuRole(QAction::NoRole);
    connect(itemPresentation, &QAction::toggled, this, &Tpresentation::basculer);
}

void Tpresentation::entrer() {
    if (itemPresentation)
        itemPresentation->setChecked(true);
    else
        basculer(true);
}

void Tpresentation::quitter() {
    if (itemPresentation)
        itemPresentation->setChecked(false);
    else
        basculer(false);
}

void Tpresentation::basculer(bool presentation) {
    if (presentation == enCours)
        return;
    enCours = presentation;
    echap->setEnabled(presentation);
    if (presentation) {
        position = fenetre->pos();
        taille = fenetre->size();
        etatFenetre = fenetre->windowState();
        points = zoom->points();
        couleurs.clear();
        for (const QPointer<QWidget>& controle : zoom->controles()) {
            if (!controle)
                continue;
            couleurs.append({controle, controle->palette()});
            controle->setPalette(couleursPresentation(controle->palette(),
                                                      controle == panneau ? fondPanneauPresentation : fondPresentation));
        }
        zoom->fixerPoints(std::max(points, pointsMinimum));
        fenetre->showFullScreen();
    } else {
        for (const auto& [controle, palette] : std::as_const(couleurs))
            if (controle)
                controle->setPalette(palette);
        couleurs.clear();
        zoom->fixerPoints(points);
        fenetre->setWindowState(etatFenetre);
        if (!(etatFenetre & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
            fenetre->resize(taille);
            fenetre->move(position);
        }
    }
}
