#include "window/organigramme/panneau_organigramme.h"

#include "base/donnees.h"
#include "base/fenetre.h"
#include "window/codage_qt.h"
#include "window/organigramme/mise_en_page.h"
#include "window/organigramme/vue_organigramme.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int delaiRedessin = 400;   // ms after the last key before the chart is redrawn

} // namespace

TpanneauOrganigramme::TpanneauOrganigramme(QWidget* parent) : QDockWidget(QStringLiteral("Organigramme"), parent) {
    setObjectName(QStringLiteral("PanneauOrganigramme"));
    auto* contenu = new QWidget(this);
    auto* colonne = new QVBoxLayout(contenu);
    colonne->setContentsMargins(2, 2, 2, 2);
    caseCommentaires = new QCheckBox(QStringLiteral("Afficher les commentaires"), contenu);
    caseCommentaires->setObjectName(QStringLiteral("caseCommentaires"));
    raison = new QLabel(contenu);
    raison->setObjectName(QStringLiteral("raisonOrganigramme"));
    raison->setWordWrap(true);
    defilement = new QScrollArea(contenu);
    defilement->setObjectName(QStringLiteral("defilementOrganigramme"));
    defilement->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    vue = new TvueOrganigramme;
    vue->setObjectName(QStringLiteral("vueOrganigramme"));
    defilement->setWidget(vue);
    colonne->addWidget(caseCommentaires);
    colonne->addWidget(raison);
    colonne->addWidget(defilement, 1);
    setWidget(contenu);

    attente.setSingleShot(true);
    attente.setInterval(delaiRedessin);
    connect(&attente, &QTimer::timeout, this, &TpanneauOrganigramme::actualiser);
    connect(caseCommentaires, &QCheckBox::toggled, this, &TpanneauOrganigramme::actualiser);
    connect(vue, &TvueOrganigramme::boiteCliquee, this, [this](int ligne) {
        if (selectionnerLigne)
            selectionnerLigne(ligne);
    });
    connect(vue, &TvueOrganigramme::marqueDeplacee, this, [this](const QRect& r) {
        defilement->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 20, r.height() / 2 + 20);
    });
}

void TpanneauOrganigramme::programmeChange() {
    perime = true;
    if (isVisible())
        attente.start();
}

void TpanneauOrganigramme::showEvent(QShowEvent* evenement) {
    QDockWidget::showEvent(evenement);
    // At its first showing, a third of the window's width unless it is wider.
    auto* fenetre = qobject_cast<QMainWindow*>(parentWidget());
    if (!dejaMontre && fenetre && !isFloating() && width() < fenetre->width() / 3)
        fenetre->resizeDocks({this}, {fenetre->width() / 3}, Qt::Horizontal);
    dejaMontre = true;
    if (perime)
        actualiser();
}

void TpanneauOrganigramme::actualiser() {
    attente.stop();
    perime = false;
    graphe = organigrammeDuTexte(texteProgramme ? texteProgramme() : std::string(), caseCommentaires->isChecked());
    if (graphe.noeuds.empty()) {
        raison->setText(texteQt(raisonSansOrganigramme(graphe)));
        raison->show();
        vue->montrer({});
        return;
    }
    QElapsedTimer chrono;
    chrono.start();
    QString erreur;
    const QByteArray dessin = svgDuDot(QByteArray::fromStdString(texteDot(graphe)), &erreur);
    duree = static_cast<double>(chrono.nsecsElapsed()) / 1e6;
    raison->setText(erreur);
    raison->setVisible(!erreur.isEmpty());
    vue->montrer(dessin);
}

QByteArray TpanneauOrganigramme::svg() const {
    return vue->svg();
}

void TpanneauOrganigramme::suivreCurseur(int ligne) {
    vue->marquerCurseur(ligne);
}

void TpanneauOrganigramme::commencer(const TdonneesCommunes& d) {
    lancement = true;
    analyseReussie = d.codeErreur == 0;
    derniereExecutee = -1;
    vue->marquer(-1, -1);
}

void TpanneauOrganigramme::oublierProgramme() {
    lancement = false;
    analyseReussie = false;
    vue->marquer(-1, -1);
}

void TpanneauOrganigramme::apresExecution(const TdonneesCommunes& d) {
    // The same marks as the gutter's (commands/marques_execution.cpp).
    lancement = false;
    if (!analyseReussie || d.modeExecution != executionCommentee)
        return;
    if (perime)
        actualiser();   // the run analysed this text: the chart shows it
    const bool attend = d.erreurExecution == 0 && d.ligneCourante != aucuneLigne && d.fenetre &&
                        d.fenetre->poursuivreArreterActifs();
    vue->marquer(derniereExecutee, attend ? d.ligneCourante : -1);
}
