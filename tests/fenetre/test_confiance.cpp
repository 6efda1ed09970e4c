// The window a learner can trust: a run ends with its program, no output is
// lost, no file is replaced unasked, the captions show every letter, the
// template is no undo step, any name and any editor's file opens, the
// dialogs start where the user last was, a file named on the command line
// opens.
#include "execution/textes.h"
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/affichages/panneau_affichages.h"
#include "window/editeur/editeur_programme.h"
#include "window/fenetre_principale.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

const char* const programme = "Entier n\nDonner à n la valeur 2\nAfficher n\nAfficher n";

// Runs `agir` on the file dialog as soon as it is up, then closes it with
// `accepter` (or cancels it).
void quandDialogue(std::function<void(QFileDialog*)> agir, bool accepter = false) {
    auto* minuterie = new QTimer;
    minuterie->setInterval(10);
    QObject::connect(minuterie, &QTimer::timeout, [minuterie, agir, accepter] {
        auto* dialogue = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialogue)
            return;
        minuterie->stop();
        minuterie->deleteLater();
        agir(dialogue);
        if (accepter)
            static_cast<QDialog*>(dialogue)->accept();   // the dialog's own checks run
        else
            dialogue->reject();
    });
    minuterie->start();
}

} // namespace

class TestConfiance : public QObject, TfenetreTest<> {
    Q_OBJECT

    QTemporaryDir dossier;

    QString chemin(const QString& nom) { return dossier.filePath(nom); }
    QString note() {
        const auto* ligne = w->findChild<QLabel*>(u("note"));
        return ligne ? ligne->text() : QString();
    }

private slots:
    void init() { ouvrir(); }

    void cleanup() { fermer(); }

    // 1. New and Open end a waiting run: Ctrl+Q can no longer run the old
    // program's next step over the new text.
    void nouveau_et_ouvrir_terminent_l_execution_en_attente() {
        ecrire(chemin(u("autre.txt")), "Afficher 7\r\n");
        const std::function<void()> commandes[] = {
            [this] {
                script->reponses = {true};   // give up the typed program
                controles(w).actionNouveau->trigger();
            },
            [this] {
                script->reponses = {true};
                script->ouvertures = {chemin(u("autre.txt"))};
                controles(w).actionOuvrir->trigger();
            },
        };
        for (const auto& commande : commandes) {
            taper(u(programme));
            controles(w).actionPasAPas->trigger();
            QVERIFY(controles(w).actionPoursuivre->isEnabled());
            QVERIFY(controles(w).editeur->isReadOnly());
            commande();
            QVERIFY(!controles(w).actionPoursuivre->isEnabled());
            QVERIFY(!controles(w).actionArreter->isEnabled());
            QVERIFY(!controles(w).editeur->isReadOnly());
            const QString texte = controles(w).editeur->toPlainText();
            raccourci(Qt::Key_Q);
            QCOMPARE(affichage(), QStringList());   // the pane as New and Open leave it
            QCOMPARE(controles(w).editeur->toPlainText(), texte);
            QVERIFY(!controles(w).editeur->textCursor().hasSelection());
        }
        // A normal run suspended after ten million instructions ends too.
        taper(u("Entier n\nDonner à n la valeur 0\n[a]\nDonner à n la valeur n+1\n"
                "Aller à [a] si n < 99999999\nAfficher n"));
        raccourci(Qt::Key_E);
        QCOMPARE(affichage().value(0), u(" Exécution suspendue après 10 millions d'instructions."));
        QVERIFY(controles(w).actionPoursuivre->isEnabled());
        QVERIFY(controles(w).editeur->isReadOnly());
        script->reponses = {true};
        controles(w).actionNouveau->trigger();
        QVERIFY(!controles(w).actionPoursuivre->isEnabled());
        QVERIFY(!controles(w).editeur->isReadOnly());
        raccourci(Qt::Key_Q);
        QCOMPARE(affichage(), QStringList());

        // Open cancelled in its dialog leaves the run waiting.
        taper(u(programme));
        controles(w).actionPasAPas->trigger();
        script->reponses = {true};
        controles(w).actionOuvrir->trigger();
        QVERIFY(controles(w).actionPoursuivre->isEnabled());
        QVERIFY(controles(w).editeur->isReadOnly());
    }

    // 2. Poursuivre while the reference text is shown brings the results
    // back first: every line of the run lands in the results.
    void poursuivre_revient_aux_resultats() {
        taper(u(programme));
        controles(w).actionPasAPas->trigger();
        controles(w).actionInformations->trigger();
        raccourci(Qt::Key_Q);
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Résultats"));
        QVERIFY(controles(w).actionResultat->isChecked());
        QVERIFY(!controles(w).actionInformations->isChecked());
        raccourci(Qt::Key_Q);
        controles(w).actionInformations->trigger();
        controles(w).actionResultat->trigger();
        QCOMPARE(affichage(), (QStringList{u(" 1/ Donner à n la valeur 2"), u(" n prend la valeur 2"), u("  "),
                                           u(" 2/ Afficher n"), u("  2"), u("  "),
                                           u(" 3/ Afficher n"), u("  2"), u("  "),
                                           u(" Exécution terminée."), u(" Instructions exécutées : 3")}));
    }

    // 3. Save As asks before it replaces another file, the one the
    // extension rule names; No writes nothing and changes nothing.
    void enregistrer_sous_demande_avant_de_remplacer() {
        const QString prog2 = chemin(u("prog2.txt"));
        ecrire(prog2, "ancien\r\n");
        taper(u("Afficher 1"));
        script->enregistrements = {chemin(u("prog2.bak"))};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(script->confirmations.size(), 1);
        QCOMPARE(script->confirmations[0].first,
                 u("Le fichier ") + prog2 + u(" existe déjà.\nVoulez-vous le remplacer ?"));
        QCOMPARE(script->confirmations[0].second, u("Attention"));
        QCOMPARE(lire(prog2), QByteArray("ancien\r\n"));
        QCOMPARE(w->windowTitle(), u("Trevane"));
        QCOMPARE(controles(w).bandeauProgramme->text(), u("Nouveau programme"));
        QVERIFY(controles(w).editeur->document()->isModified());
        QVERIFY(script->erreurs.isEmpty());

        script->enregistrements = {chemin(u("prog2.bak"))};
        script->reponses = {true};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(lire(prog2), QByteArray("Afficher 1"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + prog2);

        // Its own file, or a new one: no question.
        script->enregistrements = {prog2, chemin(u("neuf"))};
        controles(w).actionEnregistrerSous->trigger();
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(script->confirmations.size(), 2);
        QCOMPARE(lire(chemin(u("neuf.txt"))), QByteArray("Afficher 1"));
    }

    // 4. The caption strips are tall enough for their font.
    void bandeaux_assez_hauts_pour_leur_police() {
        for (QLabel* label : {controles(w).bandeauProgramme, controles(w).bandeauAffichages}) {
            QVERIFY(label->height() >= 13);
            QVERIFY2(label->height() >= label->sizeHint().height(), qPrintable(label->text()));
            QVERIFY(label->contentsRect().height() >= label->fontMetrics().height());
        }
        QVERIFY(controles(w).cadreBandeauProgramme->height() >= controles(w).bandeauProgramme->sizeHint().height());
    }

    // 5. Neither the template nor an opened file is an undo step.
    void annuler_ne_defait_pas_le_modele() {
        const QString modele = controles(w).editeur->toPlainText();
        QVERIFY(!controles(w).editeur->document()->isUndoAvailable());
        controles(w).editeur->setFocus();
        QTest::keyClick(controles(w).editeur, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(controles(w).editeur->toPlainText(), modele);

        controles(w).editeur->moveCursor(QTextCursor::End);
        QTest::keyClicks(controles(w).editeur, u("x"));
        QTest::keyClick(controles(w).editeur, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(controles(w).editeur, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(controles(w).editeur->toPlainText(), modele);

        script->reponses = {true};
        controles(w).actionNouveau->trigger();
        QVERIFY(!controles(w).editeur->document()->isUndoAvailable());
        ecrire(chemin(u("a.txt")), "Afficher 1\r\n");
        script->ouvertures = {chemin(u("a.txt"))};
        controles(w).actionOuvrir->trigger();
        QVERIFY(!controles(w).editeur->document()->isUndoAvailable());
    }

    // 6 and 7 in the window: a UTF-8 file with tabs opens converted, the
    // status line says so, the save is Windows-1252; Tab and paste give blanks.
    void fichier_utf8_et_tabulations() {
        ecrire(chemin(u("utf8.txt")), "Entier n\n\tDonner \xC3\xA0 n la valeur 2\n\tAfficher \"\xCE\xA9\" ; n\n");
        script->ouvertures = {chemin(u("utf8.txt"))};
        controles(w).actionOuvrir->trigger();
        QCOMPARE(controles(w).editeur->toPlainText(), u("Entier n\n    Donner à n la valeur 2\n    Afficher \"?\" ; n\n"));
        QCOMPARE(note(), u("Fichier lu en UTF-8 : il sera enregistré en Windows-1252 ; "
                           "1 caractère remplacé par « ? » ; 2 tabulations remplacées par des blancs ; "
                           "fins de ligne LF, enregistrées en CR LF"));
        QVERIFY(!controles(w).editeur->document()->isModified());
        const QString lue = note();
        QStatusTipEvent survol{QString()};   // what a menu item sends when hovered
        QApplication::sendEvent(w, &survol);
        QCOMPARE(note(), lue);
        raccourci(Qt::Key_E);
        QCOMPARE(affichage().value(0), u(" ? 2"));
        script->enregistrements = {chemin(u("converti"))};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(lire(chemin(u("converti.txt"))),
                 QByteArray("Entier n\r\n    Donner \xE0 n la valeur 2\r\n    Afficher \"?\" ; n\r\n"));
        QCOMPARE(note(), QString());   // the file now holds what the note announced

        script->reponses = {true};
        controles(w).actionNouveau->trigger();
        QCOMPARE(note(), QString());
        taper(u("ab"));
        QTest::keyClick(controles(w).editeur, Qt::Key_Tab);
        QCOMPARE(controles(w).editeur->toPlainText(), u("ab  "));
        QApplication::clipboard()->setText(u("c\td\n\te"));
        controles(w).actionColler->trigger();
        QCOMPARE(controles(w).editeur->toPlainText(), u("ab  c   d\n    e"));
        QCOMPARE(note(), u("2 tabulations remplacées par des blancs"));
    }

    // 8. A file name outside the code page shows as it is.
    void nom_hors_du_code_page() {
        const QString omega = chemin(u("Ωmega.txt"));
        ecrire(omega, "Afficher 1\r\n");
        script->ouvertures = {omega};
        controles(w).actionOuvrir->trigger();
        QCOMPARE(controles(w).bandeauProgramme->text(), u("Ωmega"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + omega);

        script->enregistrements = {chemin(u("Ωmega-ψ"))};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(controles(w).bandeauProgramme->text(), u("Ωmega-ψ"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + chemin(u("Ωmega-ψ.txt")));
        QCOMPARE(lire(chemin(u("Ωmega-ψ.txt"))), QByteArray("Afficher 1\r\n"));
        raccourci(Qt::Key_S);   // the label is not "Nouveau programme": no dialog
        QCOMPARE(script->dialoguesEnregistrement, 1);
    }

    // 9. The real dialogs: Open offers programs and every file, Save As
    // proposes the program's own file, both start in the folder last used.
    void dialogues_dans_le_dossier_utilise() {
        auto* reel = new TfenetrePrincipale;
        reel->show();
        QVERIFY(QTest::qWaitForWindowActive(reel));
        QDir().mkpath(chemin(u("a")));
        QDir().mkpath(chemin(u("b")));
        const QString prog = chemin(u("a/prog.txt"));
        ecrire(prog, "Afficher 1\r\n");
        reel->ouvrirFichier(prog);

        QStringList filtres;
        QString dossierOuverture;
        quandDialogue([&](QFileDialog* d) {
            filtres = d->nameFilters();
            dossierOuverture = d->directory().absolutePath();
        });
        controles(reel).actionOuvrir->trigger();
        QCOMPARE(filtres, (QStringList{u("Programmes (*.txt)"), u("Tous les fichiers (*)")}));
        QCOMPARE(dossierOuverture, chemin(u("a")));

        // The name proposed, saved into another folder.
        QStringList proposes;
        quandDialogue([&](QFileDialog* d) {
            proposes = d->selectedFiles();
            d->setDirectory(chemin(u("b")));
        }, true);
        controles(reel).actionEnregistrerSous->trigger();
        QCOMPARE(proposes, QStringList{prog});
        QCOMPARE(lire(chemin(u("b/prog.txt"))), QByteArray("Afficher 1\r\n"));

        quandDialogue([&](QFileDialog* d) { dossierOuverture = d->directory().absolutePath(); });
        controles(reel).actionOuvrir->trigger();
        QCOMPARE(dossierOuverture, chemin(u("b")));

        // A new program: Save As starts in that folder too.
        controles(reel).actionNouveau->trigger();
        QString dossierEnregistrement;
        quandDialogue([&](QFileDialog* d) { dossierEnregistrement = d->directory().absolutePath(); });
        controles(reel).actionEnregistrerSous->trigger();
        QCOMPARE(dossierEnregistrement, chemin(u("b")));
        controles(reel).editeur->document()->setModified(false);
        delete reel;
    }

    // 10. A file named on the command line opens as Open opens it; a
    // missing one gives Open's error box and the template stays.
    void fichier_nomme_sur_la_ligne_de_commande() {
        ecrire(chemin(u("tri.txt")), "Afficher 3\r\n");
        QDir::setCurrent(dossier.path());
        w->ouvrirFichier(u("tri.txt"));
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 3\n"));
        QCOMPARE(controles(w).bandeauProgramme->text(), u("tri"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + chemin(u("tri.txt")));
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Résultats"));
        QCOMPARE(affichage(), QStringList());
        QVERIFY(!controles(w).editeur->document()->isModified());

        auto dialogues = std::make_unique<Tscript>();
        Tscript* autre = dialogues.get();
        TfenetrePrincipale absent(std::move(dialogues));
        absent.show();
        absent.ouvrirFichier(chemin(u("absent.txt")));
        QCOMPARE(autre->erreurs, QStringList{u("Impossible d'ouvrir le fichier ") + chemin(u("absent.txt")) + u(".")});
        QCOMPARE(controles(absent).bandeauProgramme->text(), u("Nouveau programme"));
        QCOMPARE(absent.windowTitle(), u("Trevane"));
        QCOMPARE(lignesDocument(controles(absent).editeur).mid(0, 18), enQt(modeleProgramme()));

        // The desktop entry hands the file over.
        const QByteArray entree = lire(u(DOSSIER_PROGRAMMES "/../../window/trevane.desktop"));
        QVERIFY(entree.contains("\nExec=trevane %f\n"));
    }
};

QTEST_MAIN(TestConfiance)
#include "test_confiance.moc"
