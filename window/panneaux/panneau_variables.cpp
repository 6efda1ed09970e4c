#include "window/panneaux/panneau_variables.h"

#include "window/codage_qt.h"
#include "window/panneaux/modele_suivi.h"
#include "window/panneaux/modele_variables.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The trace's columns are fitted to their contents while the trace is short;
// later the learner's own widths stay.
constexpr int lignesAjustees = 50;

} // namespace

TpanneauVariables::TpanneauVariables(QWidget* parent) : QDockWidget(QStringLiteral("Variables"), parent) {
    setObjectName(QStringLiteral("PanneauVariables"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    onglets = new QTabWidget(this);

    modeleVariables = new TmodeleVariables(this);
    vueVariables = new QTreeView(onglets);
    vueVariables->setModel(modeleVariables);
    vueVariables->setUniformRowHeights(true);   // long lists: rows laid out without measuring each
    vueVariables->setAlternatingRowColors(true);
    vueVariables->header()->setStretchLastSection(true);
    // An unfolded list's element names are wider than the variables' own.
    connect(vueVariables, &QTreeView::expanded, vueVariables,
            [this] { vueVariables->resizeColumnToContents(TmodeleVariables::colonneNom); });
    vueVariables->installEventFilter(this);
    onglets->addTab(vueVariables, QStringLiteral("Variables"));

    modeleSuivi = new TmodeleSuivi(this);
    vueSuivi = new QTableView(onglets);
    vueSuivi->setModel(modeleSuivi);
    vueSuivi->verticalHeader()->hide();
    vueSuivi->setWordWrap(false);
    vueSuivi->horizontalHeader()->setStretchLastSection(true);
    vueSuivi->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vueSuivi->setSelectionBehavior(QAbstractItemView::SelectRows);
    vueSuivi->setSelectionMode(QAbstractItemView::SingleSelection);
    vueSuivi->installEventFilter(this);
    // A row clicked (or chosen with the keyboard) shows its step's line in the editor.
    const auto montrerLigne = [this](const QModelIndex& i) {
        const auto& lignes = modeleSuivi->lignesSuivi();
        if (selectionnerLigne && i.isValid() && static_cast<size_t>(i.row()) < lignes.size())
            selectionnerLigne(lignes[static_cast<size_t>(i.row())].ligne);
    };
    connect(vueSuivi, &QTableView::clicked, this, montrerLigne);
    connect(vueSuivi, &QTableView::activated, this, montrerLigne);
    ajusterHauteurLignes();
    onglets->addTab(vueSuivi, QStringLiteral("Suivi"));

    auto* contenu = new QWidget(this);
    auto* colonne = new QVBoxLayout(contenu);
    colonne->setContentsMargins(0, 0, 0, 0);
    raisonVide = new QLabel(contenu);
    raisonVide->setTextFormat(Qt::PlainText);
    raisonVide->setWordWrap(true);
    raisonVide->setMargin(4);
    colonne->addWidget(raisonVide);
    colonne->addWidget(onglets);
    setWidget(contenu);
    vider(false);
}

void TpanneauVariables::vider(bool analyseEchouee) {
    analyseReussie = false;
    modeleVariables->vider();
    modeleSuivi->commencer({});
    raisonVide->setText(depuis1252(raisonSuiviVide(analyseEchouee)));
    raisonVide->show();
}

void TpanneauVariables::oublierProgramme() {
    lancement = false;
    vider(false);
}

bool TpanneauVariables::eventFilter(QObject* objet, QEvent* evenement) {
    // A zoomed text widens the columns fitted to it.
    if (objet == vueSuivi && evenement->type() == QEvent::FontChange) {
        ajusterHauteurLignes();
        if (modeleSuivi->rowCount() <= lignesAjustees)
            vueSuivi->resizeColumnsToContents();
    }
    if (objet == vueVariables && evenement->type() == QEvent::FontChange) {
        vueVariables->resizeColumnToContents(TmodeleVariables::colonneNom);
        vueVariables->resizeColumnToContents(TmodeleVariables::colonneType);
    }
    return QDockWidget::eventFilter(objet, evenement);
}

void TpanneauVariables::ajusterHauteurLignes() {
    // One line of text a row, in the table's own font.
    vueSuivi->verticalHeader()->setDefaultSectionSize(vueSuivi->fontMetrics().height() + 6);
}

void TpanneauVariables::commencer(const TdonneesCommunes& d) {
    lancement = true;
    analyseReussie = d.codeErreur == 0;
    pasVus = 0;
    if (!analyseReussie) {
        vider(true);
        return;
    }
    raisonVide->hide();
    modeleVariables->commencer(d);
    vueVariables->resizeColumnToContents(TmodeleVariables::colonneNom);
    vueVariables->resizeColumnToContents(TmodeleVariables::colonneType);
    modeleSuivi->commencer(colonnesSuivi(d));
}

void TpanneauVariables::noterPas(const TdonneesCommunes& d, int32_t ligne) {
    modeleSuivi->ajouter(ligneSuivi(d, modeleSuivi->colonnesSuivi(), ligne));
}

void TpanneauVariables::retirerPas(const TdonneesCommunes& d) {
    // Only a step that had its row (the trace may be cut).
    const auto& lignes = modeleSuivi->lignesSuivi();
    if (!lignes.empty() && lignes.back().pas > static_cast<uint32_t>(d.nbPas))
        modeleSuivi->retirerDerniere();
}

void TpanneauVariables::apresExecution(const TdonneesCommunes& d) {
    const bool debut = lancement;
    lancement = false;
    if (!analyseReussie)
        return;   // empty since the failed analysis or the program's change
    if (debut && d.modeExecution == executionCommentee && !dejaMontre) {
        dejaMontre = true;
        show();
        // A third of the window's height, the editor and the pane keep the rest.
        if (auto* fenetre = qobject_cast<QMainWindow*>(parentWidget()))
            fenetre->resizeDocks({this}, {fenetre->height() / 3}, Qt::Vertical);
    }
    if (debut || d.nbPas != pasVus) {
        modeleVariables->mettreAJour(d);
        pasVus = d.nbPas;
    }
    if (modeleSuivi->rowCount() <= lignesAjustees)
        vueSuivi->resizeColumnsToContents();
    // The last row is the step just taken: selected while the commented run goes on.
    if (d.modeExecution == executionCommentee && modeleSuivi->rowCount() > 0)
        vueSuivi->selectRow(modeleSuivi->rowCount() - 1);
    vueSuivi->scrollToBottom();
}
