#include "window/FenetrePrincipale.h"

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

TFenetrePrincipale::TFenetrePrincipale(std::unique_ptr<Tdialogues> dialogues, QWidget* parent)
    : QMainWindow(parent), d(std::make_unique<TdonneesCommunes>()) {
    creerControles();
    creerMenus();
    FormCreate(std::move(dialogues));
    equiperClasse();
}

TFenetrePrincipale::~TFenetrePrincipale() = default;

void TFenetrePrincipale::creerControles() {
    // The window's own font: the system face at 8 points, the size the
    // 13-pixel strips were drawn for.
    taillePolice(this, 8);

    SplitterProgAffich = new QSplitter(Qt::Horizontal, this);
    SplitterProgAffich->setHandleWidth(4);
    SplitterProgAffich->setChildrenCollapsible(false);
    SplitterProgAffich->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: rgb(0, 0, 255); }"));
    setCentralWidget(SplitterProgAffich);

    PanelProgrammeInfos = new QWidget(SplitterProgAffich);
    PanelProgrammeInfos->setMinimumWidth(largeurMinimale);
    auto* gauche = new QVBoxLayout(PanelProgrammeInfos);
    gauche->setContentsMargins(0, 0, 0, 0);
    gauche->setSpacing(0);
    PanelProgramme = new QWidget(PanelProgrammeInfos);
    auto* bandeau = new QVBoxLayout(PanelProgramme);
    bandeau->setContentsMargins(0, 0, 0, 0);
    LabelProgramme = new Tbandeau(u("Programme"), PanelProgramme);
    PanelProgramme->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);   // as tall as its strip
    bandeau->addWidget(LabelProgramme);
    memoProgramme = new TediteurProgramme(PanelProgrammeInfos);
    memoProgramme->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoProgramme->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memoProgramme->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    gauche->addWidget(PanelProgramme);
    gauche->addWidget(memoProgramme);

    PanelAffichage = new QWidget(SplitterProgAffich);
    PanelAffichage->setMinimumWidth(largeurMinimale);
    auto* droite = new QVBoxLayout(PanelAffichage);
    droite->setContentsMargins(0, 0, 0, 0);
    droite->setSpacing(0);
    LabelAffichages = new Tbandeau(u("Affichages"), PanelAffichage);
    RichEditAffichages = new TpanneauAffichages(PanelAffichage);
    RichEditAffichages->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEditAffichages->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette couleurs = RichEditAffichages->palette();
    couleurs.setColor(QPalette::Base, QColor(251, 253, 219));
    couleurs.setColor(QPalette::Text, Qt::black);   // readable on the fixed pale background
    RichEditAffichages->setPalette(couleurs);
    droite->addWidget(LabelAffichages);
    droite->addWidget(RichEditAffichages);

    // The left panel keeps its width when the window is resized.
    SplitterProgAffich->setStretchFactor(0, 0);
    SplitterProgAffich->setStretchFactor(1, 1);

    PanneauVariables = new TpanneauVariables(this);
    addDockWidget(Qt::BottomDockWidgetArea, PanneauVariables);
    PanneauVariables->hide();
}

QAction* TFenetrePrincipale::commande(QWidget* menu, const char* legende, const QKeySequence& raccourci,
                                      std::function<void()> gestionnaire) {
    auto* action = new QAction(u(legende), this);
    action->setShortcut(raccourci);
    action->setMenuRole(QAction::NoRole);
    menu->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, gestionnaire = std::move(gestionnaire)] { executerCommande(gestionnaire); });
    return action;
}

void TFenetrePrincipale::executerCommande(const std::function<void()>& gestionnaire) {
    const TcommandeEnCours enCours;   // a busy cursor if it lasts
    fenetre->retablirCoches();
    gestionnaire();
    fenetre->deverserAffichage();
}

void TFenetrePrincipale::creerMenus() {
    QMenuBar* barre = menuBar();
    const QKeySequence aucun;
    TdonneesCommunes& donnees = *d;

    QMenu* itemFichier = barre->addMenu(u("&Fichier"));
    itemNouveau = commande(itemFichier, "&Nouveau", aucun, [&donnees] { itemNouveauClick(donnees); });
    itemOuvrir = commande(itemFichier, "&Ouvrir", aucun, [&donnees] { itemOuvrirClick(donnees); });
    menuRecents = itemFichier->addMenu(u("Fichiers &récents"));
    menuExemples = itemFichier->addMenu(u("E&xemples"));
    itemEnregistrer = commande(itemFichier, "&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S),
                               [&donnees] { itemEnregistrerClick(donnees); });
    itemEnregistrerSous = commande(itemFichier, "Enregistrer &sous", aucun,
                                   [&donnees] { itemEnregistrerSousClick(donnees); });
    itemExporterSuivi = commande(itemFichier, "Ex&porter le suivi…", aucun,
                                 [this] { PanneauVariables->exporterSuivi(propositionSuivi()); });
    // Nothing to export until a commented run has taken a step.
    const auto exportPossible = [this] { itemExporterSuivi->setEnabled(PanneauVariables->modeleSuivi->rowCount() > 0); };
    TmodeleSuivi* suivi = PanneauVariables->modeleSuivi;
    connect(suivi, &QAbstractItemModel::modelReset, this, exportPossible);
    connect(suivi, &QAbstractItemModel::rowsInserted, this, exportPossible);
    connect(suivi, &QAbstractItemModel::rowsRemoved, this, exportPossible);
    exportPossible();

    QMenu* itemEdition = barre->addMenu(u("&Edition"));
    itemCopier = commande(itemEdition, "&Copier", QKeySequence(Qt::CTRL | Qt::Key_C), [this] { itemCopierClick(); });
    itemColler = commande(itemEdition, "C&oller", QKeySequence(Qt::CTRL | Qt::Key_V), [this] { itemCollerClick(); });
    itemSelectionnerTout = commande(itemEdition, "&Sélectionner tout", QKeySequence(Qt::CTRL | Qt::Key_A),
                                    [this] { itemSelectionnerToutClick(); });

    QMenu* ItemAffichage = barre->addMenu(u("&Affichage"));
    itemInformations = commande(ItemAffichage, "&Informations", aucun,
                                [&donnees] { choisirAffichage(donnees, modeInformations); });
    itemResultat = commande(ItemAffichage, "Résultats", aucun,
                            [&donnees] { choisirAffichage(donnees, modeResultats); });
    itemApropos = commande(ItemAffichage, "&A propos", aucun, [this] { itemAproposClick(); });
    itemInformations->setCheckable(true);
    itemResultat->setCheckable(true);
    menuAffichage = ItemAffichage;
    itemVariables = PanneauVariables->toggleViewAction();
    ItemAffichage->insertAction(itemApropos, itemVariables);

    QMenu* itemExecution = barre->addMenu(u("E&xécution"));
    itemExeNormale = commande(itemExecution, "&Normale", QKeySequence(Qt::CTRL | Qt::Key_E),
                              [this, &donnees] {
                                  recuperation->ecrireSiBesoin();
                                  lancerExecution(donnees, executionNormale);
                              });
    itemExePasApas = commande(itemExecution, "&Commentée pas à pas", aucun, [this, &donnees] {
        recuperation->ecrireSiBesoin();
        lancerExecution(donnees, executionCommentee);
    });

    // Two commands that sit directly on the bar.
    itemPoursuivre = commande(barre, "&Poursuivre (ctrl Q)", QKeySequence(Qt::CTRL | Qt::Key_Q),
                              [&donnees] { poursuivreExecution(donnees); });
    itemArreter = commande(barre, "A&rrêter", aucun, [&donnees] { arreterExecution(donnees); });
    // After each run command (connected after it, so run after it).
    for (QAction* action : {itemExeNormale, itemExePasApas, itemPoursuivre, itemArreter})
        connect(action, &QAction::triggered, this, [this] { PanneauVariables->apresExecution(*d); });
}

void TFenetrePrincipale::FormCreate(std::unique_ptr<Tdialogues> dialogues) {
    setWindowTitle(QStringLiteral("Trevane"));
    move(0, 0);
    resize(800, 600);
    SplitterProgAffich->setSizes({380, 800 - 380 - SplitterProgAffich->handleWidth()});

    TcontrolesFenetre controles;
    controles.fenetre = this;
    controles.memoProgramme = memoProgramme;
    controles.RichEditAffichages = RichEditAffichages;
    controles.LabelAffichages = LabelAffichages;
    controles.LabelProgramme = LabelProgramme;
    controles.itemPoursuivre = itemPoursuivre;
    controles.itemArreter = itemArreter;
    controles.itemResultat = itemResultat;
    controles.itemInformations = itemInformations;
    if (!dialogues)
        dialogues = std::make_unique<Tdialogues>();
    boites = dialogues.get();
    PanneauVariables->relier(memoProgramme, boites);
    fenetre = std::make_unique<TfenetreQt>(controles, std::move(dialogues));
    d->fenetre = fenetre.get();
    d->suivi = PanneauVariables;

    d->nomFichier.clear();
    d->fichierChoisi.clear();
}

void TFenetrePrincipale::FormShow() {
    zoom->inscrire(memoProgramme, true);   // the size kept from the last use, 10 pt at first
    zoom->inscrire(RichEditAffichages);
    zoom->inscrire(PanneauVariables);

    demarrerSession(*d, graineHorloge());
    modeleNouveauProgramme(*d);
    fenetre->deverserAffichage();
    QTimer::singleShot(0, recuperation, [this] { executerCommande([this] { recuperation->proposerRestauration(); }); });
}

void TFenetrePrincipale::equiperClasse() {
    reglages::restaurerFenetre(this, SplitterProgAffich);

    zoom = new Tzoom(this, reglages::pointsPolice(Tzoom::pointsNormal), reglages::chasseFixe());
    presentation = new Tpresentation(this, zoom, RichEditAffichages, SplitterProgAffich, {LabelProgramme, LabelAffichages});
    menuAffichage->addSeparator();
    zoom->ajouterCommandes(menuAffichage);
    menuAffichage->addSeparator();
    presentation->ajouterCommande(menuAffichage);
    connect(zoom, &Tzoom::pointsChanges, this, [this](int points) {
        if (!presentation->active())
            reglages::retenirPointsPolice(points);
    });
    connect(zoom->itemChasseFixe, &QAction::toggled, this, &reglages::retenirChasseFixe);

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
    depot->surveiller(memoProgramme);
    depot->surveiller(RichEditAffichages);

    recuperation = new Trecuperation(*d, memoProgramme->document(), boites, this);
}

void TFenetrePrincipale::ouvrirRecent(const QString& chemin) {
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

QString TFenetrePrincipale::propositionSuivi() const {
    // Beside the program, after its name; else in the folder used last.
    if (!d->nomFichier.empty()) {
        const QString programme = QString::fromStdString(d->nomFichier);
        return QFileInfo(programme).absolutePath() + QLatin1Char('/') +
               QString::fromStdString(nomProgramme(d->nomFichier)) + QStringLiteral("-suivi.csv");
    }
    const QString dossier = fenetre->dossierCourant();
    return dossier.isEmpty() ? QStringLiteral("suivi.csv") : dossier + QStringLiteral("/suivi.csv");
}

void TFenetrePrincipale::ouvrirFichier(const QString& chemin) {
    const QString complet = QFileInfo(chemin).absoluteFilePath();
    fenetre->noterDossier(complet);
    ouvrirFichierNomme(*d, complet.toUtf8().toStdString());
    fenetre->deverserAffichage();
}

void TFenetrePrincipale::showEvent(QShowEvent* evenement) {
    QMainWindow::showEvent(evenement);
    if (!montree) {
        montree = true;
        FormShow();
    }
}

void TFenetrePrincipale::closeEvent(QCloseEvent* evenement) {
    fenetre->deverserAffichage();
    if (!fenetre->editeurModifie() || confirmerAbandon(*d)) {
        evenement->accept();
        presentation->quitter();   // the window is kept as it is outside the mode
        reglages::retenirFenetre(this, SplitterProgAffich);
        recuperation->effacer();
    } else {
        evenement->ignore();
    }
}

// Edit commands act on the pane that has the focus; nothing is ever pasted
// into the display pane.

void TFenetrePrincipale::itemCopierClick() {
    if (RichEditAffichages->hasFocus())
        RichEditAffichages->copy();
    else if (memoProgramme->hasFocus())
        memoProgramme->copy();
}

void TFenetrePrincipale::itemCollerClick() {
    if (memoProgramme->hasFocus())
        memoProgramme->paste();
}

void TFenetrePrincipale::itemSelectionnerToutClick() {
    if (RichEditAffichages->hasFocus())
        RichEditAffichages->selectAll();
    else if (memoProgramme->hasFocus())
        memoProgramme->selectAll();
}

void TFenetrePrincipale::itemAproposClick() {
    static const std::string texte = depuisUtf8(
        "Trevane, logiciel pour une première initiation à l'algorithmique.\r\n"
        "Conçu et réalisé par l'équipe Trevane, avec Qt.");
    d->fenetre->afficherMessage(texte, "Trevane");
}
