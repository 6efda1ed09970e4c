#include "window/organigramme/vue_organigramme.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>

namespace {

// The gutter's colours: the executed line's blue, the next line's green.
const QColor couleurExecutee(200, 220, 255, 150);
const QColor couleurSuivante(0, 110, 0);
const QColor couleurCurseur(255, 170, 0);

} // namespace

TvueOrganigramme::TvueOrganigramme(QWidget* parent) : QWidget(parent), rendu(new QSvgRenderer(this)) {
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

TvueOrganigramme::~TvueOrganigramme() = default;

void TvueOrganigramme::montrer(const QByteArray& svg) {
    source = svg;
    rendu->load(svg);
    boites.clear();
    // Every box the core named "ligneN", placed in the drawing's coordinates.
    static const QRegularExpression ids(QStringLiteral("id=\"ligne(\\d+)\""));
    for (auto it = ids.globalMatch(QString::fromUtf8(svg)); it.hasNext();) {
        const auto trouve = it.next();
        const QString id = QStringLiteral("ligne") + trouve.captured(1);
        if (rendu->elementExists(id))
            boites.insert(trouve.captured(1).toInt(), rendu->transformForElement(id).mapRect(rendu->boundsOnElement(id)));
    }
    updateGeometry();
    resize(sizeHint());
    update();
}

double TvueOrganigramme::echelle() const {
    const double points = font().pointSizeF();
    return points > 0 ? points / 10.0 : 1.0;
}

QSize TvueOrganigramme::sizeHint() const {
    if (!rendu->isValid())
        return {0, 0};
    return (QSizeF(rendu->viewBoxF().size()) * echelle() * logicalDpiX() / 72.0).toSize();
}

QRectF TvueOrganigramme::boite(int ligne) const {
    const auto b = boites.find(ligne);
    if (b == boites.end() || !rendu->isValid())
        return {};
    const QRectF vue = rendu->viewBoxF();
    const double fx = width() / vue.width();
    const double fy = height() / vue.height();
    return {(b->x() - vue.x()) * fx, (b->y() - vue.y()) * fy, b->width() * fx, b->height() * fy};
}

void TvueOrganigramme::marquer(int executeeLigne, int suivanteLigne) {
    executee = executeeLigne;
    suivante = suivanteLigne;
    update();
    signalerMarque(suivante >= 0 ? suivante : executee);
}

void TvueOrganigramme::marquerCurseur(int ligne) {
    if (ligne == curseur)
        return;
    curseur = ligne;
    update();
    signalerMarque(curseur);
}

void TvueOrganigramme::signalerMarque(int ligne) {
    const QRectF b = boite(ligne);
    if (!b.isEmpty())
        emit marqueDeplacee(b.toAlignedRect());
}

void TvueOrganigramme::paintEvent(QPaintEvent*) {
    if (!rendu->isValid())
        return;
    QPainter peintre(this);
    peintre.setRenderHint(QPainter::Antialiasing);
    rendu->render(&peintre, QRectF(rect()));
    const double marge = 3 * echelle();
    if (const QRectF b = boite(executee); !b.isEmpty())
        peintre.fillRect(b.adjusted(-marge, -marge, marge, marge), couleurExecutee);
    if (const QRectF b = boite(curseur); !b.isEmpty()) {
        peintre.setPen(QPen(couleurCurseur, 1.5, Qt::DashLine));
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRect(b.adjusted(-marge, -marge, marge, marge));
    }
    if (const QRectF b = boite(suivante); !b.isEmpty()) {
        peintre.setPen(QPen(couleurSuivante, 3 * echelle()));
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRoundedRect(b.adjusted(-marge, -marge, marge, marge), marge, marge);
    }
}

void TvueOrganigramme::mousePressEvent(QMouseEvent* evenement) {
    for (auto b = boites.cbegin(); b != boites.cend(); ++b)
        if (boite(b.key()).adjusted(-2, -2, 2, 2).contains(evenement->position())) {
            emit boiteCliquee(b.key());
            return;
        }
    QWidget::mousePressEvent(evenement);
}

void TvueOrganigramme::changeEvent(QEvent* evenement) {
    QWidget::changeEvent(evenement);
    if (evenement->type() == QEvent::FontChange) {
        updateGeometry();
        resize(sizeHint());
        update();
    }
}
