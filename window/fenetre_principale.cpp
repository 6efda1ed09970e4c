#include "window/fenetre_principale.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "commands/fichiers.h"
#include "commands/session.h"
#include "execution/affichages.h"
#include "execution/controle.h"
#include "execution/textes.h"
#include "window/bandeau.h"
#include "window/codage_qt.h"
#include "window/curseur_occupe.h"
#include "window/depot_fichiers.h"
#include "window/dialogues.h"
#include "window/editeur_programme.h"
#include "window/exemples.h"
#include "window/fenetre_qt.h"
#include "window/fichiers_recents.h"
#include "window/modele_suivi.h"
#include "window/panneau_affichages.h"
#include "window/panneau_variables.h"
#include "window/presentation.h"
#include "window/recuperation.h"
#include "window/reglages.h"
#include "window/zoom.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>


namespace {

constexpr int largeurMinimale = 200;   // neither side of the splitter goes below it

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

void taillePolice(QWidget* controle, int points) {
    QFont police = controle->font();
    police.setPointSize(points);
    controle->setFont(police);
}

} // namespace

TfenetrePrincipale::TfenetrePrincipale(std::unique_ptr<Tdialogues> dialogues, QWidget* parent)
    : QMainWindow(parent), d(std::make_unique<TdonneesCommunes>()) {
    creerControles();
    creerMenus();
    creerOperations(std::move(dialogues));
    equiperClasse();
}

TfenetrePrincipale::~TfenetrePrincipale() = default;

void TfenetrePrincipale::creerControles() {
    // The window's own font: the system face at 8 points, the size the
    // 13-pixel strips were drawn for.
    taillePolice(this, 8);

    separateur = new QSplitter(Qt::Horizontal, this);
    separateur->setHandleWidth(4);
    separateur->setChildrenCollapsible(false);
    separateur->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: rgb(0, 0, 255); }"));
    setCentralWidget(separateur);

    colonneProgramme = new QWidget(separateur);
    colonneProgramme->setMinimumWidth(largeurMinimale);
    auto* gauche = new QVBoxLayout(colonneProgramme);
    gauche->setContentsMargins(0, 0, 0, 0);
    gauche->setSpacing(0);
    cadreBandeauProgramme = new QWidget(colonneProgramme);
    auto* bandeau = new QVBoxLayout(cadreBandeauProgramme);
    bandeau->setContentsMargins(0, 0, 0, 0);
    bandeauProgramme = new Tbandeau(u("Programme"), cadreBandeauProgramme);
    cadreBandeauProgramme->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);   // as tall as its strip
    bandeau->addWidget(bandeauProgramme);
    editeur = new TediteurProgramme(colonneProgramme);
    editeur->setLineWrapMode(QPlainTextEdit::NoWrap);
    editeur->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    editeur->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    gauche->addWidget(cadreBandeauProgramme);
    gauche->addWidget(editeur);

    colonneAffichages = new QWidget(separateur);
    colonneAffichages->setMinimumWidth(largeurMinimale);
    auto* droite = new QVBoxLayout(colonneAffichages);
    droite->setContentsMargins(0, 0, 0, 0);
    droite->setSpacing(0);
    bandeauAffichages = new Tbandeau(u("Affichages"), colonneAffichages);
    panneauAffichages = new TpanneauAffichages(colonneAffichages);
    panneauAffichages->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panneauAffichages->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette couleurs = panneauAffichages->palette();
    couleurs.setColor(QPalette::Base, QColor(251, 253, 219));
    couleurs.setColor(QPalette::Text, Qt::black);   // readable on the fixed pale background
    panneauAffichages->setPalette(couleurs);
    droite->addWidget(bandeauAffichages);
    droite->addWidget(panneauAffichages);

    // The left panel keeps its width when the window is resized.
    separateur->setStretchFactor(0, 0);
    separateur->setStretchFactor(1, 1);

    panneauVariables = new TpanneauVariables(this);
    addDockWidget(Qt::BottomDockWidgetArea, panneauVariables);
    panneauVariables->hide();
}

QAction* TfenetrePrincipale::commande(QWidget* menu, const char* legende, const QKeySequence& raccourci,
                                      std::function<void()> gestionnaire) {
    auto* action = new QAction(u(legende), this);
    action->setShortcut(raccourci);
    action->setMenuRole(QAction::NoRole);
    menu->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, gestionnaire = std::move(gestionnaire)] { executerCommande(gestionnaire); });
    return action;
}

void TfenetrePrincipale::executerCommande(const std::function<void()>& gestionnaire) {
    const TcommandeEnCours enCours;   // a busy cursor if it lasts
    fenetre->retablirCoches();
    gestionnaire();
    fenetre->deverserAffichage();
}

void TfenetrePrincipale::creerMenus() {
    QMenuBar* barre = menuBar();
    const QKeySequence aucun;
    TdonneesCommunes& donnees = *d;

    QMenu* menuFichier = barre->addMenu(u("&Fichier"));
    actionNouveau = commande(menuFichier, "&Nouveau", aucun, [&donnees] { itemNouveauClick(donnees); });
    actionOuvrir = commande(menuFichier, "&Ouvrir", aucun, [&donnees] { itemOuvrirClick(donnees); });
    menuRecents = menuFichier->addMenu(u("Fichiers &récents"));
    menuExemples = menuFichier->addMenu(u("E&xemples"));
    actionEnregistrer = commande(menuFichier, "&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S),
                               [&donnees] { itemEnregistrerClick(donnees); });
    actionEnregistrerSous = commande(menuFichier, "Enregistrer &sous", aucun,
                                   [&donnees] { itemEnregistrerSousClick(donnees); });
    actionExporterSuivi = commande(menuFichier, "Ex&porter le suivi…", aucun,
                                 [this] { panneauVariables->exporterSuivi(propositionSuivi()); });
    // Nothing to export until a commented run has taken a step.
    const auto exportPossible = [this] { actionExporterSuivi->setEnabled(panneauVariables->modeleSuivi->rowCount() > 0); };
    TmodeleSuivi* suivi = panneauVariables->modeleSuivi;
    connect(suivi, &QAbstractItemModel::modelReset, this, exportPossible);
    connect(suivi, &QAbstractItemModel::rowsInserted, this, exportPossible);
    connect(suivi, &QAbstractItemModel::rowsRemoved, this, exportPossible);
    exportPossible();

    QMenu* menuEdition = barre->addMenu(u("&Edition"));
    actionCopier = commande(menuEdition, "&Copier", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { copier(); });
    actionColler = commande(menuEdition, "C&oller", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { coller(); });
    actionSelectionnerTout = commande(menuEdition, "&Sélectionner tout", QKeySequence(Qt::CTRL | Qt::Key_A),
                                    [this] { selectionnerTout(); });

    QMenu* menuAffichage = barre->addMenu(u("&Affichage"));
    actionInformations = commande(menuAffichage, "&Informations", aucun,
                                [&donnees] { choisirAffichage(donnees, modeInformations); });
    actionResultat = commande(menuAffichage, "Résultats", aucun,
                            [&donnees] { choisirAffichage(donnees, modeResultats); });
    actionAPropos = commande(menuAffichage, "&A propos", aucun, [this] { aPropos(); });
    actionInformations->setCheckable(true);
    actionResultat->setCheckable(true);
    menuAffichage = menuAffichage;
    actionVariables = panneauVariables->toggleViewAction();
    menuAffichage->insertAction(actionAPropos, actionVariables);

    QMenu* menuExecution = barre->addMenu(u("E&xécution"));
    actionExecutionNormale = commande(menuExecution, "&Normale", QKeySequence(Qt::CTRL | Qt::Key_E),
                              [this, &donnees] {
                                  recuperation->ecrireSiBesoin();
                                  lancerExecution(donnees, executionNormale);
                              });
    actionPasAPas = commande(menuExecution, "&Commentée pas à pas", aucun, [this, &donnees] {
        recuperation->ecrireSiBesoin();
        lancerExecution(donnees, executionCommentee);
    });

    // Two commands that sit directly on the bar.
    actionPoursuivre = commande(barre, "&Poursuivre (ctrl Q)", QKeySequence(Qt::CTRL | Qt::Key_Q),
                              [&donnees] { poursuivreExecution(donnees); });
    actionArreter = commande(barre, "A&rrêter", aucun, [&donnees] { arreterExecution(donnees); });
    // After each run command (connected after it, so run after it).
    for (QAction* action : {actionExecutionNormale, actionPasAPas, actionPoursuivre, actionArreter})
        connect(action, &QAction::triggered, this, [this] { panneauVariables->apresExecution(*d); });
}

void TfenetrePrincipale::creerOperations(std::unique_ptr<Tdialogues> dialogues) {
    setWindowTitle(QStringLiteral("Trevane"));
    move(0, 0);
    resize(800, 600);
    separateur->setSizes({380, 800 - 380 - separateur->handleWidth()});

    TcontrolesFenetre controles;
    controles.fenetre = this;
    controles.editeur = editeur;
    controles.panneauAffichages = panneauAffichages;
    controles.bandeauAffichages = bandeauAffichages;
    controles.bandeauProgramme = bandeauProgramme;
    controles.actionPoursuivre = actionPoursuivre;
    controles.actionArreter = actionArreter;
    controles.actionResultat = actionResultat;
    controles.actionInformations = actionInformations;
    if (!dialogues)
        dialogues = std::make_unique<Tdialogues>();
    boites = dialogues.get();
    panneauVariables->relier(editeur, boites);
    fenetre = std::make_unique<TfenetreQt>(controles, std::move(dialogues));
    d->fenetre = fenetre.get();
    d->suivi = panneauVariables;

    d->nomFichier.clear();
    d->fichierChoisi.clear();
}

void TfenetrePrincipale::premierAffichage() {
    zoom->inscrire(editeur, true);   // the size kept from the last use, 10 pt at first
    zoom->inscrire(panneauAffichages);
    zoom->inscrire(panneauVariables);

    demarrerSession(*d, graineHorloge());
    modeleNouveauProgramme(*d);
    fenetre->deverserAffichage();
    QTimer::singleShot(0, recuperation, [this] { executerCommande([this] { recuperation->proposerRestauration(); }); });
}

void TfenetrePrincipale::equiperClasse() {
    reglages::restaurerFenetre(this, separateur);

    zoom = new Tzoom(this, reglages::pointsPolice(Tzoom::pointsNormal), reglages::chasseFixe());
    presentation = new Tpresentation(this, zoom, panneauAffichages, separateur, {bandeauProgramme, bandeauAffichages});
    menuAffichage->addSeparator();
    zoom->ajouterCommandes(menuAffichage);
    menuAffichage->addSeparator();
    presentation->ajouterCommande(menuAffichage);
    connect(zoom, &Tzoom::pointsChanges, this, [this](int points) {
        if (!presentation->active())
            reglages::retenirPointsPolice(points);
    });
    connect(zoom->actionChasseFixe, &QAction::toggled, this, &reglages::retenirChasseFixe);

    recents = new TfichiersRecents(menuRecents, [this](const QString& chemin) { ouvrirRecent(chemin); });
    fenetre->quandFichierUtilise = [this](const QString& chemin) {
        recents->noter(chemin);
        reglages::retenirDernierDossier(QFileInfo(chemin).absolutePath());
    };
    ajouterExemples(menuExemples, [this](const Texemple& exemple) {
        executerCommande([&] { ouvrirExemple(*d, exemple.texte.toStdString()); });
    });
    depot = new TdepotFichiers(this, [this](const QString& chemin) {
        executerCommande([&] { ouvrirFichierNomme(*d, chemin.toUtf8().toStdString()); });
    });
    depot->surveiller(editeur);
    depot->surveiller(panneauAffichages);

    recuperation = new Trecuperation(*d, editeur->document(), boites, this);
}

void TfenetrePrincipale::ouvrirRecent(const QString& chemin) {
    executerCommande([&] {
        const QFileInfo fichier(chemin);
        if (fichier.isFile()) {
            ouvrirFichierNomme(*d, chemin.toUtf8().toStdString());
            return;
        }
        recents->retirer(chemin);
        // A folder, a device or a pipe under that name is not read.
        const char* const texte = fichier.exists() ? "%1 n'est pas un fichier ; il est retiré des fichiers récents."
                                                   : "Le fichier %1 n'existe plus ; il est retiré des fichiers récents.";
        fenetre->afficherErreur(vers1252(u(texte).arg(chemin)));
    });
}

QString TfenetrePrincipale::propositionSuivi() const {
    // Beside the program, after its name; else in the folder used last.
    if (!d->nomFichier.empty()) {
        const QString programme = QString::fromStdString(d->nomFichier);
        return QFileInfo(programme).absolutePath() + QLatin1Char('/') +
               QString::fromStdString(nomProgramme(d->nomFichier)) + QStringLiteral("-suivi.csv");
    }
    const QString dossier = fenetre->dossierCourant();
    return dossier.isEmpty() ? QStringLiteral("suivi.csv") : dossier + QStringLiteral("/suivi.csv");
}

void TfenetrePrincipale::ouvrirFichier(const QString& chemin) {
    const QString complet = QFileInfo(chemin).absoluteFilePath();
    fenetre->noterDossier(complet);
    ouvrirFichierNomme(*d, complet.toUtf8().toStdString());
    fenetre->deverserAffichage();
}

void TfenetrePrincipale::showEvent(QShowEvent* evenement) {
    QMainWindow::showEvent(evenement);
    if (!montree) {
        montree = true;
        premierAffichage();
    }
}

void TfenetrePrincipale::closeEvent(QCloseEvent* evenement) {
    fenetre->deverserAffichage();
    if (!fenetre->editeurModifie() || confirmerAbandon(*d)) {
        evenement->accept();
        presentation->quitter();   // the window is kept as it is outside the mode
        reglages::retenirFenetre(this, separateur);
        recuperation->effacer();
    } else {
        evenement->ignore();
    }
}

// Edit commands act on the pane that has the focus; nothing is ever pasted
// into the display pane.

void TfenetrePrincipale::copier() {
    if (panneauAffichages->hasFocus())
        panneauAffichages->copy();
    else if (editeur->hasFocus())
        editeur->copy();
}

void TfenetrePrincipale::coller() {
    if (editeur->hasFocus())
        editeur->paste();
}

void TfenetrePrincipale::selectionnerTout() {
    if (panneauAffichages->hasFocus())
        panneauAffichages->selectAll();
    else if (editeur->hasFocus())
        editeur->selectAll();
}

void TfenetrePrincipale::aPropos() {
    static const std::string texte = depuisUtf8(
        "Trevane, logiciel pour une première initiation à l'algorithmique.\r\n"
        "Conçu et réalisé par l'équipe Trevane, avec Qt.");
    d->fenetre->afficherMessage(texte, "Trevane");
}
