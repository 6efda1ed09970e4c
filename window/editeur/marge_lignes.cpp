#include "window/editeur/marge_lignes.h"

#include "window/accessibilite/couleurs.h"
#include "window/editeur/editeur_programme.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

#include <algorithm>

namespace {

// A breakpoint's disc, at more than 3:1 on the light and the dark gutter.
const QColor couleurArret(200, 0, 0);

} // namespace

TmargeLignes::TmargeLignes(TediteurProgramme* e) : QWidget(e), editeur(e) {
    connect(editeur, &QPlainTextEdit::blockCountChanged, this, &TmargeLignes::ajuster);
    connect(editeur, &QPlainTextEdit::updateRequest, this, [this](const QRect& zone, int dy) {
        if (dy != 0)
            scroll(0, dy);
        else
            update(0, zone.y(), width(), zone.height());
    });
    // The editor's font, whatever it becomes: a style sheet above the editor
    // stops fonts from reaching its children by themselves.
    editeur->installEventFilter(this);
    setFont(editeur->font());
    ajuster();
}

bool TmargeLignes::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == editeur && evenement->type() == QEvent::FontChange)
        setFont(editeur->font());
    return QWidget::eventFilter(objet, evenement);
}

int TmargeLignes::largeur() const {
    int chiffres = 1;
    for (int n = std::max(1, editeur->blockCount()); n >= 10; n /= 10)
        ++chiffres;
    const QFontMetrics mesures(font());
    // Room for the arrow, the digits and a blank either side.
    return mesures.height() + mesures.horizontalAdvance(QLatin1Char('9')) * chiffres + mesures.horizontalAdvance(QLatin1Char(' '));
}

void TmargeLignes::ajuster() {
    editeur->setViewportMargins(largeur(), 0, 0, 0);
    placer();
    update();
}

void TmargeLignes::placer() {
    const QRect zone = editeur->contentsRect();
    setGeometry(QRect(zone.left(), zone.top(), largeur(), zone.height()));
}

void TmargeLignes::changeEvent(QEvent* evenement) {
    QWidget::changeEvent(evenement);
    if (evenement->type() == QEvent::FontChange)
        ajuster();
}

void TmargeLignes::marquer(int e, int s) {
    executee = e;
    suivante = s;
    update();
}

void TmargeLignes::marquerErreur(int ligne) {
    erreur = ligne;
    update();
}

void TmargeLignes::montrerPointsArret(const std::vector<int>& lignes) {
    if (lignes == arrets)
        return;
    arrets = lignes;
    QStringList numeros;
    for (const int ligne : arrets)
        numeros << QString::number(ligne + 1);
    setAccessibleDescription(arrets.empty() ? QString()
                                            : QString::fromUtf8("Points d'arrêt aux lignes ") + numeros.join(QStringLiteral(", ")));
    update();
}

void TmargeLignes::mousePressEvent(QMouseEvent* evenement) {
    const int y = evenement->position().toPoint().y();
    for (QTextBlock bloc = editeur->firstVisibleBlock(); bloc.isValid(); bloc = bloc.next()) {
        const QRectF zone = editeur->blockBoundingGeometry(bloc).translated(editeur->contentOffset());
        if (zone.top() > y)
            break;
        if (bloc.isVisible() && y < zone.bottom()) {
            emit ligneCliquee(bloc.blockNumber());
            break;
        }
    }
    evenement->accept();
}

void TmargeLignes::paintEvent(QPaintEvent* evenement) {
    // The colours of the light or dark palette (window/accessibilite/couleurs.h).
    const TcouleursMarge& couleurs = couleursMarge(paletteSombre(QApplication::palette()));
    QPainter peintre(this);
    peintre.fillRect(evenement->rect(), couleurs.fond);
    const QFontMetrics mesures(font());
    const int fleche = mesures.height();
    QTextBlock bloc = editeur->firstVisibleBlock();
    int haut = qRound(editeur->blockBoundingGeometry(bloc).translated(editeur->contentOffset()).top());
    while (bloc.isValid() && haut <= evenement->rect().bottom()) {
        const int hauteur = qRound(editeur->blockBoundingRect(bloc).height());
        const int numero = bloc.blockNumber();
        if (bloc.isVisible() && haut + hauteur >= evenement->rect().top()) {
            const QRect ligne(0, haut, width(), hauteur);
            QColor couleurTexte = couleurs.numero;
            if (numero == erreur) {
                peintre.fillRect(ligne, couleurs.fondErreur);
                couleurTexte = couleurs.texteErreur;
                // A cross where the arrow goes: not told by colour alone.
                const int milieu = haut + mesures.height() / 2;
                const int demi = fleche / 4;
                peintre.setPen(QPen(couleurs.texteErreur, std::max(1, fleche / 8)));
                peintre.drawLine(fleche / 2 - demi, milieu - demi, fleche / 2 + demi, milieu + demi);
                peintre.drawLine(fleche / 2 - demi, milieu + demi, fleche / 2 + demi, milieu - demi);
            } else if (numero == executee) {
                peintre.fillRect(ligne, couleurs.fondExecutee);
                couleurTexte = couleurs.texteExecutee;
            }
            if (std::binary_search(arrets.begin(), arrets.end(), numero)) {
                const int diametre = fleche * 3 / 4;
                peintre.setPen(Qt::NoPen);
                peintre.setBrush(couleurArret);
                peintre.drawEllipse(QRect(fleche / 8, haut + (mesures.height() - diametre) / 2, diametre, diametre));
            }
            if (numero == suivante) {
                // A right-pointing triangle, drawn so that it needs no glyph of the font.
                const int milieu = haut + mesures.height() / 2;
                const int demi = fleche / 3;
                const QPoint pointes[] = {{fleche / 6, milieu - demi}, {fleche / 6 + 2 * demi, milieu}, {fleche / 6, milieu + demi}};
                peintre.setPen(Qt::NoPen);
                peintre.setBrush(couleurs.fleche);
                peintre.drawPolygon(pointes, 3);
            }
            peintre.setPen(couleurTexte);
            peintre.drawText(QRect(fleche, haut, width() - fleche - mesures.horizontalAdvance(QLatin1Char(' ')) / 2,
                                   mesures.height()),
                             Qt::AlignRight, QString::number(numero + 1));
        }
        bloc = bloc.next();
        haut += hauteur;
    }
}
