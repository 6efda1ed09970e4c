// The main window driven through its real menus and shortcuts, with the
// modal boxes and file dialogs answered by a script.
#include "base/donnees.h"
#include "base/fenetre.h"
#include "execution/textes.h"
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/affichages/panneau_affichages.h"
#include "window/codage_qt.h"
#include "window/editeur/editeur_programme.h"
#include "window/fenetre_principale.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <algorithm>


class TestFenetre : public QObject, TfenetreTest<> {
    Q_OBJECT

    QTemporaryDir dossier;

    // Keys that type any character, as an input method or a compose key would.
    void frapper(const QString& texte) {
        for (const QString& caractere : texte.split(QString(), Qt::SkipEmptyParts))
            QTest::sendKeyEvent(QTest::Click, controles(w).editeur, Qt::Key_unknown, caractere, Qt::NoModifier);
    }
    QString chemin(const char* nom) { return dossier.filePath(u(nom)); }

private slots:
    void init() { ouvrir(); }

    void cleanup() { fermer(); }

    void demarrage() {
        // The first use: the window where it opens, the model program not
        // yet modified, the reference text in the pane, no run waiting.
        QCOMPARE(w->windowTitle(), u("Trevane"));
        QCOMPARE(w->size(), QSize(800, 600));
        QCOMPARE(w->pos(), QPoint(0, 0));
        QVERIFY(controles(w).cadreBandeauProgramme->height() >= 13);   // taller when the font needs it
        QCOMPARE(controles(w).bandeauProgramme->text(), u("Nouveau programme"));
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Informations"));
        QCOMPARE(controles(w).editeur->font().pointSize(), 10);
        QCOMPARE(controles(w).panneauAffichages->font().pointSize(), 10);

        QCOMPARE(controles(w).editeur->nombreLignes(), 18);
        QCOMPARE(lignesDocument(controles(w).editeur).mid(0, 18), enQt(modeleProgramme()));
        QVERIFY(!controles(w).editeur->document()->isModified());
        QVERIFY(!controles(w).editeur->isReadOnly());
        QCOMPARE(affichage(), enQt(texteReference(), u(" ")));
        QCOMPARE(w->donnees().resultatsSauves, std::string("Aucun r\xE9sultat disponible"));
    }

    void menus() {
        // Every command of the bar and its menus, with the state it shows:
        // enabled unless the state says otherwise, each shortcut reaching
        // one command only (Qt fires none of two that share one), each
        // findable by its objectName.
        const TcontrolesFenetre& c = controles(w);
        QList<QAction*> commandes;
        QList<QAction*> surLaBarre;   // commands with no menu of their own
        for (QAction* entree : w->menuBar()->actions()) {
            if (!entree->menu()) {
                surLaBarre.append(entree);
                continue;
            }
            for (QAction* action : entree->menu()->actions())
                if (!action->isSeparator() && !action->menu())
                    commandes.append(action);
        }
        QCOMPARE(surLaBarre, (QList<QAction*>{c.actionPoursuivre, c.actionArreter}));
        commandes += surLaBarre;
        QList<QKeySequence> raccourcis;
        for (QAction* action : commandes) {
            // A stable name of its own, by which a test can find it.
            QVERIFY2(!action->objectName().isEmpty(), qPrintable(action->text()));
            QCOMPARE(w->findChild<QAction*>(action->objectName()), action);
            if (action->shortcut().isEmpty())
                continue;
            QVERIFY2(!raccourcis.contains(action->shortcut()), qPrintable(action->shortcut().toString()));
            raccourcis.append(action->shortcut());
        }
        const auto etat = [&](std::initializer_list<QAction*> inactives) {
            for (QAction* action : commandes)
                QVERIFY2(action->isEnabled() != std::count(inactives.begin(), inactives.end(), action),
                         qPrintable(action->text()));
        };
        // At start nothing waits and there is no trace to export; only a
        // commented run goes on step by step to a breakpoint.
        etat({c.actionPoursuivre, c.actionArreter, c.actionExporterSuivi, c.actionJusquAuPointArret,
               c.actionPasPrecedent});
        QVERIFY(c.actionInformations->isChecked());
        QVERIFY(!c.actionResultat->isChecked());
        // A commented run waits: Poursuivre and Arrêter, and its trace can go out.
        taper(u("Entier n\nDonner à n la valeur 2\nAfficher n"));
        raccourci(Qt::Key_E);   // Ctrl+E: a normal run, shown in Résultats
        etat({c.actionPoursuivre, c.actionArreter, c.actionExporterSuivi, c.actionJusquAuPointArret,
               c.actionPasPrecedent});
        QVERIFY(c.actionResultat->isChecked());
        c.actionPasAPas->trigger();
        etat({});
        raccourci(Qt::Key_Q);   // Ctrl+Q: the last step
        etat({c.actionPoursuivre, c.actionArreter, c.actionJusquAuPointArret, c.actionPasPrecedent});
    }

    void execution_normale() {
        taper(u("Entier n\nDonner à n la valeur 2\nAfficher n"));
        raccourci(Qt::Key_E);   // from the editor, which has the focus
        QCOMPARE(affichage(), (QStringList{u("  2"), u(" Exécution terminée."), u(" Instructions exécutées : 2")}));
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Résultats"));
        QVERIFY(controles(w).actionResultat->isChecked());
        QVERIFY(!controles(w).actionInformations->isChecked());
        QVERIFY(!controles(w).editeur->isReadOnly());
        QVERIFY(!controles(w).actionPoursuivre->isEnabled());
    }

    void execution_commentee() {
        taper(u("Entier n\nDonner à n la valeur 2\nAfficher n"));
        controles(w).actionPasAPas->trigger();
        QCOMPARE(affichage(), (QStringList{u(" 1/ Donner à n la valeur 2"), u(" n prend la valeur 2"), u("  ")}));
        QVERIFY(controles(w).actionPoursuivre->isEnabled());
        QVERIFY(controles(w).actionArreter->isEnabled());
        QVERIFY(controles(w).editeur->isReadOnly());
        const QString programme = controles(w).editeur->toPlainText();
        controles(w).editeur->setFocus();
        QApplication::clipboard()->setText(u("x"));
        controles(w).actionColler->trigger();     // the editor is read-only while the run waits
        QTest::keyClicks(controles(w).editeur, u("y"));
        QCOMPARE(controles(w).editeur->toPlainText(), programme);

        raccourci(Qt::Key_Q);
        QCOMPARE(affichage().mid(3), (QStringList{u(" 2/ Afficher n"), u("  2"), u("  "), u(" Exécution terminée."),
                                                  u(" Instructions exécutées : 2")}));
        QVERIFY(!controles(w).actionPoursuivre->isEnabled());
        QVERIFY(!controles(w).editeur->isReadOnly());
    }

    void arret_pendant_une_execution_commentee() {
        taper(u("Entier n\nDonner à n la valeur 2\nAfficher n"));
        controles(w).actionPasAPas->trigger();
        controles(w).actionArreter->trigger();
        QCOMPARE(affichage().mid(3), (QStringList{u(" Exécution arrêtée."), u(" Nombre d'instructions exécutées : 1")}));
        QVERIFY(!controles(w).actionPoursuivre->isEnabled());
        QVERIFY(!controles(w).editeur->isReadOnly());
    }

    void poursuivre_desactive_ignore_ctrl_q() {
        const QStringList avant = affichage();
        raccourci(Qt::Key_Q);
        controles(w).actionPoursuivre->trigger();
        controles(w).actionArreter->trigger();
        QCOMPARE(affichage(), avant);
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Informations"));
    }

    void erreur_d_analyse_selectionne_la_ligne() {
        taper(u("Entier n\n# é\nDonner à x la valeur 2\nAfficher n"));
        controles(w).panneauAffichages->setFocus();
        controles(w).actionExecutionNormale->trigger();
        QCOMPARE(affichage().value(0), u(" Erreur à l'analyse du programme"));
        QCOMPARE(controles(w).editeur->textCursor().selectedText(), u("Donner à x la valeur 2"));
        QVERIFY(controles(w).editeur->hasFocus());
        QVERIFY(!controles(w).editeur->isReadOnly());
    }

    void selection_d_une_ligne() {
        taper(u("a\n\nd\u00e9j\u00e0 vu\n\nfin\n"));
        const QStringList attendues = {u("a"), u(""), u("déjà vu"), u(""), u("fin")};
        for (int n = 0; n < attendues.size(); ++n) {
            selectionnerLigne(w->donnees(), n);
            QCOMPARE(controles(w).editeur->textCursor().selectedText(), attendues[n]);
            QCOMPARE(controles(w).editeur->textCursor().selectionStart(),
                     controles(w).editeur->document()->findBlockByNumber(n).position());
        }
        // Past the end: an empty selection at the end, no failure.
        w->donnees().fenetre->selectionnerDansEditeur(1000, 5);
        QCOMPARE(controles(w).editeur->textCursor().selectedText(), QString());
    }

    void changements_de_mode_d_affichage() {
        controles(w).actionResultat->trigger();
        QCOMPARE(affichage(), QStringList{u("Aucun résultat disponible")});
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Résultats"));
        QVERIFY(controles(w).actionResultat->isChecked());
        QVERIFY(!controles(w).actionInformations->isChecked());

        controles(w).actionResultat->trigger();   // already on: nothing changes, the mark stays
        QVERIFY(controles(w).actionResultat->isChecked());
        QCOMPARE(affichage(), QStringList{u("Aucun résultat disponible")});

        controles(w).actionInformations->trigger();
        controles(w).actionInformations->trigger();
        QCOMPARE(affichage(), enQt(texteReference(), u(" ")));
        QVERIFY(controles(w).actionInformations->isChecked());
        QVERIFY(!controles(w).actionResultat->isChecked());
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Informations"));

        controles(w).actionResultat->trigger();
        QCOMPARE(affichage(), QStringList{u("Aucun résultat disponible")});
    }

    void enregistrer_sous_puis_rouvrir() {
        const QByteArray octets("# tri \x80\x9C\xE9\r\nEntier n\r\n\r\nDonner \xE0 n la valeur 2\r\nAfficher n\r\n");
        const QString original = chemin("tri.txt");
        ecrire(original, octets);
        script->ouvertures = {original};
        controles(w).actionOuvrir->trigger();
        QVERIFY(script->confirmations.isEmpty());
        QCOMPARE(controles(w).editeur->toPlainText(),
                 u("# tri €œé\nEntier n\n\nDonner à n la valeur 2\nAfficher n\n"));
        QCOMPARE(controles(w).bandeauProgramme->text(), u("tri"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + original);
        QVERIFY(!controles(w).editeur->document()->isModified());
        QCOMPARE(controles(w).bandeauAffichages->text(), u("Affichage - Résultats"));
        QCOMPARE(affichage(), QStringList());

        script->enregistrements = {chemin("copie")};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(lire(chemin("copie.txt")), octets);
        QCOMPARE(controles(w).bandeauProgramme->text(), u("copie"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + chemin("copie.txt"));

        // A change, then Ctrl+S: written again to the same file, no dialog.
        controles(w).editeur->setFocus();
        controles(w).editeur->moveCursor(QTextCursor::End);
        QTest::keyClicks(controles(w).editeur, u("# fin"));
        QVERIFY(controles(w).editeur->document()->isModified());
        raccourci(Qt::Key_S);
        QCOMPARE(script->dialoguesEnregistrement, 1);
        QCOMPARE(lire(chemin("copie.txt")), octets + "# fin");
        QVERIFY(!controles(w).editeur->document()->isModified());

        script->ouvertures = {chemin("copie.txt")};
        controles(w).actionOuvrir->trigger();
        QCOMPARE(controles(w).editeur->toPlainText(),
                 u("# tri €œé\nEntier n\n\nDonner à n la valeur 2\nAfficher n\n# fin"));

        // Undefined bytes of the code page, a NUL, a no-break space come back
        // as they were; a tab becomes blanks up to the next stop.
        const QByteArray rares("a\x81\x8D\x8F\x90\x9D\tb\0c\xA0\r\n\xFF", 14);
        ecrire(chemin("rares.txt"), rares);
        script->ouvertures = {chemin("rares.txt")};
        controles(w).actionOuvrir->trigger();
        script->enregistrements = {chemin("rares-copie.txt")};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(lire(chemin("rares-copie.txt")), QByteArray("a\x81\x8D\x8F\x90\x9D  b\0c\xA0\r\n\xFF", 15));
    }

    void nouveau_programme_enregistre_par_ctrl_s() {
        script->enregistrements = {chemin("essai.doc")};
        raccourci(Qt::Key_S);
        QCOMPARE(script->dialoguesEnregistrement, 1);
        QByteArray attendu;
        for (const auto& ligne : modeleProgramme())
            attendu += QByteArray::fromStdString(ligne) + "\r\n";
        QCOMPARE(lire(chemin("essai.txt")), attendu);
        QVERIFY(!QFile::exists(chemin("essai.doc")));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + chemin("essai.txt"));
    }

    void erreurs_de_fichier() {
        script->ouvertures = {chemin("absent.txt")};
        controles(w).actionOuvrir->trigger();
        QCOMPARE(script->erreurs, QStringList{u("Impossible d'ouvrir le fichier ") + chemin("absent.txt") + u(".")});
        QCOMPARE(w->windowTitle(), u("Trevane"));
        QCOMPARE(controles(w).bandeauProgramme->text(), u("Nouveau programme"));

        script->ouvertures = {dossier.path()};
        controles(w).actionOuvrir->trigger();
        QCOMPARE(script->erreurs.value(1), u("Impossible d'ouvrir le fichier ") + dossier.path() + u("."));

        taper(u("Afficher 1"));
        script->enregistrements = {chemin("sous-dossier/absent/tri")};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(script->erreurs.value(2),
                 u("Impossible de créer le fichier ") + chemin("sous-dossier/absent/tri.txt") +
                     u(".\nLe dossier n'existe pas."));
        QVERIFY(controles(w).editeur->document()->isModified());
        QCOMPARE(w->windowTitle(), u("Trevane"));
    }

    void question_avant_d_abandonner_des_modifications() {
        controles(w).editeur->setFocus();
        QTest::keyClicks(controles(w).editeur, u("x"));
        const QString texte = controles(w).editeur->toPlainText();

        controles(w).actionNouveau->trigger();   // No
        QCOMPARE(script->confirmations.size(), 1);
        QCOMPARE(script->confirmations[0].first, u(question));
        QCOMPARE(script->confirmations[0].second, u("Attention"));
        QCOMPARE(controles(w).editeur->toPlainText(), texte);
        QVERIFY(controles(w).editeur->document()->isModified());

        controles(w).actionOuvrir->trigger();    // No: no dialog
        QCOMPARE(script->confirmations.size(), 2);
        QCOMPARE(script->dialoguesOuverture, 0);

        script->reponses = {true};   // Yes, then the dialog is cancelled: still modified
        controles(w).actionOuvrir->trigger();
        QCOMPARE(script->dialoguesOuverture, 1);
        QVERIFY(controles(w).editeur->document()->isModified());
        QCOMPARE(controles(w).editeur->toPlainText(), texte);

        QVERIFY(!w->close());        // No keeps the window and the text
        QCOMPARE(script->confirmations.size(), 4);
        QVERIFY(w->isVisible());
        QCOMPARE(controles(w).editeur->toPlainText(), texte);

        script->reponses = {true};
        controles(w).actionNouveau->trigger();
        QCOMPARE(lignesDocument(controles(w).editeur).mid(0, 18), enQt(modeleProgramme()));
        QVERIFY(!controles(w).editeur->document()->isModified());

        QVERIFY(w->close());         // nothing to give up: no question
        QCOMPARE(script->confirmations.size(), 5);
    }

    void fermer_avec_oui() {
        controles(w).editeur->setFocus();
        QTest::keyClicks(controles(w).editeur, u("x"));
        script->reponses = {true};
        QVERIFY(w->close());
        QCOMPARE(script->confirmations.size(), 1);
    }

    void caracteres_hors_du_code_page() {
        taper(QString());
        frapper(u("a漢€b"));
        QCOMPARE(controles(w).editeur->toPlainText(), u("a?€b"));

        QApplication::clipboard()->setText(u("\r\nx😀y\u2028z\rw"));
        controles(w).actionColler->trigger();
        QCOMPARE(controles(w).editeur->toPlainText(), u("a?€b\nx?y\nz\nw"));

        QTest::keyClick(controles(w).editeur, Qt::Key_Return, Qt::ShiftModifier);   // a line separator
        QCOMPARE(controles(w).editeur->toPlainText(), u("a?€b\nx?y\nz\nw\n"));
        QCOMPARE(w->donnees().fenetre->texteEditeur(), std::string("a?\x80" "b\r\nx?y\r\nz\r\nw\r\n"));
        QCOMPARE(w->donnees().fenetre->nombreLignesEditeur(), 4);
    }

    void commandes_d_edition() {
        taper(u("Afficher 1"));
        controles(w).panneauAffichages->setFocus();
        const QStringList avant = affichage();
        QApplication::clipboard()->setText(u("colle"));
        controles(w).actionColler->trigger();     // never into the display pane
        QCOMPARE(affichage(), avant);
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 1"));

        controles(w).actionSelectionnerTout->trigger();
        QCOMPARE(controles(w).panneauAffichages->texteSelectionne(), affichage().join(u'\n'));
        controles(w).actionCopier->trigger();
        QCOMPARE(QApplication::clipboard()->text().left(25), u("     1/ Les commentaires\n"));

        controles(w).editeur->setFocus();
        controles(w).actionSelectionnerTout->trigger();
        controles(w).actionCopier->trigger();
        QCOMPARE(QApplication::clipboard()->text(), u("Afficher 1"));
        controles(w).editeur->moveCursor(QTextCursor::End);
        controles(w).actionColler->trigger();
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 1Afficher 1"));

        // Neither pane has the focus: the edit commands do nothing.
        controles(w).editeur->moveCursor(QTextCursor::End);
        controles(w).editeur->clearFocus();
        QVERIFY(!controles(w).editeur->hasFocus() && !controles(w).panneauAffichages->hasFocus());
        controles(w).actionSelectionnerTout->trigger();
        controles(w).actionColler->trigger();
        QVERIFY(!controles(w).editeur->textCursor().hasSelection());
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 1Afficher 1"));
    }

    void a_propos() {
        controles(w).panneauAffichages->setFocus();
        controles(w).actionAPropos->trigger();
        QCOMPARE(script->messages.size(), 1);
        QCOMPARE(script->messages[0].second, u("Trevane"));
        QCOMPARE(script->messages[0].first.split(u'\n').size(), 2);
        QVERIFY(controles(w).panneauAffichages->hasFocus());
    }

    void fichier_enorme() {
        // 50 MB in 5 million lines: refused at once, the editor untouched.
        QByteArray octets = QByteArray("# Donn\xE9" "es\r\n").repeated(4'999'999);   // 10 bytes a line
        octets += "Afficher n";
        ecrire(chemin("enorme.txt"), octets);
        taper(u("Afficher 1"));
        QElapsedTimer chrono;
        chrono.start();
        script->reponses = {true};
        script->ouvertures = {chemin("enorme.txt")};
        controles(w).actionOuvrir->trigger();
        qInfo("5 million lines refused in %lld ms", chrono.elapsed());
        QCOMPARE(script->erreurs, QStringList{u("Impossible d'ouvrir le fichier ") + chemin("enorme.txt") +
                                              u(".\nTrop de lignes de programme")});
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 1"));
        QCOMPARE(w->windowTitle(), u("Trevane"));
        raccourci(Qt::Key_E);
        QCOMPARE(affichage(), (QStringList{u("  1"), u(" Exécution terminée."), u(" Instructions exécutées : 1")}));
    }

    void fichiers_etranges() {
        struct Tcas {
            QByteArray octets;
            QStringList lignes;
        };
        const Tcas cas[] = {
            {QByteArray("Afficher 1\0 2", 13), {u("Afficher 1") + QChar(0) + u(" 2")}},
            {QByteArray("Afficher 1\rAfficher 2"), {u("Afficher 1"), u("Afficher 2")}},
            {QByteArray("Afficher 1\nAfficher 2\n"), {u("Afficher 1"), u("Afficher 2"), QString()}},
            {QByteArray("Afficher \"\x81\xFF\""), {u("Afficher \"\u0081ÿ\"")}},
            {QByteArray(), {QString()}},
        };
        int n = 0;
        for (const Tcas& c : cas) {
            const QString nom = chemin("etrange") + QString::number(n++) + u(".txt");
            ecrire(nom, c.octets);
            script->ouvertures = {nom};
            controles(w).actionOuvrir->trigger();
            QCOMPARE(lignesDocument(controles(w).editeur), c.lignes);
            raccourci(Qt::Key_E);   // whatever the analysis says, the window goes on
            QVERIFY(!affichage().isEmpty());
        }
        QVERIFY(script->erreurs.isEmpty());
    }

    void affichage_de_200000_lignes() {
        // The display benchmark through the window: the time and the memory
        // the pane takes are reported, not asserted.
        QFile source(u(DOSSIER_MESURES "/affichage.txt"));
        QVERIFY(source.open(QIODevice::ReadOnly));
        ecrire(chemin("affichage.txt"), source.readAll());
        script->ouvertures = {chemin("affichage.txt")};
        controles(w).actionOuvrir->trigger();
        const auto memoire = [] {
            QFile statm(u("/proc/self/statm"));
            statm.open(QIODevice::ReadOnly);
            return statm.readAll().split(' ').value(1).toLongLong() * 4096;
        };
        const qint64 avant = memoire();
        QElapsedTimer chrono;
        chrono.start();
        raccourci(Qt::Key_E);
        QCoreApplication::processEvents();
        const qint64 duree = chrono.elapsed();
        const QStringList lignes = affichage();
        QCOMPARE(lignes.size(), 200002);
        QCOMPARE(lignes.value(199999), u(" ligne  200000 :  600000  28571.42857143"));
        qInfo("200,000 lines shown in %lld ms; the pane grew the process by %lld MB", duree,
              (memoire() - avant) / (1024 * 1024));
    }

    void longue_sortie() {
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher i\nAller à [a] si i < 120000"));
        controles(w).actionExecutionNormale->trigger();
        const QStringList lignes = affichage();
        QCOMPARE(lignes.size(), 120002);
        QCOMPARE(lignes.value(0), u("  1"));
        QCOMPARE(lignes.value(119999), u("  120000"));
        QCOMPARE(lignes.value(120000), u(" Exécution terminée."));
        const std::string texte = w->donnees().fenetre->texteAffichage();
        QVERIFY(texte.rfind(" Instructions ex\xE9" "cut\xE9" "es : 360000") != std::string::npos);
    }
};

QTEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
