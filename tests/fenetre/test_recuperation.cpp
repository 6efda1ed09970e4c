// Work that survives a crash: the recovery copy written while changes are
// unsaved, removed once they are saved or given up, and offered back at the
// next start when its process is gone, up to a real SIGKILL.
#include "base/donnees.h"
#include "base/fenetre.h"
#include "commands/recuperation.h"
#include "tests/fenetre/outils_fenetre.h"
#include "tests/fenetre/acces_fenetre.h"
#include "window/fenetre_principale.h"
#include "window/editeur/editeur_programme.h"
#include "window/classe/recuperation.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

const char* const textePerdu = "Entier n\nDonner à n la valeur 3\nAfficher n\n";

QStringList copies() {
    return QDir(Trecuperation::dossier()).entryList({u("*.txt")}, QDir::Files);
}

// A copy left behind by a process that no longer runs: no lock holds it.
QString laisserCopie(const QString& nom, const TcopieSecours& copie) {
    QDir().mkpath(Trecuperation::dossier());
    const QString chemin = Trecuperation::dossier() + QLatin1Char('/') + nom + u(".txt");
    ecrire(chemin, QByteArray::fromStdString(encoderCopie(copie)));
    return chemin;
}

// The child process of the SIGKILL test: a window whose user types a
// program and runs it, then waits to be killed.
int enfantTue(int argc, char** argv) {
    QApplication application(argc, argv);
    TfenetrePrincipale fenetre(std::make_unique<Tscript>());
    fenetre.show();
    if (!QTest::qWaitForWindowExposed(&fenetre))
        return 1;
    controles(fenetre).editeur->setFocus();
    controles(fenetre).editeur->selectAll();
    controles(fenetre).editeur->insertPlainText(u(textePerdu));
    controles(fenetre).actionExecutionNormale->trigger();   // a run start writes the copy
    std::printf("%s\n", qPrintable(controles(fenetre).recuperation->cheminCopie()));
    std::fflush(stdout);
    return application.exec();
}

} // namespace

class TestRecuperation : public QObject, TfenetreTest<> {
    Q_OBJECT

    QTemporaryDir dossier;

    void ouvrirFenetre(QList<TchoixCopie> choix = {}) {
        auto dialogues = std::make_unique<Tscript>();
        dialogues->choix = choix;
        ouvrir(std::move(dialogues));
        QCoreApplication::processEvents();   // the offer follows the first show
    }
    QByteArray texteCopie() {
        TcopieSecours copie;
        if (!decoderCopie(lire(controles(w).recuperation->cheminCopie()).toStdString(), copie))
            return "<illisible>";
        return QByteArray::fromStdString(copie.texte);
    }

private slots:
    void init() {
        QDir(Trecuperation::dossier()).removeRecursively();
    }

    void cleanup() { fermer(); }

    void copie_d_un_processus_disparu_restauree() {
        struct Tcas {
            std::string fichier;
            QString legende;
            QString titre;
        };
        const QString programme = dossier.filePath(u("tri.txt"));
        const Tcas cas[] = {
            {programme.toStdString(), u("tri"), u("Trevane - ") + programme},
            {std::string(), u("Nouveau programme"), u("Trevane")},
        };
        for (const Tcas& c : cas) {
            const QString laissee =
                laisserCopie(u("999999-1"), {c.fichier, "2026-12-01T10:00:00.000Z", vers1252(u(textePerdu).replace(u("\n"), u("\r\n")))});
            ouvrirFenetre({TchoixCopie::restaurer});
            QCOMPARE(script->offres.size(), 1);
            QVERIFY2(script->offres[0].contains(u("« ") + c.legende + u(" »")), qPrintable(script->offres[0]));
            QCOMPARE(controles(w).editeur->toPlainText(), u(textePerdu));
            QVERIFY(controles(w).editeur->document()->isModified());
            QCOMPARE(controles(w).bandeauProgramme->text(), c.legende);
            QCOMPARE(w->windowTitle(), c.titre);
            QCOMPARE(w->donnees().nomFichier, c.fichier);
            // The copy is now this window's: kept until the text is saved.
            QCOMPARE(controles(w).recuperation->cheminCopie(), laissee);
            QCOMPARE(copies(), QStringList{QFileInfo(laissee).fileName()});
            QCOMPARE(texteCopie(), QByteArray::fromStdString(vers1252(u(textePerdu).replace(u("\n"), u("\r\n")))));

            // Ctrl+S writes it where it belongs (or asks for a name).
            script->enregistrements = {programme};
            QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(lire(programme), QByteArray("Entier n\r\nDonner \xE0 n la valeur 3\r\nAfficher n\r\n"));
            QVERIFY(copies().isEmpty());
            cleanup();
            QFile::remove(programme);
        }
    }

    void reponses_a_l_offre_d_une_copie() {
        // Two copies, the newest offered first; what each answer leaves on disk.
        struct Tcas {
            QList<TchoixCopie> choix;
            int offres;
            QStringList restantes;   // copies left once the window starts
            QString texte;           // in the editor
        };
        const QString ancienne = u("999998-1.txt");
        const QString recente = u("999997-1.txt");
        const Tcas cas[] = {
            {{}, 2, {recente, ancienne}, QString()},   // Escape, Escape: both kept for the next start
            {{TchoixCopie::supprimer, TchoixCopie::supprimer}, 2, {}, QString()},
            {{TchoixCopie::garder, TchoixCopie::supprimer}, 2, {recente}, QString()},
            {{TchoixCopie::restaurer}, 1, {recente, ancienne}, u("Afficher 2\n")},
        };
        for (const Tcas& c : cas) {
            init();
            laisserCopie(u("999998-1"), {{}, "2026-12-01T09:00:00.000Z", "Afficher 1\r\n"});
            laisserCopie(u("999997-1"), {{}, "2026-12-02T09:00:00.000Z", "Afficher 2\r\n"});
            ouvrirFenetre(c.choix);
            QCOMPARE(script->offres.size(), c.offres);
            QVERIFY(script->offres[0].contains(u("02/12/2026")));
            QVERIFY(script->offres[0].endsWith(u("Restaurer ce programme ?\n(Non : la copie est gardée et proposée au prochain démarrage.)")));
            QCOMPARE(copies(), c.restantes);
            QCOMPARE(controles(w).editeur->document()->isModified(), !c.texte.isEmpty());
            if (!c.texte.isEmpty())
                QCOMPARE(controles(w).editeur->toPlainText(), c.texte);
            cleanup();
        }
    }

    void entrees_etranges_du_dossier_laissees() {
        // Nothing but a whole copy of at most a program's size is read: a
        // link to a device, a pipe, a folder and a huge sparse file are left
        // as they are, and a lock whose process and copy are gone goes.
        const QDir ici(Trecuperation::dossier());
        QDir().mkpath(ici.path());
        const QString tube = ici.filePath(u("tube.txt"));
        QVERIFY(mkfifo(QFile::encodeName(tube).constData(), 0600) == 0);
        QVERIFY(QFile::link(tube, ici.filePath(u("lien.txt"))));
        QVERIFY(ici.mkdir(u("dossier.txt")));
        {
            QFile grand(laisserCopie(u("grand"), {{}, "2026-12-03T09:00:00.000Z", "Afficher 3\r\n"}));
            QVERIFY(grand.resize(qint64(tailleProgrammeMax) + 1));
        }
        laisserCopie(u("bonne"), {{}, "2026-12-01T09:00:00.000Z", "Afficher 1\r\n"});
        ecrire(ici.filePath(u("orpheline.verrou")), "999999\nTrevane\n\n");
        ouvrirFenetre();
        QCOMPARE(script->offres.size(), 1);
        QVERIFY(script->offres[0].contains(u("01/12/2026")));
        QCOMPARE(ici.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
                 (QStringList{u("bonne.txt"), u("dossier.txt"), u("grand.txt"), u("lien.txt"), u("tube.txt")}));
    }

    void copie_d_une_fenetre_ouverte_pas_proposee() {
        const QString copie = laisserCopie(u("1-1"), {{}, "2026-12-01T09:00:00.000Z", "Afficher 1\r\n"});
        QLockFile verrou(Trecuperation::dossier() + u("/1-1.verrou"));   // its window still runs
        QVERIFY(verrou.tryLock(0));
        ouvrirFenetre({TchoixCopie::restaurer});
        QVERIFY(script->offres.isEmpty());
        QVERIFY(QFile::exists(copie));
        QVERIFY(!controles(w).editeur->document()->isModified());

        // Copies that are not ours are never touched: a broken one stays.
        verrou.unlock();
        ecrire(copie, "rien de lisible");
        cleanup();
        ouvrirFenetre({TchoixCopie::restaurer});
        QVERIFY(script->offres.isEmpty());
        QVERIFY(QFile::exists(copie));
    }

    void copie_ecrite_puis_effacee() {
        ouvrirFenetre();
        auto* minuteur = controles(w).recuperation->findChild<QTimer*>();
        QVERIFY(minuteur);
        QCOMPARE(minuteur->interval(), 30000);
        QVERIFY(!minuteur->isActive());
        QVERIFY(copies().isEmpty());

        taper(u("Afficher 1"));
        QVERIFY(minuteur->isActive());
        controles(w).recuperation->ecrireSiBesoin();   // what the minute hand does
        QCOMPARE(texteCopie(), QByteArray("Afficher 1"));
        TcopieSecours copie;
        QVERIFY(decoderCopie(lire(controles(w).recuperation->cheminCopie()).toStdString(), copie));
        QVERIFY(copie.fichier.empty());
        QVERIFY(QDateTime::fromString(QString::fromStdString(copie.date), Qt::ISODate).isValid());

        // A run start copies the newest text.
        taper(u("Afficher 2"));
        QTest::keyClick(w, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(texteCopie(), QByteArray("Afficher 2"));

        // Saved: no copy left, no minute hand.
        script->enregistrements = {dossier.filePath(u("p"))};
        controles(w).actionEnregistrerSous->trigger();
        QVERIFY(copies().isEmpty());
        QVERIFY(!minuteur->isActive());

        // Changes given up (New, Yes): the copy goes.
        taper(u("Afficher 3"));
        controles(w).recuperation->ecrireSiBesoin();
        QCOMPARE(copies().size(), 1);
        script->reponses = {true};
        controles(w).actionNouveau->trigger();
        QVERIFY(copies().isEmpty());

        // Closing with Yes gives them up too; with No the copy stays.
        taper(u("Afficher 4"));
        controles(w).recuperation->ecrireSiBesoin();
        QVERIFY(!w->close());
        QCOMPARE(copies().size(), 1);
        script->reponses = {true};
        QVERIFY(w->close());
        QVERIFY(copies().isEmpty());
        QVERIFY(script->erreurs.isEmpty());
    }

    void deux_fenetres_deux_copies() {
        ouvrirFenetre();
        auto dialogues = std::make_unique<Tscript>();
        TfenetrePrincipale autre(std::move(dialogues));
        autre.show();
        QCoreApplication::processEvents();
        taper(u("Afficher 1"));
        controles(autre).editeur->insertPlainText(u("Afficher 2"));
        controles(w).recuperation->ecrireSiBesoin();
        controles(autre).recuperation->ecrireSiBesoin();
        QCOMPARE(copies().size(), 2);
        QVERIFY(controles(w).recuperation->cheminCopie() != controles(autre).recuperation->cheminCopie());
        QCOMPARE(texteCopie(), QByteArray("Afficher 1"));
        controles(autre).editeur->document()->setModified(false);
        QCOMPARE(copies().size(), 1);
    }

    void echec_d_ecriture_signale_une_fois() {
        ouvrirFenetre();
        // A file where the folder should be: no copy can be written, even as root.
        QDir().mkpath(QFileInfo(Trecuperation::dossier()).path());
        ecrire(Trecuperation::dossier(), "pas un dossier");
        taper(u("Afficher 1"));
        controles(w).recuperation->ecrireSiBesoin();
        taper(u("Afficher 2"));
        controles(w).recuperation->ecrireSiBesoin();
        QCOMPARE(script->erreurs.size(), 1);
        QVERIFY(script->erreurs[0].startsWith(u("Impossible d'écrire la copie de secours du programme")));
        QVERIFY(controles(w).editeur->document()->isModified());
        QFile::remove(Trecuperation::dossier());
        taper(u("Afficher 3"));
        controles(w).recuperation->ecrireSiBesoin();
        QCOMPARE(texteCopie(), QByteArray("Afficher 3"));
        QFile::remove(controles(w).recuperation->cheminCopie());
        QDir().mkdir(controles(w).recuperation->cheminCopie());   // the copy's name taken by a folder
        taper(u("Afficher 4"));
        controles(w).recuperation->ecrireSiBesoin();
        QCOMPARE(script->erreurs.size(), 2);   // reported again after a success
        QDir().rmdir(controles(w).recuperation->cheminCopie());
    }

    void fenetre_tuee_par_sigkill() {
        QProcess enfant;
        enfant.setProcessChannelMode(QProcess::SeparateChannels);
        enfant.start(QCoreApplication::applicationFilePath(), {u("--enfant-tue")});
        QVERIFY(enfant.waitForStarted());
        QByteArray sortie;
        while (!sortie.contains('\n') && enfant.waitForReadyRead(60000))
            sortie += enfant.readAllStandardOutput();
        const QString copie = QString::fromUtf8(sortie).trimmed();
        QVERIFY2(QFile::exists(copie), sortie.constData());
        enfant.kill();   // SIGKILL: nothing of the window runs any more
        QVERIFY(enfant.waitForFinished());
        QCOMPARE(enfant.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFile::exists(copie));

        ouvrirFenetre({TchoixCopie::restaurer});
        QCOMPARE(script->offres.size(), 1);
        QCOMPARE(controles(w).editeur->toPlainText(), u(textePerdu));
        QVERIFY(controles(w).editeur->document()->isModified());
        QCOMPARE(controles(w).recuperation->cheminCopie(), copie);
        // Saved: the copy goes, and no lock is left beside it.
        script->enregistrements = {dossier.filePath(u("sauve.txt"))};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(QDir(Trecuperation::dossier()).entryList(QDir::Files), QStringList());
    }
};

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--enfant-tue") == 0)
        return enfantTue(argc, argv);
    QApplication application(argc, argv);
    TestRecuperation test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_recuperation.moc"
