// The size of the text the class reads: the editor, the display pane and
// every panel registered here share one font size, changed from the
// Affichage menu (Ctrl++, Ctrl+=, Ctrl+-, Ctrl+0) or with Ctrl and the mouse
// wheel over the window. The editor may also take a fixed-width font.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QWidget;

class Tzoom : public QObject {
    Q_OBJECT
public:
    static constexpr int pointsMin = 6;
    static constexpr int pointsMax = 48;
    static constexpr int pointsNormal = 10;

    // `fenetre`: its font gives the face; Ctrl and the wheel anywhere over it zoom.
    Tzoom(QWidget* fenetre, int points, bool chasseFixe);

    // The control takes the current size now and follows every change; with
    // `suitChasseFixe`, also the fixed-width choice. One call per panel.
    void inscrire(QWidget* controle, bool suitChasseFixe = false);
    const QList<QPointer<QWidget>>& controles() const { return inscrits; }

    int points() const { return taille; }
    void fixerPoints(int points);   // held within pointsMin..pointsMax
    void agrandir();
    void reduire();
    void retablir();                // back to pointsNormal
    bool chasseFixe() const { return fixe; }
    void fixerChasseFixe(bool chasseFixe);

    // Appends Agrandir, Réduire, Taille normale and Police à chasse fixe.
    void ajouterCommandes(QMenu* menu);
    QAction* actionAgrandir = nullptr;
    QAction* actionReduire = nullptr;
    QAction* actionTailleNormale = nullptr;
    QAction* actionChasseFixe = nullptr;

signals:
    void pointsChanges(int points);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void appliquer(QWidget* controle, bool suitChasseFixe);
    void appliquerPartout();

    QWidget* fenetre;
    QList<QPointer<QWidget>> inscrits;
    QList<QPointer<QWidget>> aChasseFixe;
    int taille;
    bool fixe;
    int moletteCumulee = 0;   // eighths of a degree not yet turned into a step
};
