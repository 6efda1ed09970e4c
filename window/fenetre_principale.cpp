#include "window/fenetre_principale.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "commands/fichiers.h"
#include "commands/session.h"
#include "execution/affichages.h"
#include "execution/controle.h"
#include "execution/historique.h"
#include "execution/points_arret.h"
#include "execution/textes.h"
#include "window/accessibilite/accessibilite.h"
#include "window/accessibilite/couleurs.h"
#include "window/affichages/panneau_affichages.h"
#include "window/bandeau.h"
#include "window/classe/depot_fichiers.h"
#include "window/classe/exemples.h"
#include "window/classe/fichiers_recents.h"
#include "window/classe/presentation.h"
#include "window/classe/recuperation.h"
#include "window/classe/zoom.h"
#include "window/codage_qt.h"
#include "window/curseur_occupe.h"
#include "window/dialogues.h"
#include "window/editeur/editeur_programme.h"
#include "window/editeur/marge_lignes.h"
#include "window/editeur/marques_execution.h"
#include "window/export_suivi.h"
#include "window/fenetre_qt.h"
#include "window/impression/impression.h"
#include "window/organigramme/commandes_organigramme.h"
#include "window/organigramme/panneau_organigramme.h"
#include "window/organigramme/vue_organigramme.h"
#include "window/panneaux/modele_suivi.h"
#include "window/panneaux/panneau_variables.h"
#include "window/reglages.h"
#include "window/suivis_fenetre.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>


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
    c.fenetre = this;

    c.separateur = new QSplitter(Qt::Horizontal, this);
    c.separateur->setHandleWidth(4);
    c.separateur->setChildrenCollapsible(false);
    c.separateur->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: rgb(0, 0, 255); }"));
    setCentralWidget(c.separateur);

    c.colonneProgramme = new QWidget(c.separateur);
    c.colonneProgramme->setMinimumWidth(largeurMinimale);
    auto* gauche = new QVBoxLayout(c.colonneProgramme);
    gauche->setContentsMargins(0, 0, 0, 0);
    gauche->setSpacing(0);
    c.cadreBandeauProgramme = new QWidget(c.colonneProgramme);
    auto* bandeau = new QVBoxLayout(c.cadreBandeauProgramme);
    bandeau->setContentsMargins(0, 0, 0, 0);
    c.bandeauProgramme = new Tbandeau(u("Programme"), c.cadreBandeauProgramme);
    c.cadreBandeauProgramme->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);   // as tall as its strip
    bandeau->addWidget(c.bandeauProgramme);
    c.editeur = new TediteurProgramme(c.colonneProgramme);
    c.editeur->setLineWrapMode(QPlainTextEdit::NoWrap);
    c.editeur->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c.editeur->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    gauche->addWidget(c.cadreBandeauProgramme);
    gauche->addWidget(c.editeur);

    c.colonneAffichages = new QWidget(c.separateur);
    c.colonneAffichages->setMinimumWidth(largeurMinimale);
    auto* droite = new QVBoxLayout(c.colonneAffichages);
    droite->setContentsMargins(0, 0, 0, 0);
    droite->setSpacing(0);
    c.bandeauAffichages = new Tbandeau(u("Affichages"), c.colonneAffichages);
    c.panneauAffichages = new TpanneauAffichages(c.colonneAffichages);
    c.panneauAffichages->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.panneauAffichages->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    colorerAffichages(c.panneauAffichages, paletteSombre(QApplication::palette()));   // pale yellow, or dark
    droite->addWidget(c.bandeauAffichages);
    droite->addWidget(c.panneauAffichages);

    // The left panel keeps its width when the window is resized.
    c.separateur->setStretchFactor(0, 0);
    c.separateur->setStretchFactor(1, 1);

    c.panneauVariables = new TpanneauVariables(this);   // objectName "PanneauVariables", kept in the settings
    addDockWidget(Qt::BottomDockWidgetArea, c.panneauVariables);
    c.panneauVariables->hide();
    c.panneauOrganigramme = new TpanneauOrganigramme(this);   // objectName "PanneauOrganigramme"
    addDockWidget(Qt::RightDockWidgetArea, c.panneauOrganigramme);
    c.panneauOrganigramme->hide();

    const std::pair<QObject*, const char*> noms[] = {
        {c.separateur, "separateur"},
        {c.colonneProgramme, "colonneProgramme"},
        {c.cadreBandeauProgramme, "cadreBandeauProgramme"},
        {c.bandeauProgramme, "bandeauProgramme"},
        {c.editeur, "editeur"},
        {c.colonneAffichages, "colonneAffichages"},
        {c.bandeauAffichages, "bandeauAffichages"},
        {c.panneauAffichages, "panneauAffichages"},
    };
    for (const auto& [controle, nom] : noms)
        controle->setObjectName(QLatin1String(nom));
}

QAction* TfenetrePrincipale::commande(QWidget* menu, const char* nom, const char* legende,
                                      const QKeySequence& raccourci, std::function<void()> gestionnaire,
                                      bool execution) {
    auto* action = new QAction(u(legende), this);
    action->setObjectName(QLatin1String(nom));
    action->setShortcut(raccourci);
    action->setMenuRole(QAction::NoRole);
    menu->addAction(action);
    connect(action, &QAction::triggered, this, [this, gestionnaire = std::move(gestionnaire), execution] {
        executerCommande(gestionnaire, execution);
    });
    return action;
}

void TfenetrePrincipale::executerCommande(const std::function<void()>& gestionnaire, bool execution) {
    const TcommandeEnCours enCours;   // a busy cursor if it lasts
    fenetre->retablirCoches();
    gestionnaire();
    fenetre->deverserAffichage();
    if (execution) {
        marques->apresExecution(*d);
        c.panneauVariables->apresExecution(*d);
        c.panneauOrganigramme->apresExecution(*d);
    }
}

void TfenetrePrincipale::creerCommandesArret(QMenu* menuExecution) {
    TdonneesCommunes& donnees = *d;
    menuExecution->addSeparator();
    c.actionPointArret = commande(menuExecution, "actionPointArret", "Point d'&arrêt", QKeySequence(Qt::Key_F9),
                                  [this] { basculerPointArretCurseur(); });
    c.actionJusquAuPointArret = commande(menuExecution, "actionJusquAuPointArret",
                                         "Poursuivre &jusqu'au prochain point d'arrêt", QKeySequence(Qt::Key_F5),
                                         [&donnees] { poursuivreJusquAuPointArret(donnees); }, true);
    c.actionJusquAuCurseur = commande(menuExecution, "actionJusquAuCurseur", "Exécuter jusqu'au c&urseur",
                                      QKeySequence(Qt::Key_F4), [this, &donnees] {
                                          c.recuperation->ecrireSiBesoin();
                                          executerJusquAuCurseur(donnees, c.editeur->textCursor().blockNumber());
                                      }, true);
    c.actionPasPrecedent = commande(menuExecution, "actionPasPrecedent", "Pas &précédent",
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Q),
                                    [&donnees] { pasPrecedent(donnees); }, true);
    // Only a commented run goes step by step to a breakpoint, or back.
    const auto etat = [this] {
        const bool commentee = c.actionPoursuivre->isEnabled() && d->modeExecution == executionCommentee;
        c.actionJusquAuPointArret->setEnabled(commentee);
        c.actionPasPrecedent->setEnabled(commentee && pasPrecedentPossible(*d));
        c.actionPasPrecedent->setToolTip(depuis1252(raisonPasPrecedent(*d)));
    };
    connect(c.actionPoursuivre, &QAction::enabledChanged, this, etat);
    // After each run command (connected after the command itself).
    for (QAction* action : {c.actionExecutionNormale, c.actionPasAPas, c.actionPoursuivre, c.actionArreter,
                            c.actionJusquAuPointArret, c.actionJusquAuCurseur, c.actionPasPrecedent})
        connect(action, &QAction::triggered, this, etat);
    connect(menuExecution, &QMenu::aboutToShow, this, etat);
    etat();
    connect(c.editeur->marge(), &TmargeLignes::ligneCliquee, this, [this](int ligne) {
        basculerPointArret(*d, ligne);
        marques->montrerPointsArret(*d);
    });
}

void TfenetrePrincipale::basculerPointArretCurseur() {
    basculerPointArret(*d, c.editeur->textCursor().blockNumber());
    marques->montrerPointsArret(*d);
}

void TfenetrePrincipale::creerMenus() {
    QMenuBar* barre = menuBar();
    const QKeySequence aucun;
    constexpr bool execution = true;   // a run command: the run's followers take its result
    TdonneesCommunes& donnees = *d;

    QMenu* menuFichier = barre->addMenu(u("&Fichier"));
    c.actionNouveau = commande(menuFichier, "actionNouveau", "&Nouveau", aucun,
                               [&donnees] { itemNouveauClick(donnees); });
    c.actionOuvrir = commande(menuFichier, "actionOuvrir", "&Ouvrir", aucun,
                              [&donnees] { itemOuvrirClick(donnees); });
    c.menuRecents = menuFichier->addMenu(u("Fichiers &récents"));
    c.menuRecents->setObjectName(QStringLiteral("menuRecents"));
    c.menuExemples = menuFichier->addMenu(u("E&xemples"));
    c.menuExemples->setObjectName(QStringLiteral("menuExemples"));
    c.actionEnregistrer = commande(menuFichier, "actionEnregistrer", "&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S),
                                   [&donnees] { itemEnregistrerClick(donnees); });
    c.actionEnregistrerSous = commande(menuFichier, "actionEnregistrerSous", "Enregistrer &sous", aucun,
                                       [&donnees] { itemEnregistrerSousClick(donnees); });
    c.actionExporterSuivi = commande(menuFichier, "actionExporterSuivi", "Ex&porter le suivi…", aucun, [this] {
        exporterSuivi(c.panneauVariables->window(), *boites, *c.panneauVariables->modeleSuivi, propositionSuivi());
    });
    // Nothing to export until a commented run has taken a step.
    TmodeleSuivi* suivi = c.panneauVariables->modeleSuivi;
    const auto exportPossible = [this, suivi] { c.actionExporterSuivi->setEnabled(suivi->rowCount() > 0); };
    connect(suivi, &QAbstractItemModel::modelReset, this, exportPossible);
    connect(suivi, &QAbstractItemModel::rowsInserted, this, exportPossible);
    connect(suivi, &QAbstractItemModel::rowsRemoved, this, exportPossible);
    exportPossible();
    c.actionExporterOrganigramme = commande(menuFichier, "actionExporterOrganigramme", "Exporter l'or&ganigramme…",
                                            aucun, [this] { commandeExporterOrganigramme(this, *boites, c, *d); });
    c.actionImprimer = commande(menuFichier, "actionImprimer", "&Imprimer…", QKeySequence(Qt::CTRL | Qt::Key_P),
                                [this] { commandeImprimer(this, c, *d); });
    c.actionExporterPdf = commande(menuFichier, "actionExporterPdf", "Exporter en P&DF…", aucun,
                                   [this] { commandeExporterPdf(this, *boites, c, *d); });

    QMenu* menuEdition = barre->addMenu(u("&Edition"));
    c.actionCopier = commande(menuEdition, "actionCopier", "&Copier", QKeySequence(Qt::CTRL | Qt::Key_C),
                              [this] { copier(); });
    c.actionColler = commande(menuEdition, "actionColler", "C&oller", QKeySequence(Qt::CTRL | Qt::Key_V),
                              [this] { coller(); });
    c.actionSelectionnerTout = commande(menuEdition, "actionSelectionnerTout", "&Sélectionner tout",
                                        QKeySequence(Qt::CTRL | Qt::Key_A), [this] { selectionnerTout(); });

    c.menuAffichage = barre->addMenu(u("&Affichage"));
    c.menuAffichage->setObjectName(QStringLiteral("menuAffichage"));
    c.actionInformations = commande(c.menuAffichage, "actionInformations", "&Informations", aucun,
                                    [&donnees] { choisirAffichage(donnees, modeInformations); });
    c.actionResultat = commande(c.menuAffichage, "actionResultat", "Résultats", aucun,
                                [&donnees] { choisirAffichage(donnees, modeResultats); });
    c.actionAPropos = commande(c.menuAffichage, "actionAPropos", "&A propos", aucun, [this] { aPropos(); });
    c.actionInformations->setCheckable(true);
    c.actionResultat->setCheckable(true);
    c.actionVariables = c.panneauVariables->toggleViewAction();
    c.actionVariables->setObjectName(QStringLiteral("actionVariables"));
    c.menuAffichage->insertAction(c.actionAPropos, c.actionVariables);
    c.actionOrganigramme = c.panneauOrganigramme->toggleViewAction();
    c.actionOrganigramme->setObjectName(QStringLiteral("actionOrganigramme"));
    c.menuAffichage->insertAction(c.actionAPropos, c.actionOrganigramme);

    QMenu* menuExecution = barre->addMenu(u("E&xécution"));
    c.actionExecutionNormale = commande(menuExecution, "actionExecutionNormale", "&Normale",
                                        QKeySequence(Qt::CTRL | Qt::Key_E), [this, &donnees] {
                                            c.recuperation->ecrireSiBesoin();
                                            lancerExecution(donnees, executionNormale);
                                        }, execution);
    c.actionPasAPas = commande(menuExecution, "actionPasAPas", "&Commentée pas à pas", aucun, [this, &donnees] {
        c.recuperation->ecrireSiBesoin();
        lancerExecution(donnees, executionCommentee);
    }, execution);

    // Two commands that sit directly on the bar.
    c.actionPoursuivre = commande(barre, "actionPoursuivre", "&Poursuivre (ctrl Q)", QKeySequence(Qt::CTRL | Qt::Key_Q),
                                  [&donnees] { poursuivreExecution(donnees); }, execution);
    c.actionArreter = commande(barre, "actionArreter", "A&rrêter", aucun,
                               [&donnees] { arreterExecution(donnees); }, execution);
    creerCommandesArret(menuExecution);
}

void TfenetrePrincipale::creerOperations(std::unique_ptr<Tdialogues> dialogues) {
    setWindowTitle(QStringLiteral("Trevane"));
    move(0, 0);
    resize(800, 600);
    c.separateur->setSizes({380, 800 - 380 - c.separateur->handleWidth()});

    if (!dialogues)
        dialogues = std::make_unique<Tdialogues>();
    boites = dialogues.get();
    fenetre = std::make_unique<TfenetreQt>(c, std::move(dialogues));
    d->fenetre = fenetre.get();
    // The run is followed by the gutter marks and the Variables panel.
    marques = std::make_unique<TmarquesMarge>(c.editeur);
    suivis = std::make_unique<TsuivisFenetre>(
        std::initializer_list<Tsuivi*>{marques.get(), c.panneauVariables, c.panneauOrganigramme});
    brancherOrganigramme(c, *d);
    c.panneauVariables->selectionnerLigne = [this](int ligne) { selectionnerLigne(*d, ligne); };
    d->suivi = suivis.get();

    d->nomFichier.clear();
    d->fichierChoisi.clear();
}

void TfenetrePrincipale::premierAffichage() {
    c.zoom->inscrire(c.editeur, true);   // the size kept from the last use, 10 pt at first
    c.zoom->inscrire(c.panneauAffichages);
    c.zoom->inscrire(c.panneauVariables);
    c.zoom->inscrire(c.panneauOrganigramme->vue);

    demarrerSession(*d, graineHorloge());
    modeleNouveauProgramme(*d);
    fenetre->deverserAffichage();
    QTimer::singleShot(0, c.recuperation,
                       [this] { executerCommande([this] { c.recuperation->proposerRestauration(); }); });
}

void TfenetrePrincipale::equiperClasse() {
    reglages::restaurerFenetre(this, c.separateur);

    c.accessibilite = new Taccessibilite(c, *d);
    c.zoom = new Tzoom(this, reglages::pointsPolice(Taccessibilite::pointsDeBase()), reglages::chasseFixe());
    c.presentation = new Tpresentation(this, c.zoom, c.panneauAffichages, c.separateur,
                                       {c.bandeauProgramme, c.bandeauAffichages});
    c.menuAffichage->addSeparator();
    c.zoom->ajouterCommandes(c.menuAffichage);
    c.menuAffichage->addSeparator();
    c.presentation->ajouterCommande(c.menuAffichage);
    connect(c.zoom, &Tzoom::pointsChanges, this, [this](int points) {
        if (!c.presentation->active())
            reglages::retenirPointsPolice(points);
    });
    connect(c.zoom->actionChasseFixe, &QAction::toggled, this, &reglages::retenirChasseFixe);

    c.recents = new TfichiersRecents(c.menuRecents, [this](const QString& chemin) { ouvrirRecent(chemin); });
    fenetre->quandFichierUtilise = [this](const QString& chemin) {
        c.recents->noter(chemin);
        reglages::retenirDernierDossier(QFileInfo(chemin).absolutePath());
    };
    ajouterExemples(c.menuExemples, [this](const Texemple& exemple) {
        executerCommande([&] { ouvrirExemple(*d, exemple.texte.toStdString()); });
    });
    c.depot = new TdepotFichiers(this, [this](const QString& chemin) {
        executerCommande([&] { ouvrirFichierNomme(*d, chemin.toUtf8().toStdString()); });
    });
    c.depot->surveiller(c.editeur);
    c.depot->surveiller(c.panneauAffichages);

    c.recuperation = new Trecuperation(*d, c.editeur->document(), boites, this);
}

void TfenetrePrincipale::ouvrirRecent(const QString& chemin) {
    executerCommande([&] {
        const QFileInfo fichier(chemin);
        if (fichier.isFile()) {
            ouvrirFichierNomme(*d, chemin.toUtf8().toStdString());
            return;
        }
        c.recents->retirer(chemin);
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
        c.presentation->quitter();   // the window is kept as it is outside the mode
        reglages::retenirFenetre(this, c.separateur);
        c.recuperation->effacer();
    } else {
        evenement->ignore();
    }
}

// Edit commands act on the pane that has the focus; nothing is ever pasted
// into the display pane.

void TfenetrePrincipale::copier() {
    if (c.panneauAffichages->hasFocus())
        c.panneauAffichages->copy();
    else if (c.editeur->hasFocus())
        c.editeur->copy();
}

void TfenetrePrincipale::coller() {
    if (c.editeur->hasFocus())
        c.editeur->paste();
}

void TfenetrePrincipale::selectionnerTout() {
    if (c.panneauAffichages->hasFocus())
        c.panneauAffichages->selectAll();
    else if (c.editeur->hasFocus())
        c.editeur->selectAll();
}

void TfenetrePrincipale::aPropos() {
    static const std::string texte = depuisUtf8(
        "Trevane, logiciel pour une première initiation à l'algorithmique.\r\n"
        "Conçu et réalisé par l'équipe Trevane, avec Qt.");
    d->fenetre->afficherMessage(texte, "Trevane");
}
