#include "window/classe/zoom.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QMenu>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>

namespace {

// The sizes the zoom steps through: one point at a time where a point shows,
// larger strides where it does not.
constexpr int paliers[] = {6, 7, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 28, 32, 36, 40, 44, 48};
static_assert(paliers[0] == Tzoom::pointsMin && std::size(paliers) == 19 && paliers[18] == Tzoom::pointsMax);

constexpr int crantMolette = 120;   // one notch of a common wheel, in eighths of a degree

} // namespace

Tzoom::Tzoom(QWidget* f, int points, bool chasseFixe)
    : QObject(f), fenetre(f), taille(std::clamp(points, pointsMin, pointsMax)), fixe(chasseFixe) {
    qApp->installEventFilter(this);
}

void Tzoom::inscrire(QWidget* controle, bool suitChasseFixe) {
    inscrits.append(controle);
    if (suitChasseFixe)
        aChasseFixe.append(controle);
    appliquer(controle, suitChasseFixe);
}

void Tzoom::appliquer(QWidget* controle, bool suitChasseFixe) {
    QFont police = fenetre->font();
    if (suitChasseFixe && fixe) {
        police = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        police.setStyleHint(QFont::TypeWriter);
        police.setFixedPitch(true);
    }
    police.setPointSize(taille);
    controle->setFont(police);
}

void Tzoom::appliquerPartout() {
    for (const QPointer<QWidget>& controle : std::as_const(inscrits))
        if (controle)
            appliquer(controle, aChasseFixe.contains(controle));
}

void Tzoom::fixerPoints(int points) {
    points = std::clamp(points, pointsMin, pointsMax);
    if (points == taille)
        return;
    taille = points;
    appliquerPartout();
    emit pointsChanges(taille);
}

void Tzoom::agrandir() {
    const int* suivant = std::upper_bound(std::begin(paliers), std::end(paliers), taille);
    if (suivant != std::end(paliers))
        fixerPoints(*suivant);
}

void Tzoom::reduire() {
    const int* premierNonPlusPetit = std::lower_bound(std::begin(paliers), std::end(paliers), taille);
    if (premierNonPlusPetit != std::begin(paliers))
        fixerPoints(*(premierNonPlusPetit - 1));
}

void Tzoom::retablir() { fixerPoints(pointsNormal); }

void Tzoom::fixerChasseFixe(bool chasseFixe) {
    fixe = chasseFixe;
    appliquerPartout();
    if (actionChasseFixe)
        actionChasseFixe->setChecked(fixe);
}

void Tzoom::ajouterCommandes(QMenu* menu) {
    const auto commande = [&](const char* legende, QList<QKeySequence> raccourcis, void (Tzoom::*action)()) {
        auto* item = menu->addAction(QString::fromUtf8(legende));
        item->setShortcuts(raccourcis);
        item->setMenuRole(QAction::NoRole);
        connect(item, &QAction::triggered, this, action);
        return item;
    };
    actionAgrandir = commande("A&grandir le texte",
                            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
                            &Tzoom::agrandir);
    actionReduire = commande("Ré&duire le texte", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &Tzoom::reduire);
    actionTailleNormale = commande("&Taille normale du texte", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &Tzoom::retablir);
    actionChasseFixe = menu->addAction(QString::fromUtf8("Police à &chasse fixe"));
    actionChasseFixe->setCheckable(true);
    actionAgrandir->setObjectName(QStringLiteral("actionAgrandir"));
    actionReduire->setObjectName(QStringLiteral("actionReduire"));
    actionTailleNormale->setObjectName(QStringLiteral("actionTailleNormale"));
    actionChasseFixe->setObjectName(QStringLiteral("actionChasseFixe"));
    actionChasseFixe->setChecked(fixe);
    actionChasseFixe->setMenuRole(QAction::NoRole);
    connect(actionChasseFixe, &QAction::toggled, this, &Tzoom::fixerChasseFixe);
}

// Ctrl and the wheel over any part of the window zoom instead of scrolling.
bool Tzoom::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() != QEvent::Wheel || !objet->isWidgetType())
        return false;
    auto* molette = static_cast<QWheelEvent*>(evenement);
    if (!(molette->modifiers() & Qt::ControlModifier) || static_cast<QWidget*>(objet)->window() != fenetre)
        return false;
    moletteCumulee += molette->angleDelta().y();
    while (moletteCumulee >= crantMolette) {
        moletteCumulee -= crantMolette;
        agrandir();
    }
    while (moletteCumulee <= -crantMolette) {
        moletteCumulee += crantMolette;
        reduire();
    }
    return true;
}
