// The drawing of the flowchart: Graphviz's SVG shown by Qt SVG at the
// window's text size, with the run's marks over the boxes (the line just
// executed, the line that runs next, the editor's line). A click on a box
// names its line.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QRectF>
#include <QWidget>

class QSvgRenderer;

class TvueOrganigramme : public QWidget {
    Q_OBJECT
public:
    explicit TvueOrganigramme(QWidget* parent = nullptr);
    ~TvueOrganigramme() override;

    // A new drawing (empty: none); the boxes are found by their ids "ligneN".
    void montrer(const QByteArray& svg);
    const QByteArray& svg() const { return source; }
    // The marks, by line from 0 (-1: none).
    void marquer(int executee, int suivante);
    void marquerCurseur(int ligne);
    int marqueExecutee() const { return executee; }
    int marqueSuivante() const { return suivante; }
    int marqueCurseur() const { return curseur; }
    // The box of a line in the widget's coordinates (empty when it has none).
    QRectF boite(int ligne) const;

    QSize sizeHint() const override;

signals:
    void boiteCliquee(int ligne);
    // A mark moved to this rectangle: the scroll area brings it into view.
    void marqueDeplacee(const QRect& rectangle);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;

private:
    double echelle() const;   // follows the font's size, 1 at 10 points
    void signalerMarque(int ligne);

    QByteArray source;
    QSvgRenderer* rendu = nullptr;
    QHash<int, QRectF> boites;   // line -> box in the drawing's own coordinates
    int executee = -1;
    int suivante = -1;
    int curseur = -1;
};
