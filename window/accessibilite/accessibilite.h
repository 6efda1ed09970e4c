// What makes the window usable with a screen reader, the keyboard alone
// and the system's colours, kept out of the controls' own code:
// - the accessible interfaces of the custom-drawn pane and gutter
//   (acces_panneau.h, acces_marge.h), registered as a factory;
// - a name for every area ("Programme", "Résultats" or "Informations" as the
//   pane's mode is, "Variables", "Suivi"...);
// - F6 / Shift+F6 moving the focus editor → pane → Variables → Suivi (the
//   last two while the panel is shown), Ctrl+F in the pane (recherche.h), a
//   frame on the pane and the panel's views while they have the focus;
// - after each run command, what became of the run (over, suspended, an
//   error and its line) as the pane's accessible description, with an event;
// - the pane's and the gutter's colours following a dark palette
//   (couleurs.h).
#pragma once

#include <QObject>
#include <QList>
#include <QString>

struct TcontrolesFenetre;
struct TdonneesCommunes;
class QWidget;
class TrechercheAffichages;

class Taccessibilite : public QObject {
    Q_OBJECT
public:
    Taccessibilite(const TcontrolesFenetre& controles, const TdonneesCommunes& d);

    // The areas F6 goes through, in order, those shown now.
    QList<QWidget*> zones() const;
    // Gives the focus to the next (or previous) area.
    void cycler(bool enAvant);
    // What the last run command came to, as told to screen readers.
    const QString& annonce() const { return derniere; }

    TrechercheAffichages* recherche = nullptr;

    // The text size zoom starts from when none was kept: the system's
    // when it is larger than the window's usual 10 points.
    static int pointsDeBase();

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void nommer();
    void nommerAffichages();
    void colorer();
    void annoncer();

    const TcontrolesFenetre& c;
    const TdonneesCommunes& d;
    QString derniere;
    bool sombre_ = false;   // the colours set are the dark ones
};
