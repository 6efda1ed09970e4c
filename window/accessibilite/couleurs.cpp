#include "window/accessibilite/couleurs.h"

#include <QAbstractScrollArea>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// ORDRE: clair, sombre
const TcouleursMarge marges[2] = {
    // The numbers read at 5.2:1 on their background (grey 150 gave 2.6:1).
    {QColor(240, 240, 240), QColor(100, 100, 100), QColor(200, 220, 255), QColor(0, 0, 0),
     QColor(0, 110, 0), QColor(210, 30, 30), QColor(255, 255, 255)},
    {QColor(40, 40, 40), QColor(175, 175, 175), QColor(30, 60, 120), QColor(255, 255, 255),
     QColor(90, 200, 90), QColor(190, 30, 30), QColor(255, 255, 255)},
};

const TcouleursAffichages affichages[2] = {
    {QColor(251, 253, 219), QColor(0, 0, 0)},      // the pale yellow of the pane
    {QColor(34, 34, 26), QColor(240, 240, 215)},
};

} // namespace

bool paletteSombre(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

const TcouleursMarge& couleursMarge(bool sombre) { return marges[sombre ? 1 : 0]; }

const TcouleursAffichages& couleursAffichages(bool sombre) { return affichages[sombre ? 1 : 0]; }

QColor texteInchange(bool sombre) { return sombre ? QColor(170, 170, 170) : QColor(112, 112, 112); }

void colorerAffichages(QWidget* panneau, bool sombre) {
    QPalette couleurs = panneau->palette();
    couleurs.setColor(QPalette::Base, couleursAffichages(sombre).fond);
    couleurs.setColor(QPalette::Text, couleursAffichages(sombre).texte);   // readable on the fixed background
    panneau->setPalette(couleurs);
    // The viewport keeps the palette it was given first: it gets it too.
    if (auto* zone = qobject_cast<QAbstractScrollArea*>(panneau))
        zone->viewport()->setPalette(couleurs);
}

double luminance(const QColor& couleur) {
    const auto lineaire = [](int composante) {
        const double c = composante / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = couleur.toRgb();
    return 0.2126 * lineaire(rgb.red()) + 0.7152 * lineaire(rgb.green()) + 0.0722 * lineaire(rgb.blue());
}

double contraste(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
