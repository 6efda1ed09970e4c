#include "window/bandeau.h"

#include <QEvent>

#include <algorithm>

Tbandeau::Tbandeau(const QString& texte, QWidget* parent) : QLabel(texte, parent) {
    setAlignment(Qt::AlignCenter);
    setTextFormat(Qt::PlainText);   // a file name is never markup
    ajusterHauteur();
}

void Tbandeau::changeEvent(QEvent* evenement) {
    QLabel::changeEvent(evenement);
    if (evenement->type() == QEvent::FontChange)
        ajusterHauteur();
}

void Tbandeau::ajusterHauteur() { setFixedHeight(std::max(hauteurMinimale, sizeHint().height())); }
