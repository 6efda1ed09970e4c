#include "window/fenetre_qt.h"

#include "base/decodage_fichier.h"
#include "base/lignes.h"
#include "commands/lignes_affichees.h"
#include "window/affichages/panneau_affichages.h"
#include "window/codage_qt.h"
#include "window/dialogues.h"
#include "window/editeur/editeur_programme.h"
#include "window/reglages.h"
#include "window/sauvegarde.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace {

// Runs a modal box and gives the focus back to the control that had it.
template <typename Boite>
auto avecFocusRendu(Boite boite) {
    QPointer<QWidget> focus = QApplication::focusWidget();
    struct Retour {
        QPointer<QWidget>& focus;
        ~Retour() {
            if (focus)
                focus->setFocus(Qt::OtherFocusReason);
        }
    } retour{focus};
    return boite();
}

// "[*]" in a window caption is Qt's mark for unsaved changes; doubled, it
// shows as itself.
QString legendeLitterale(QString texte) {
    return texte.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

std::string cheminSysteme(const QString& chemin) { return chemin.toUtf8().toStdString(); }

QString cheminQt(const std::string& chemin) { return QString::fromUtf8(chemin.data(), static_cast<qsizetype>(chemin.size())); }

} // namespace

TfenetreQt::TfenetreQt(const TcontrolesFenetre& controles, std::unique_ptr<Tdialogues> d)
    : c(controles), dialogues(d ? std::move(d) : std::make_unique<Tdialogues>()) {
    // Tabs pasted into the editor became blanks: said as an Open says it.
    QObject::connect(c.editeur, &TediteurProgramme::tabulationsRemplacees, c.fenetre, [this](int nombre) {
        TfichierDecode colle;
        colle.tabulations = static_cast<size_t>(nombre);
        afficherNote(noteDecodage(colle));
    });
    // Until a dialog returns a path, both start in the folder used last time.
    dossier = reglages::dernierDossier();
}

TfenetreQt::~TfenetreQt() = default;

void TfenetreQt::deverserAffichage() { c.panneauAffichages->deverser(); }

void TfenetreQt::retablirCoches() {
    c.actionInformations->setChecked(informationsCochee);
    c.actionResultat->setChecked(resultatCoche);
}

// Editor.

std::string TfenetreQt::texteEditeur() {
    deverserAffichage();
    c.editeur->assainir();
    return c.editeur->texte1252();
}

// A text the program puts into the editor (a file, the template) is no step
// the user can undo: setPlainText forgets the history, an appended line is
// not recorded.
void TfenetreQt::remplacerTexteEditeur(const std::string& texte) {
    deverserAffichage();
    c.editeur->setPlainText(texteQt(texte));
}

int32_t TfenetreQt::nombreLignesEditeur() {
    deverserAffichage();
    c.editeur->assainir();
    return c.editeur->nombreLignes();
}

std::string TfenetreQt::ligneEditeur(int32_t i) {
    deverserAffichage();
    c.editeur->assainir();
    if (i < 0 || i >= c.editeur->nombreLignes())
        return {};
    return vers1252(c.editeur->document()->findBlockByNumber(i).text());
}

void TfenetreQt::ajouterLigneEditeur(const std::string& ligne) {
    deverserAffichage();
    // Every line ends with a break, so the caret can sit below the last one.
    QTextDocument* doc = c.editeur->document();
    QString texte = texteQt(ligne) + QLatin1Char('\n');
    if (doc->lastBlock().length() > 1)
        texte.prepend(QLatin1Char('\n'));
    QTextCursor curseur(doc);
    curseur.movePosition(QTextCursor::End);
    doc->setUndoRedoEnabled(false);
    curseur.insertText(texte);
    doc->setUndoRedoEnabled(true);
}

bool TfenetreQt::editeurModifie() {
    deverserAffichage();
    return c.editeur->document()->isModified();
}

void TfenetreQt::effacerModificationEditeur() {
    deverserAffichage();
    c.editeur->document()->setModified(false);
}

void TfenetreQt::editeurLectureSeule(bool lectureSeule) {
    deverserAffichage();
    if (lectureSeule)   // a run starts: the lines shown from their start again
        c.editeur->oublierDefilementLateral();
    c.editeur->setReadOnly(lectureSeule);
    // Read-only, the text can still be selected and copied from the keyboard.
    c.editeur->setTextInteractionFlags(lectureSeule
        ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
        : Qt::TextEditorInteraction);
}

void TfenetreQt::selectionnerDansEditeur(int32_t debut, int32_t longueur) {
    deverserAffichage();
    TediteurProgramme* editeur = c.editeur;
    editeur->assainir();
    const QTextDocument* doc = editeur->document();
    const int fin = doc->characterCount() - 1;
    // Positions count a line end as two characters; the editor counts one.
    const auto versEditeur = [&](int64_t position) {
        int64_t base = 0;
        for (QTextBlock bloc = doc->begin(); bloc.isValid(); bloc = bloc.next()) {
            const int64_t longueurLigne = bloc.length() - 1;
            if (position <= base + longueurLigne)
                return static_cast<int>(bloc.position() + std::max<int64_t>(0, position - base));
            if (position < base + longueurLigne + 2)
                return std::min(fin, static_cast<int>(bloc.position() + longueurLigne + 1));
            base += longueurLigne + 2;
        }
        return fin;
    };
    const int64_t premier = std::max<int32_t>(0, debut);
    QTextCursor curseur = editeur->textCursor();
    curseur.setPosition(versEditeur(premier));
    curseur.setPosition(versEditeur(premier + std::max<int32_t>(0, longueur)), QTextCursor::KeepAnchor);
    editeur->setFocus(Qt::OtherFocusReason);
    editeur->selectionnerEnVue(curseur);
}

// Display pane.

void TfenetreQt::ajouterAffichage(const std::string& ligne) { c.panneauAffichages->ajouterLigne(std::string_view(ligne)); }

void TfenetreQt::viderAffichage() { c.panneauAffichages->vider(); }

std::string TfenetreQt::texteAffichage() { return c.panneauAffichages->lignesGardees().texte(); }

void TfenetreQt::remplacerTexteAffichage(const std::string& texte) { c.panneauAffichages->remplacerTexte(texte); }

bool TfenetreQt::affichagePlein() {
    // The results set aside count too: they come back into the pane.
    return c.panneauAffichages->plein(affichageDeCote ? affichageDeCote->memoire() : 0);
}

// Beyond this, the results are set aside as they are rather than copied into
// one string; smaller texts cross whole, as any window would pass them.
constexpr uint64_t tailleGardeeEntiere = uint64_t{1} << 20;

void TfenetreQt::garderAffichage(std::string& texte) {
    affichageDeCote.reset();
    if (c.panneauAffichages->lignesGardees().octetsTexte() <= tailleGardeeEntiere) {
        texte = texteAffichage();
        return;
    }
    affichageDeCote = std::make_unique<TlignesAffichees>(c.panneauAffichages->prendreLignes());
    // A short token can never be a large text, so it cannot be confused with one.
    static uint64_t numero = 0;
    jetonDeCote = "" "affichages de côté " + std::to_string(++numero);
    texte = jetonDeCote;
}

void TfenetreQt::rendreAffichage(const std::string& texte) {
    std::unique_ptr<TlignesAffichees> deCote = std::move(affichageDeCote);
    if (deCote && texte == jetonDeCote)
        c.panneauAffichages->poserLignes(std::move(*deCote));
    else
        remplacerTexteAffichage(texte);
}

// Captions.

void TfenetreQt::legendeFenetre(const std::string& texte) {
    deverserAffichage();
    c.fenetre->setWindowTitle(legendeLitterale(depuis1252(texte)));
}

void TfenetreQt::legendeAffichages(const std::string& texte) {
    deverserAffichage();
    c.bandeauAffichages->setText(depuis1252(texte));
}

void TfenetreQt::legendeProgramme(const std::string& texte) {
    deverserAffichage();
    c.bandeauProgramme->setText(depuis1252(texte));
}

std::string TfenetreQt::legendeProgrammeActuelle() { return vers1252(c.bandeauProgramme->text()); }

void TfenetreQt::legendeFenetreAvecChemin(const std::string& debut, const std::string& chemin) {
    deverserAffichage();
    c.fenetre->setWindowTitle(legendeLitterale(depuis1252(debut) + cheminQt(chemin)));
}

void TfenetreQt::legendeProgrammeAvecNom(const std::string& nom) {
    deverserAffichage();
    c.bandeauProgramme->setText(cheminQt(nom));
}

// A label of its own in the status bar: a passing message would be wiped by
// the menus' status tips. The bar appears with the first note.
void TfenetreQt::afficherNote(const std::string& texte) {
    if (!note) {
        if (texte.empty())
            return;
        note = new QLabel(c.fenetre);
        note->setObjectName(QStringLiteral("note"));
        note->setTextFormat(Qt::PlainText);
        c.fenetre->statusBar()->addWidget(note, 1);
    }
    note->setText(depuis1252(texte));
}

// Menu items.

void TfenetreQt::activerPoursuivreArreter(bool actifs) {
    deverserAffichage();
    c.actionPoursuivre->setEnabled(actifs);
    c.actionArreter->setEnabled(actifs);
}

bool TfenetreQt::poursuivreArreterActifs() { return c.actionPoursuivre->isEnabled(); }

void TfenetreQt::cocherInformations(bool coche) {
    informationsCochee = coche;
    c.actionInformations->setChecked(coche);
}

void TfenetreQt::cocherResultat(bool coche) {
    resultatCoche = coche;
    c.actionResultat->setChecked(coche);
    // The results follow their last line; the reference text shows from its top.
    c.panneauAffichages->suivreLaFin(coche);
}

// Modal boxes: the pane shows everything written so far while they are up.

void TfenetreQt::afficherMessage(const std::string& texte, const std::string& legende) {
    deverserAffichage();
    avecFocusRendu([&] { dialogues->message(c.fenetre, texteQt(texte), depuis1252(legende)); });
}

bool TfenetreQt::demanderConfirmation(const std::string& texte, const std::string& legende) {
    deverserAffichage();
    return avecFocusRendu([&] { return dialogues->confirmation(c.fenetre, texteQt(texte), depuis1252(legende)); });
}

void TfenetreQt::afficherErreur(const std::string& texte) {
    deverserAffichage();
    avecFocusRendu([&] { dialogues->erreur(c.fenetre, texteQt(texte)); });
}

void TfenetreQt::noterDossier(const QString& cheminFichier) { dossier = QFileInfo(cheminFichier).absolutePath(); }

bool TfenetreQt::choisirFichierAOuvrir(std::string& chemin) {
    deverserAffichage();
    const QString choisi = avecFocusRendu([&] { return dialogues->fichierAOuvrir(c.fenetre, dossier); });
    if (choisi.isEmpty())
        return false;
    noterDossier(choisi);
    chemin = cheminSysteme(choisi);
    return true;
}

bool TfenetreQt::choisirFichierAEnregistrer(std::string& chemin) {
    deverserAffichage();
    // The program's own file when it has one, else the folder last used.
    const QString proposition = chemin.empty() ? dossier : cheminQt(chemin);
    const QString choisi = avecFocusRendu([&] { return dialogues->fichierAEnregistrer(c.fenetre, proposition); });
    if (choisi.isEmpty())
        return false;
    noterDossier(choisi);
    chemin = cheminSysteme(choisi);
    return true;
}

Tlecture TfenetreQt::lireFichier(const std::string& chemin, size_t lignesMax, TfichierDecode& lu) {
    deverserAffichage();
    return lireProgramme(chemin, lignesMax, lu);
}

bool TfenetreQt::fichierExiste(const std::string& chemin) { return QFileInfo::exists(cheminQt(chemin)); }

void TfenetreQt::fichierUtilise(const std::string& chemin) {
    if (quandFichierUtilise)
        quandFichierUtilise(cheminQt(chemin));
}

bool TfenetreQt::ecrireFichier(const std::string& chemin, const std::string& octets, std::string& raison) {
    deverserAffichage();
    QString pourquoi;
    const bool ecrit = sauvegarderFichier(
        cheminQt(chemin), QByteArrayView(octets.data(), static_cast<qsizetype>(octets.size())), &pourquoi);
    raison = vers1252(pourquoi);
    return ecrit;
}
