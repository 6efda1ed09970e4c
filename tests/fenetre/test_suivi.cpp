// The window follows a run: the editor's gutter (line numbers, the line just
// executed, the arrow on the next one, an error in red), the "Variables"
// panel after steps and runs, the "Suivi" table and its export as CSV.
#include "base/donnees.h"
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/classe/fichiers_recents.h"
#include "window/editeur/editeur_programme.h"
#include "window/editeur/marge_lignes.h"
#include "window/export_suivi.h"
#include "window/fenetre_principale.h"
#include "window/panneaux/modele_suivi.h"
#include "window/panneaux/modele_variables.h"
#include "window/panneaux/panneau_variables.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QFileInfo>
#include <QTest>
#include <QTreeView>
#include <QUrl>

#include <functional>

namespace {

// The scripted boxes, with the export dialog answered too.
class TscriptSuivi : public Tscript {
public:
    QStringList exports;   // none left: cancel
    QStringList propositions;
    QString fichierSuiviAEnregistrer(QWidget*, const QString& proposition) override {
        propositions.append(proposition);
        return exports.isEmpty() ? QString() : exports.takeFirst();
    }
};

// A loop over a list, a real, a table element and a display whose
// instruction holds «;» and quotes.
const char* const boucle =
    "Entier n ; L (1..3) ; A (1..2 , 1..2)\n"
    "Réel x\n"
    "Donner à n la valeur 1\n"
    "[b]\n"
    "Donner à L(n) la valeur n*n\n"
    "Donner à x la valeur x + 0.5\n"
    "Donner à n la valeur n+1\n"
    "Aller à [b] si n <= 3\n"
    "Donner à A(2,1) la valeur -3\n"
    "Afficher \"a\" ; L (1..3)";

} // namespace

class TestSuivi : public QObject, TfenetreTest<TscriptSuivi> {
    Q_OBJECT

    QTemporaryDir dossier;

    TmargeLignes* marge() { return controles(w).editeur->marge(); }
    TmodeleVariables* variables() { return controles(w).panneauVariables->modeleVariables; }
    TmodeleSuivi* suivi() { return controles(w).panneauVariables->modeleSuivi; }
    // Row `ligne` of the variables (or of the elements of variable row `parent`), column `colonne`.
    QString variable(int ligne, int colonne, int parent = -1) {
        const QModelIndex p = parent < 0 ? QModelIndex() : variables()->index(parent, 0);
        return variables()->index(ligne, colonne, p).data().toString();
    }
    bool variableChangee(int ligne, int parent = -1) {
        const QModelIndex p = parent < 0 ? QModelIndex() : variables()->index(parent, 0);
        return variables()->change(variables()->index(ligne, TmodeleVariables::colonneValeur, p));
    }
    QStringList ligneSuivi(int ligne) {
        QStringList champs;
        for (int c = 0; c < suivi()->columnCount(); ++c)
            champs.append(suivi()->index(ligne, c).data().toString());
        return champs;
    }
    void pas(int fois) {
        for (int k = 0; k < fois; ++k)
            controles(w).actionPoursuivre->trigger();
    }

private slots:
    void init() { ouvrir(); }

    void cleanup() { fermer(); }

    void menus_et_premier_affichage() {
        QCOMPARE(controles(w).actionExporterSuivi->text(), u("Ex&porter le suivi…"));
        QCOMPARE(controles(w).actionVariables->text(), u("Variables"));
        QVERIFY(controles(w).actionVariables->isCheckable());
        QVERIFY(!controles(w).actionVariables->isChecked());
        QVERIFY(!controles(w).panneauVariables->isVisible());
        // Between "Résultats" and "A propos".
        const QList<QAction*> affichage = w->menuBar()->actions().at(2)->menu()->actions();
        QCOMPARE(affichage.indexOf(controles(w).actionVariables), affichage.indexOf(controles(w).actionResultat) + 1);

        // A normal run does not show the panel; the first commented run does.
        taper(u(boucle));
        controles(w).actionExecutionNormale->trigger();
        QVERIFY(!controles(w).panneauVariables->isVisible());
        controles(w).actionPasAPas->trigger();
        QVERIFY(controles(w).panneauVariables->isVisible());
        QVERIFY(controles(w).actionVariables->isChecked());
        // Hidden by the learner, it stays hidden for the next commented runs.
        controles(w).actionVariables->trigger();
        QVERIFY(!controles(w).panneauVariables->isVisible());
        controles(w).actionPasAPas->trigger();
        QVERIFY(!controles(w).panneauVariables->isVisible());
        controles(w).actionVariables->trigger();
        QVERIFY(controles(w).panneauVariables->isVisible());
    }

    void variables_apres_des_pas_et_des_executions() {
        taper(u(boucle));
        controles(w).actionPasAPas->trigger();   // n := 1
        QCOMPARE(variables()->rowCount(), 4);
        const QStringList noms = {u("n"), u("L"), u("A"), u("x")};
        const QStringList types = {u("entier"), u("entier (1..3)"), u("entier (1..2 , 1..2)"), u("réel")};
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(variable(k, TmodeleVariables::colonneNom), noms[k]);
            QCOMPARE(variable(k, TmodeleVariables::colonneType), types[k]);
        }
        QCOMPARE(variable(0, TmodeleVariables::colonneValeur), u("1"));
        QVERIFY(variableChangee(0));
        QVERIFY(!variableChangee(1) && !variableChangee(3));

        pas(2);   // L(1) := 1, then x := 0.5
        QCOMPARE(variable(3, TmodeleVariables::colonneValeur), u("0.5"));
        QVERIFY(variableChangee(3));
        QVERIFY(!variableChangee(0));
        QVERIFY(!variableChangee(1));   // changed by the step before, not by the last one
        // A list unfolds into its elements.
        QCOMPARE(variables()->rowCount(variables()->index(1, 0)), 3);
        QCOMPARE(variable(0, TmodeleVariables::colonneNom, 1), u("L(1)"));
        QCOMPARE(variable(0, TmodeleVariables::colonneValeur, 1), u("1"));
        QCOMPARE(variable(1, TmodeleVariables::colonneValeur, 1), u("0"));
        QCOMPARE(variable(1, TmodeleVariables::colonneValeur), u("1  0  0"));
        // A table unfolds row after row.
        QCOMPARE(variables()->rowCount(variables()->index(2, 0)), 4);
        QCOMPARE(variable(2, TmodeleVariables::colonneNom, 2), u("A(2,1)"));

        pas(3);   // n := 2, branch, L(2) := 4
        QVERIFY(variableChangee(1));
        QVERIFY(variableChangee(1, 1));
        QVERIFY(!variableChangee(0, 1));
        QCOMPARE(variable(1, TmodeleVariables::colonneValeur, 1), u("4"));

        // A normal run: the values at its end, highlighted when they changed since it started.
        controles(w).actionExecutionNormale->trigger();
        QCOMPARE(variable(0, TmodeleVariables::colonneValeur), u("4"));
        QCOMPARE(variable(1, TmodeleVariables::colonneValeur), u("1  4  9"));
        QCOMPARE(variable(2, TmodeleVariables::colonneValeur), u("0  0  -3  0"));
        QCOMPARE(variable(3, TmodeleVariables::colonneValeur), u("1.5"));
        QVERIFY(variableChangee(0) && variableChangee(1) && variableChangee(2) && variableChangee(3));
        QVERIFY(!variableChangee(3, 2));   // A(2,2) stayed 0

        // A failed analysis empties the panel, and says why.
        QVERIFY(controles(w).panneauVariables->raisonVide->isHidden());
        taper(u("Entier k\nDonner à z la valeur 1\nAfficher k"));
        controles(w).actionExecutionNormale->trigger();
        QCOMPARE(variables()->rowCount(), 0);
        QCOMPARE(suivi()->rowCount(), 0);
        QCOMPARE(controles(w).panneauVariables->raisonVide->text(), u("Pas de variables : l'analyse du programme a échoué."));
        QVERIFY(!controles(w).panneauVariables->raisonVide->isHidden());
    }

    // Every way another program comes into the editor empties the panel,
    // which then says why; the next run fills it again.
    void le_panneau_suit_le_programme_ouvert() {
        const QString fichier = dossier.filePath(u("autre.txt"));
        ecrire(fichier, "Entier z\r\nAfficher z\r\n");
        const auto deposer = [this](const QString& chemin) {
            QMimeData donnees;
            donnees.setUrls({QUrl::fromLocalFile(chemin)});
            QDragEnterEvent entree({10, 10}, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(controles(w).editeur->viewport(), &entree);
            QDropEvent depot({10, 10}, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(controles(w).editeur->viewport(), &depot);
        };
        const struct {
            const char* nom;
            std::function<void()> changer;
        } changements[] = {
            {"Nouveau", [this] { controles(w).actionNouveau->trigger(); }},
            {"Ouvrir", [&] { script->ouvertures = {fichier}; controles(w).actionOuvrir->trigger(); }},
            {"Exemples", [this] { controles(w).menuExemples->actions().value(0)->trigger(); }},
            {"Fichiers récents", [this] { controles(w).menuRecents->actions().value(0)->trigger(); }},
            {"dépôt", [&] { deposer(fichier); }},
        };
        for (const auto& c : changements) {
            taper(u(boucle));
            controles(w).actionPasAPas->trigger();
            pas(2);
            QVERIFY(variables()->rowCount() > 0 && suivi()->rowCount() > 0);
            script->reponses = {true};   // the changes are given up
            c.changer();
            QCoreApplication::processEvents();
            QVERIFY2(controles(w).editeur->toPlainText() != u(boucle), c.nom);
            QVERIFY2(variables()->rowCount() == 0 && suivi()->rowCount() == 0, c.nom);
            QCOMPARE(controles(w).panneauVariables->raisonVide->text(), u("Pas de variables : ce programme n'a pas encore été exécuté."));
            QVERIFY2(!controles(w).panneauVariables->raisonVide->isHidden(), c.nom);
        }
        controles(w).actionExecutionNormale->trigger();
        QVERIFY(variables()->rowCount() > 0);
        QVERIFY(controles(w).panneauVariables->raisonVide->isHidden());
    }

    // A commented run on lines wider than the editor shows each line from
    // its start, unless the user scrolls sideways himself.
    void lignes_montrees_depuis_leur_debut() {
        const QString longue = u("Donner à n la valeur n + 1") + QString(u(" + 0")).repeated(60);
        taper(u("Entier n\n") + longue + u("\nAfficher n\n") + longue + u("\nAfficher n"));
        QScrollBar* barre = controles(w).editeur->horizontalScrollBar();
        controles(w).actionPasAPas->trigger();
        QVERIFY(barre->maximum() > 0);
        QCOMPARE(barre->value(), 0);
        pas(1);
        QCOMPARE(barre->value(), 0);
        barre->triggerAction(QAbstractSlider::SliderPageStepAdd);   // the user's hand
        const int choisie = barre->value();
        QVERIFY(choisie > 0);
        pas(2);
        QCOMPARE(barre->value(), choisie);
        controles(w).actionPasAPas->trigger();   // a new run shows the starts again
        QCOMPARE(barre->value(), 0);
    }

    // The value before the last step in a tooltip; the trace's last row
    // selected, and a row clicked selects its line in the editor.
    void valeur_avant_et_ligne_d_une_etape() {
        taper(u(boucle));
        controles(w).actionPasAPas->trigger();
        pas(3);   // L(1) := 1, x := 0.5, n := 2
        QCOMPARE(variables()->index(0, TmodeleVariables::colonneValeur).data(Qt::ToolTipRole).toString(), u("avant : 1"));
        QTableView* vue = controles(w).panneauVariables->vueSuivi;
        QVERIFY(vue->selectionModel()->isRowSelected(suivi()->rowCount() - 1, {}));
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(suivi()->index(1, 0)).center());
        QCOMPARE(controles(w).editeur->textCursor().selectedText(), u("Donner à L(n) la valeur n*n"));
    }

    void une_nouvelle_execution_repeint_chaque_element() {
        // Run again, the view must be told of every element that goes back to 0,
        // not only of those the first step changes.
        taper(u(boucle));
        controles(w).actionExecutionNormale->trigger();
        QSignalSpy signaux(variables(), &QAbstractItemModel::dataChanged);
        controles(w).actionPasAPas->trigger();
        const QModelIndex l3 = variables()->index(2, TmodeleVariables::colonneValeur, variables()->index(1, 0));
        QCOMPARE(l3.data().toString(), u("0"));
        bool signale = false;
        for (const QList<QVariant>& signal : signaux) {
            const QModelIndex debut = signal.at(0).value<QModelIndex>();
            const QModelIndex fin = signal.at(1).value<QModelIndex>();
            signale = signale || (debut.parent() == l3.parent() && debut.row() <= 2 && fin.row() >= 2 &&
                                  fin.column() >= TmodeleVariables::colonneValeur);
        }
        QVERIFY(signale);
    }

    void suspension_d_une_execution_normale() {
        // Changes since the run started, then since it was suspended.
        taper(u("Entier i ; k\n[a]\nDonner à i la valeur i+1\nAller à [a] si i < 15000000\n"
                "Donner à k la valeur 1\nAfficher i"));
        controles(w).actionExecutionNormale->trigger();
        QCOMPARE(variable(0, TmodeleVariables::colonneValeur), u("5000000"));
        QVERIFY(variableChangee(0));
        QVERIFY(!variableChangee(1));
        controles(w).actionPoursuivre->trigger();
        QCOMPARE(variable(0, TmodeleVariables::colonneValeur), u("10000000"));
        controles(w).actionPoursuivre->trigger();   // the loop's last step ends this burst
        QCOMPARE(variable(0, TmodeleVariables::colonneValeur), u("15000000"));
        QVERIFY(variableChangee(0));
        QVERIFY(!variableChangee(1));
        controles(w).actionPoursuivre->trigger();
        QVERIFY(!variableChangee(0));
        QVERIFY(variableChangee(1));
        QVERIFY(!controles(w).actionPoursuivre->isEnabled());
        // No trace of a normal run.
        QCOMPARE(suivi()->rowCount(), 0);
    }

    void table_de_suivi() {
        taper(u(boucle));
        controles(w).actionPasAPas->trigger();
        pas(14);
        QCOMPARE(suivi()->rowCount(), 15);
        QStringList titres;
        for (int c = 0; c < suivi()->columnCount(); ++c)
            titres.append(suivi()->headerData(c, Qt::Horizontal).toString());
        QCOMPARE(titres, (QStringList{u("pas"), u("ligne"), u("instruction"), u("n"), u("x"), u("éléments")}));
        QCOMPARE(ligneSuivi(0), (QStringList{u("1"), u("3"), u("Donner à n la valeur 1"), u("1"), u("0"), u("")}));
        QCOMPARE(ligneSuivi(9), (QStringList{u("10"), u("5"), u("Donner à L(n) la valeur n*n"), u("3"), u("1"), u("L(3) = 9")}));
        QCOMPARE(ligneSuivi(13).last(), u("A(2,1) = -3"));
        QCOMPARE(ligneSuivi(14).at(2), u("Afficher \"a\" ; L (1..3)"));
        // Changed values highlighted, unchanged ones lighter.
        QVERIFY(suivi()->change(0, 3));
        QVERIFY(!suivi()->change(0, 4));
        QVERIFY(suivi()->change(2, 4));
        QVERIFY(suivi()->change(9, 5) && !suivi()->change(10, 5));
        QVERIFY(suivi()->index(0, 4).data(Qt::ForegroundRole).isValid());
        QVERIFY(!suivi()->index(0, 3).data(Qt::ForegroundRole).isValid());
        // The failing step of a run is no row; another run starts the table again.
        taper(u("Entier L (1..2) ; k\nDonner à k la valeur 3\nDonner à L(k) la valeur 1\nAfficher k"));
        controles(w).actionPasAPas->trigger();
        pas(1);
        QCOMPARE(suivi()->rowCount(), 1);
    }

    void marques_de_la_gouttiere() {
        // The gutter grows with the number of digits.
        taper(u("a\nb"));
        const int deux = marge()->largeur();
        taper(QString(u("a\n")).repeated(120));
        QVERIFY(marge()->largeur() > deux);
        QCOMPARE(marge()->width(), marge()->largeur());
        QCOMPARE(controles(w).editeur->viewport()->x(), marge()->x() + marge()->width());
        QCOMPARE(marge()->font(), controles(w).editeur->font());

        taper(u(boucle));
        controles(w).actionPasAPas->trigger();
        QCOMPARE(marge()->ligneExecutee(), 2);
        QCOMPARE(marge()->ligneSuivante(), 4);
        QCOMPARE(marge()->ligneErreur(), -1);
        pas(4);   // ... the branch back
        QCOMPARE(marge()->ligneExecutee(), 7);
        QCOMPARE(marge()->ligneSuivante(), 4);
        // The selection the run makes is still there.
        QCOMPARE(controles(w).editeur->textCursor().selectedText(), u("Aller à [b] si n <= 3"));
        pas(20);   // to the end: no next line
        QCOMPARE(marge()->ligneExecutee(), 9);
        QCOMPARE(marge()->ligneSuivante(), -1);

        // A run-time error in red, until the text is edited.
        taper(u("Entier L (1..2) ; k\nDonner à k la valeur 3\nDonner à L(k) la valeur 1\nAfficher k"));
        controles(w).actionPasAPas->trigger();
        pas(1);
        QCOMPARE(marge()->ligneErreur(), 2);
        QCOMPARE(marge()->ligneSuivante(), -1);
        controles(w).editeur->setFocus();
        QTest::keyClicks(controles(w).editeur, u(" "));
        QCOMPARE(marge()->ligneErreur(), -1);
        QCOMPARE(marge()->ligneExecutee(), -1);
        // An analysis error in red, until another run starts.
        taper(u("Entier k\nDonner à z la valeur 1\nAfficher k"));
        controles(w).actionExecutionNormale->trigger();
        QCOMPARE(marge()->ligneErreur(), 1);
        taper(u("Entier k\nDonner à k la valeur 1\nAfficher k"));
        marge()->marquerErreur(1);   // as if the text were the one analysed
        controles(w).actionExecutionNormale->trigger();
        QCOMPARE(marge()->ligneErreur(), -1);
        // The menu's other commands leave the marks alone.
        controles(w).actionPasAPas->trigger();
        controles(w).actionResultat->trigger();
        controles(w).actionInformations->trigger();
        QCOMPARE(marge()->ligneExecutee(), 1);
        QCOMPARE(marge()->ligneSuivante(), 2);
    }

    void export_du_suivi() {
        // Nothing to export before a commented run, nor after a normal one.
        taper(u(boucle));
        QVERIFY(!controles(w).actionExporterSuivi->isEnabled());
        controles(w).actionExecutionNormale->trigger();
        QVERIFY(!controles(w).actionExporterSuivi->isEnabled());
        exporterSuivi(w, *script, *controles(w).panneauVariables->modeleSuivi, QString());
        QCOMPARE(script->messages.value(0), qMakePair(u("Aucun pas commenté à exporter"), u("Exporter le suivi")));
        controles(w).actionPasAPas->trigger();
        QVERIFY(controles(w).actionExporterSuivi->isEnabled());
        pas(2);
        const QString chemin = dossier.filePath(u("suivi.csv"));
        script->exports = {chemin};
        controles(w).actionExporterSuivi->trigger();
        QCOMPARE(lire(chemin), QByteArray("\xEF\xBB\xBFpas;ligne;instruction;n;x;\xC3\xA9l\xC3\xA9ments\r\n"
                                          "1;3;Donner \xC3\xA0 n la valeur 1;1;0;\r\n"
                                          "2;5;Donner \xC3\xA0 L(n) la valeur n*n;1;0;L(1)=1\r\n"
                                          "3;6;Donner \xC3\xA0 x la valeur x + 0.5;1;0.5;\r\n"));
        QVERIFY(script->erreurs.isEmpty());
        // Cancelled: nothing written. Unwritable: one error box, the old file intact.
        controles(w).actionExporterSuivi->trigger();
        ecrire(chemin, "ancien");
        script->exports = {dossier.filePath(u("absent/suivi.csv"))};
        controles(w).actionExporterSuivi->trigger();
        QCOMPARE(script->erreurs, QStringList{u("Impossible de créer le fichier ") + dossier.filePath(u("absent/suivi.csv")) +
                                              u(".\nLe dossier n'existe pas.")});
        QCOMPARE(lire(chemin), QByteArray("ancien"));
        // An existing file: asked as Save As asks; No (the default) keeps it.
        for (const bool oui : {false, true}) {
            script->exports = {chemin};
            script->reponses = {oui};
            controles(w).actionExporterSuivi->trigger();
            QCOMPARE(script->confirmations.last(),
                     qMakePair(u("Le fichier ") + chemin + u(" existe déjà.\nVoulez-vous le remplacer ?"), u("Attention")));
            QCOMPARE(lire(chemin).startsWith("\xEF\xBB\xBF"), oui);
        }
        // Proposed beside the program, after its name; else in the folder used last.
        QCOMPARE(QFileInfo(script->propositions.value(0)).fileName(), u("suivi.csv"));
        script->enregistrements = {dossier.filePath(u("tri.txt"))};
        controles(w).actionEnregistrerSous->trigger();
        controles(w).actionExporterSuivi->trigger();
        QCOMPARE(script->propositions.last(), dossier.filePath(u("tri-suivi.csv")));
    }

    void suivi_coupe_apres_100000_pas() {
        // The table stops at 100,000 rows; the export ends with the mark.
        taper(u("Entier n\n[a]\nDonner à n la valeur n+1\nAller à [a] si n > 0\nAfficher n"));
        controles(w).actionPasAPas->trigger();
        for (int k = 0; k <= nbLignesSuiviMax; ++k)
            controles(w).panneauVariables->noterPas(w->donnees(), 2);
        QCOMPARE(suivi()->rowCount(), nbLignesSuiviMax);
        QVERIFY(suivi()->tronque());
        const QString chemin = dossier.filePath(u("long.csv"));
        script->exports = {chemin};
        controles(w).actionExporterSuivi->trigger();
        const QList<QByteArray> lignes = lire(chemin).split('\n');
        QCOMPARE(lignes.size(), nbLignesSuiviMax + 3);   // the header, the rows, "...", nothing after
        QVERIFY(lignes.value(nbLignesSuiviMax).contains(";Donner \xC3\xA0 n la valeur n+1;"));
        QCOMPARE(lignes.value(nbLignesSuiviMax + 1), QByteArray("...\r"));
    }

    void panneaux_suivent_leur_police() {
        QFont grande = controles(w).panneauVariables->font();
        grande.setPointSize(20);
        controles(w).panneauVariables->setFont(grande);
        QCOMPARE(controles(w).panneauVariables->vueVariables->font().pointSize(), 20);
        QCOMPARE(controles(w).panneauVariables->vueSuivi->font().pointSize(), 20);
        QVERIFY(controles(w).panneauVariables->vueSuivi->verticalHeader()->defaultSectionSize() >=
                QFontMetrics(grande).height());
    }
};

QTEST_MAIN(TestSuivi)
#include "test_suivi.moc"
