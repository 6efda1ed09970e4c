#include "window/accessibilite/accessibilite.h"

#include "window/accessibilite/acces_marge.h"
#include "window/accessibilite/acces_panneau.h"
#include "window/accessibilite/couleurs.h"
#include "window/accessibilite/recherche.h"
#include "window/affichages/panneau_affichages.h"
#include "window/classe/zoom.h"
#include "window/codage_qt.h"
#include "window/controles_fenetre.h"
#include "window/editeur/editeur_programme.h"
#include "window/editeur/marge_lignes.h"
#include "window/panneaux/panneau_variables.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QShortcut>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

#include <algorithm>

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QAccessibleInterface* fabrique(const QString& classe, QObject* objet) {
    if (QAccessibleInterface* panneau = TaccesPanneau::fabrique(classe, objet))
        return panneau;
    return TaccesMarge::fabrique(classe, objet);
}

// A frame in the highlight colour over a control while it has the focus;
// it takes no click and is hidden the rest of the time.
class TcadreFocus : public QWidget {
public:
    explicit TcadreFocus(QWidget* controle) : QWidget(controle), controle(controle) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(QString());
        controle->installEventFilter(this);
        hide();
    }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override {
        if (objet == controle) {
            switch (evenement->type()) {
            case QEvent::FocusIn:
            case QEvent::FocusOut:
            case QEvent::Resize:
                setGeometry(controle->rect());
                setVisible(controle->hasFocus());
                raise();
                break;
            default:
                break;
            }
        }
        return QWidget::eventFilter(objet, evenement);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter peintre(this);
        QPen trait(palette().color(QPalette::Highlight), epaisseur);
        trait.setJoinStyle(Qt::MiterJoin);
        peintre.setPen(trait);
        peintre.setBrush(Qt::NoBrush);
        peintre.drawRect(QRectF(rect()).adjusted(epaisseur / 2.0, epaisseur / 2.0, -epaisseur / 2.0, -epaisseur / 2.0));
    }

private:
    static constexpr int epaisseur = 2;
    QWidget* controle;
};

} // namespace

Taccessibilite::Taccessibilite(const TcontrolesFenetre& controles, const TdonneesCommunes& donnees)
    : QObject(controles.fenetre), c(controles), d(donnees) {
    static const bool fabriqueInstallee = [] {
        QAccessible::installFactory(fabrique);
        return true;
    }();
    (void)fabriqueInstallee;
    setObjectName(QStringLiteral("accessibilite"));
    sombre_ = paletteSombre(QApplication::palette());   // the window's colours were chosen for it
    TaccesPanneau::suivre(c.panneauAffichages);
    nommer();

    // F6 and Shift+F6 between the areas.
    auto* suivante = new QShortcut(QKeySequence(Qt::Key_F6), c.fenetre);
    connect(suivante, &QShortcut::activated, this, [this] { cycler(true); });
    auto* precedente = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), c.fenetre);
    connect(precedente, &QShortcut::activated, this, [this] { cycler(false); });

    recherche = new TrechercheAffichages(c.panneauAffichages);
    for (QWidget* controle : {static_cast<QWidget*>(c.panneauAffichages), static_cast<QWidget*>(c.panneauVariables->vueVariables),
                              static_cast<QWidget*>(c.panneauVariables->vueSuivi)})
        new TcadreFocus(controle);

    // After the window's own handler, connected first: the run has moved.
    for (QAction* action : {c.actionExecutionNormale, c.actionPasAPas, c.actionPoursuivre, c.actionArreter})
        connect(action, &QAction::triggered, this, &Taccessibilite::annoncer);
    for (QAction* action : {c.actionInformations, c.actionResultat})
        connect(action, &QAction::toggled, this, &Taccessibilite::nommerAffichages);

    c.fenetre->installEventFilter(this);
}

void Taccessibilite::nommer() {
    c.editeur->setAccessibleName(u("Programme"));
    c.separateur->setAccessibleName(u("Séparation du programme et des affichages"));
    nommerAffichages();
    TpanneauVariables* p = c.panneauVariables;
    p->vueVariables->setAccessibleName(u("Variables"));
    p->vueSuivi->setAccessibleName(u("Suivi"));
    p->onglets->setAccessibleName(u("Variables et suivi"));
    p->onglets->tabBar()->setAccessibleName(u("Onglets Variables et Suivi"));
}

void Taccessibilite::nommerAffichages() {
    const QString nom = c.actionInformations->isChecked() ? u("Informations") : u("Résultats");
    if (c.panneauAffichages->accessibleName() == nom)
        return;
    c.panneauAffichages->setAccessibleName(nom);
}

void Taccessibilite::colorer() {
    // Only when the system's palette turns light or dark: the projector
    // mode sets and puts back the controls' palettes itself.
    const bool sombre = paletteSombre(QApplication::palette());
    if (sombre == sombre_)
        return;
    sombre_ = sombre;
    colorerAffichages(c.panneauAffichages, sombre);
    c.editeur->marge()->update();
}

QList<QWidget*> Taccessibilite::zones() const {
    QList<QWidget*> liste{c.editeur, c.panneauAffichages};
    if (c.panneauVariables->isVisible() && c.panneauVariables->onglets->isVisible()) {
        liste.append(c.panneauVariables->vueVariables);
        liste.append(c.panneauVariables->vueSuivi);
    }
    return liste;
}

void Taccessibilite::cycler(bool enAvant) {
    const QList<QWidget*> liste = zones();
    QWidget* focus = QApplication::focusWidget();
    qsizetype ici = -1;
    for (qsizetype i = 0; i < liste.size(); ++i)
        if (focus && (focus == liste[i] || liste[i]->isAncestorOf(focus)))
            ici = i;
    if (ici < 0 && focus == recherche->saisie)
        ici = 1;   // the search line belongs to the pane
    const qsizetype n = liste.size();
    const qsizetype prochaine = ici < 0 ? 0 : ((ici + (enAvant ? 1 : -1)) % n + n) % n;
    QWidget* zone = liste[prochaine];
    // Variables and Suivi are two tabs of one panel: the tab comes first.
    if (zone == c.panneauVariables->vueVariables || zone == c.panneauVariables->vueSuivi)
        c.panneauVariables->onglets->setCurrentWidget(zone);
    zone->setFocus(Qt::ShortcutFocusReason);
}

void Taccessibilite::annoncer() {
    const TmargeLignes* marge = c.editeur->marge();
    const int64_t n = c.panneauAffichages->nombreLignes();
    if (marge->ligneErreur() >= 0) {
        // With the pane's last line, the error's message.
        derniere = u("Erreur à la ligne %1").arg(marge->ligneErreur() + 1);
        const QString message = n > 0 ? c.panneauAffichages->ligne(n - 1).trimmed() : QString();
        derniere += message.isEmpty() ? u(".") : u(" : ") + message;
    } else if (c.actionPoursuivre->isEnabled()) {
        derniere = marge->ligneSuivante() >= 0 ? u("Exécution suspendue, prochaine instruction ligne %1.").arg(marge->ligneSuivante() + 1)
                                               : u("Exécution suspendue.");
    } else {
        derniere = u("Exécution terminée.");
    }
    c.panneauAffichages->setAccessibleDescription(derniere);
    if (!TaccesPanneau::ecoute())
        return;
    // setAccessibleDescription sends DescriptionChanged itself; the gutter's
    // words changed with the marks.
    QAccessibleEvent marques(c.editeur->marge(), QAccessible::DescriptionChanged);
    TaccesPanneau::envoyer(marques);
    QAccessibleEvent alerte(c.panneauAffichages, QAccessible::Alert);
    TaccesPanneau::envoyer(alerte);
}

bool Taccessibilite::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == c.fenetre && (evenement->type() == QEvent::ApplicationPaletteChange ||
                               evenement->type() == QEvent::PaletteChange))
        colorer();
    return QObject::eventFilter(objet, evenement);
}

int Taccessibilite::pointsDeBase() {
    return std::clamp(QApplication::font().pointSize(), Tzoom::pointsNormal, Tzoom::pointsMax);
}
