#include "window/FenetrePrincipale.h"

#include "analysis/codage.h"
#include "analysis/donnees.h"
#include "execution/controle.h"
#include "expressions/hasard.h"
#include "window/affichages.h"
#include "window/dialogues.h"
#include "window/editeur_programme.h"
#include "window/fenetre_qt.h"
#include "window/fichiers.h"
#include "window/panneau_affichages.h"
#include "window/panneau_variables.h"
#include "window/textes.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr int largeurMinimale = 200;   // neither side of the splitter goes below it

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

QLabel* etiquetteCentree(const char* texte, QWidget* parent) {
    auto* label = new QLabel(u(texte), parent);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);   // a file name is never markup
    label->setFixedHeight(13);
    return label;
}

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
    PanelProgramme->setFixedHeight(13);
    auto* bandeau = new QVBoxLayout(PanelProgramme);
    bandeau->setContentsMargins(0, 0, 0, 0);
    LabelProgramme = etiquetteCentree("Programme", PanelProgramme);
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
    LabelAffichages = etiquetteCentree("Affichages", PanelAffichage);
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
    connect(action, &QAction::triggered, this, [this, gestionnaire = std::move(gestionnaire)] {
        fenetre->retablirCoches();
        gestionnaire();
        fenetre->deverserAffichage();
    });
    return action;
}

void TFenetrePrincipale::creerMenus() {
    QMenuBar* barre = menuBar();
    const QKeySequence aucun;
    TdonneesCommunes& donnees = *d;

    QMenu* itemFichier = barre->addMenu(u("&Fichier"));
    itemNouveau = commande(itemFichier, "&Nouveau", aucun, [&donnees] { itemNouveauClick(donnees); });
    itemOuvrir = commande(itemFichier, "&Ouvrir", aucun, [&donnees] { itemOuvrirClick(donnees); });
    itemEnregistrer = commande(itemFichier, "&Enregistrer", QKeySequence(Qt::CTRL | Qt::Key_S),
                               [&donnees] { itemEnregistrerClick(donnees); });
    itemEnregistrerSous = commande(itemFichier, "Enregistrer &sous", aucun,
                                   [&donnees] { itemEnregistrerSousClick(donnees); });
    itemExporterSuivi = commande(itemFichier, "Exporter le suivi…", aucun, [this] { PanneauVariables->exporterSuivi(); });

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
    itemVariables = PanneauVariables->toggleViewAction();
    ItemAffichage->insertAction(itemApropos, itemVariables);

    QMenu* itemExecution = barre->addMenu(u("E&xécution"));
    itemExeNormale = commande(itemExecution, "&Normale", QKeySequence(Qt::CTRL | Qt::Key_E),
                              [&donnees] { lancerExecution(donnees, executionNormale); });
    itemExePasApas = commande(itemExecution, "&Commentée pas à pas", aucun,
                              [&donnees] { lancerExecution(donnees, executionCommentee); });

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
    PanneauVariables->relier(memoProgramme, dialogues.get());
    fenetre = std::make_unique<TfenetreQt>(controles, std::move(dialogues));
    d->fenetre = fenetre.get();
    d->suivi = PanneauVariables;

    RichEditAffichages->setReadOnly(true);
    RichEditAffichages->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    d->nomFichier.clear();
    d->fichierChoisi.clear();
}

void TFenetrePrincipale::FormShow() {
    const QTime heure = QDateTime::currentDateTimeUtc().time();
    const uint32_t graine =
        static_cast<uint32_t>(((heure.hour() * 60 + heure.minute()) * 60 + heure.second()) * 1000 + heure.msec());
    initialiserHasard(*d, graine);

    taillePolice(memoProgramme, 10);
    taillePolice(RichEditAffichages, 10);
    RichEditAffichages->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    fenetre->viderAffichage();
    afficherInformations(*d);
    d->resultatsSauves = depuisUtf8("Aucun résultat disponible");
    d->modeAffichage = modeInformations;
    fenetre->cocherInformations(true);
    fenetre->cocherResultat(false);
    fenetre->legendeAffichages(depuisUtf8("Affichage - Informations"));
    fenetre->activerPoursuivreArreter(false);
    modeleNouveauProgramme(*d);
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
    if (!fenetre->editeurModifie() || confirmerAbandon(*d))
        evenement->accept();
    else
        evenement->ignore();
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
