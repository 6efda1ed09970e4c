#include "window/panneau_variables.h"

#include "base/fenetre.h"
#include "commands/fichiers.h"
#include "execution/suivi_csv.h"
#include "window/codage_qt.h"
#include "window/dialogues.h"
#include "window/editeur_programme.h"
#include "window/marge_lignes.h"
#include "window/modele_suivi.h"
#include "window/modele_variables.h"
#include "window/sauvegarde.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The trace's columns are fitted to their contents while the trace is short;
// later the learner's own widths stay.
constexpr int lignesAjustees = 50;

const QString titreExport = QStringLiteral("Exporter le suivi");

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
    vueSuivi->installEventFilter(this);
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

void TpanneauVariables::relier(TediteurProgramme* e, Tdialogues* b) {
    editeur = e;
    boites = b;
}

void TpanneauVariables::commencer(const TdonneesCommunes& d) {
    lancement = true;
    analyseReussie = d.codeErreur == 0;
    derniereExecutee = -1;
    pasVus = 0;
    if (editeur)
        editeur->marge()->effacerMarques();
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
    derniereExecutee = ligne;
    modeleSuivi->ajouter(ligneSuivi(d, modeleSuivi->colonnesSuivi(), ligne));
}

void TpanneauVariables::apresExecution(const TdonneesCommunes& d) {
    TmargeLignes* marge = editeur ? editeur->marge() : nullptr;
    const bool debut = lancement;
    lancement = false;
    if (debut && d.codeErreur != 0) {
        if (marge && d.ligneErreur != aucuneLigne)
            marge->marquerErreur(d.ligneErreur);
        return;
    }
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
    vueSuivi->scrollToBottom();
    if (!marge)
        return;
    if (d.modeExecution == executionCommentee) {
        const bool attend = d.erreurExecution == 0 && d.ligneCourante != aucuneLigne && d.fenetre &&
                            d.fenetre->poursuivreArreterActifs();
        marge->marquer(derniereExecutee, attend ? d.ligneCourante : -1);
    }
    if (d.erreurExecution != 0 && d.ligneErreur != aucuneLigne)
        marge->marquerErreur(d.ligneErreur);
}

bool TpanneauVariables::ecrireSuivi(QIODevice& fichier) const {
    // A whole file: the mark, the header, the rows, then "..." when the
    // table was cut. Row after row through a small buffer: the text of a
    // long trace is never held whole beside the table.
    constexpr size_t tailleTampon = size_t{64} << 10;
    const TcolonnesSuivi& colonnes = modeleSuivi->colonnesSuivi();
    std::string tampon(bomUtf8);
    tampon += enteteCsv(colonnes);
    const auto vider = [&] {
        const bool ecrit = fichier.write(tampon.data(), static_cast<qint64>(tampon.size())) ==
                           static_cast<qint64>(tampon.size());
        tampon.clear();
        return ecrit;
    };
    for (const TligneSuivi& ligne : modeleSuivi->lignesSuivi()) {
        tampon += ligneCsv(colonnes, ligne);
        if (tampon.size() >= tailleTampon && !vider())
            return false;
    }
    if (modeleSuivi->tronque())
        tampon += ligneCsvTronquee;
    return vider();
}

void TpanneauVariables::exporterSuivi(const QString& proposition) {
    if (!boites)
        return;
    QPointer<QWidget> focus = QApplication::focusWidget();
    if (modeleSuivi->rowCount() == 0) {
        boites->message(window(), QString::fromUtf8("Aucun pas commenté à exporter"), titreExport);
    } else {
        const QString chemin = boites->fichierSuiviAEnregistrer(window(), proposition);
        const std::string cheminUtf8 = chemin.toUtf8().toStdString();
        // Asked as Save As asks, No the default: a program may bear that name.
        const bool remplacer = chemin.isEmpty() || !QFileInfo::exists(chemin) ||
                               boites->confirmation(window(), texteQt(questionRemplacement(cheminUtf8)),
                                                    QStringLiteral("Attention"));
        QString raison;
        if (!chemin.isEmpty() && remplacer &&
            !sauvegarderFichier(chemin, [this](QIODevice& fichier) { return ecrireSuivi(fichier); }, &raison))
            boites->erreur(window(), texteQt(messageEchecCreation(cheminUtf8, vers1252(raison))));
    }
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}
