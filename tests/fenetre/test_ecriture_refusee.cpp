// Saves the system refuses: a file size limit (which root cannot bypass
// either, so these run in CI) and a full file system. The old file must stay
// byte for byte, the error box must show, and the window must still say
// that the program is not saved.
#include "window/FenetrePrincipale.h"
#include "window/editeur_programme.h"
#include "tests/fenetre/outils_fenetre.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>

namespace {

// What the window shows after one save, as the child process reports it.
struct Tetat {
    QStringList erreurs;
    QString titre;
    QString etiquette;
    bool modifie = false;
};

QString decrire(const Tetat& e) {
    return u("erreurs=") + e.erreurs.join(u("|")) + u("\ntitre=") + e.titre + u("\netiquette=") + e.etiquette +
           u("\nmodifie=") + (e.modifie ? u("1") : u("0")) + u("\n");
}

Tetat relire(const QString& texte) {
    Tetat e;
    for (const QString& ligne : texte.split(u("\n"), Qt::SkipEmptyParts)) {
        const QString cle = ligne.section(u("="), 0, 0);
        const QString valeur = ligne.section(u("="), 1);
        if (cle == u("erreurs") && !valeur.isEmpty())
            e.erreurs = valeur.split(u("|"));
        else if (cle == u("titre"))
            e.titre = valeur;
        else if (cle == u("etiquette"))
            e.etiquette = valeur;
        else if (cle == u("modifie"))
            e.modifie = valeur == u("1");
    }
    return e;
}

// One save in the window, under whatever limits this process has:
// "sous PATH" saves under a new name, "ouvert PATH" opens PATH first and
// saves it again with Ctrl+S. The state afterwards goes to stdout.
int enregistrerEnEnfant(const QString& maniere, const QString& cible) {
    auto dialogues = std::make_unique<Tscript>();
    Tscript* script = dialogues.get();
    TFenetrePrincipale w(std::move(dialogues));
    w.show();
    if (!QTest::qWaitForWindowActive(&w))
        return 3;
    if (maniere == u("ouvert")) {
        script->ouvertures = {cible};
        w.itemOuvrir->trigger();
    }
    w.memoProgramme->setFocus();
    w.memoProgramme->selectAll();
    w.memoProgramme->insertPlainText(u("Afficher \"nouveau\"\n"));
    script->enregistrements = {cible};
    script->reponses = {true};   // "Oui" when Save As asks before replacing a file
    if (maniere == u("ouvert"))
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    else
        w.itemEnregistrerSous->trigger();
    Tetat e{script->erreurs, w.windowTitle(), w.LabelProgramme->text(), w.memoProgramme->document()->isModified()};
    std::fputs(decrire(e).toUtf8().constData(), stdout);
    w.memoProgramme->document()->setModified(false);
    return 0;
}

} // namespace

class TestEcritureRefusee : public QObject {
    Q_OBJECT

    QTemporaryDir dossier;

    // Runs the save in a child process whose files may not grow past
    // `limite` bytes (none when negative); SIGXFSZ ignored, so an over-long
    // write fails with EFBIG instead of ending the process.
    Tetat enregistrerSousLimite(const QString& maniere, const QString& cible, qint64 limite) {
        QProcess enfant;
        enfant.setProgram(QCoreApplication::applicationFilePath());
        enfant.setArguments({u("--enfant"), maniere, cible});
        enfant.setChildProcessModifier([limite] {
            std::signal(SIGXFSZ, SIG_IGN);
            if (limite >= 0) {
                const rlimit r{static_cast<rlim_t>(limite), static_cast<rlim_t>(limite)};
                setrlimit(RLIMIT_FSIZE, &r);
            }
        });
        enfant.start();
        if (!enfant.waitForFinished(120000) || enfant.exitStatus() != QProcess::NormalExit || enfant.exitCode() != 0)
            qWarning("child: %s", enfant.readAllStandardError().constData());
        return relire(QString::fromUtf8(enfant.readAllStandardOutput()));
    }

private slots:
    void limite_de_taille_data() {
        QTest::addColumn<QString>("maniere");
        QTest::addColumn<bool>("existant");
        QTest::addColumn<qint64>("limite");
        QTest::addColumn<bool>("refuse");
        // The first row checks the child itself: without a limit the save works.
        QTest::newRow("sans limite") << u("sous") << true << qint64(-1) << false;
        QTest::newRow("sous un nom existant") << u("sous") << true << qint64(0) << true;
        QTest::newRow("sous un nouveau nom") << u("sous") << false << qint64(0) << true;
        QTest::newRow("ouvert puis Ctrl+S") << u("ouvert") << true << qint64(0) << true;
        QTest::newRow("limite de 5 octets") << u("ouvert") << true << qint64(5) << true;
    }

    void limite_de_taille() {
        QFETCH(QString, maniere);
        QFETCH(bool, existant);
        QFETCH(qint64, limite);
        QFETCH(bool, refuse);
        QTemporaryDir ici;
        const QString cible = ici.filePath(u("garde.txt"));
        const QByteArray ancien = "Afficher \"ancien\"\r\n";
        if (existant)
            ecrire(cible, ancien);

        const Tetat e = enregistrerSousLimite(maniere, cible, limite);

        const QString avant = maniere == u("ouvert") ? u("Trevane - ") + cible : u("Trevane");
        if (!refuse) {
            QCOMPARE(e.erreurs, QStringList());
            QCOMPARE(lire(cible), QByteArray("Afficher \"nouveau\"\r\n"));
            QCOMPARE(e.titre, u("Trevane - ") + cible);
            QVERIFY(!e.modifie);
            return;
        }
        QCOMPARE(e.erreurs, QStringList{u("Impossible de créer le fichier ") + cible + u(".")});
        QCOMPARE(e.titre, avant);
        QCOMPARE(e.etiquette, maniere == u("ouvert") ? u("garde") : u("Nouveau programme"));
        QVERIFY(e.modifie);
        if (existant)
            QCOMPARE(lire(cible), ancien);
        // Nothing else is left behind: no new file, no temporary file.
        QCOMPARE(QDir(ici.path()).entryList(QDir::Files | QDir::Hidden),
                 existant ? QStringList{u("garde.txt")} : QStringList());
    }

    void systeme_de_fichiers_plein() {
        // A small program on a full file system of our own. Needs the right
        // to mount (root); skipped elsewhere.
        const QString point = dossier.filePath(u("plein"));
        QDir().mkpath(point);
        if (QProcess::execute(u("mount"), {u("-t"), u("tmpfs"), u("-o"), u("size=64k"), u("tmpfs"), point}) != 0)
            QSKIP("cannot mount a small file system here");
        const QString cible = point + u("/garde.txt");
        const QByteArray ancien = "Afficher \"ancien\"\r\n";
        ecrire(cible, ancien);
        {
            // Fill every remaining block.
            QFile remplissage(point + u("/remplissage"));
            QVERIFY(remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray bloc(4096, 'x');
            while (remplissage.write(bloc) == bloc.size()) {
            }
        }
        auto dialogues = std::make_unique<Tscript>();
        Tscript* script = dialogues.get();
        TFenetrePrincipale w(std::move(dialogues));
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.memoProgramme->setFocus();
        w.memoProgramme->insertPlainText(u("Afficher \"nouveau\"\n"));
        script->enregistrements = {cible, point + u("/neuf.txt")};
        script->reponses = {true};   // replace garde.txt
        w.itemEnregistrerSous->trigger();
        w.itemEnregistrerSous->trigger();
        const QByteArray apres = lire(cible);
        const QStringList fichiers = QDir(point).entryList(QDir::Files | QDir::Hidden);
        QProcess::execute(u("umount"), {point});

        QCOMPARE(script->erreurs, (QStringList{u("Impossible de créer le fichier ") + cible + u("."),
                                               u("Impossible de créer le fichier ") + point + u("/neuf.txt.")}));
        QCOMPARE(apres, ancien);
        QCOMPARE(fichiers, (QStringList{u("garde.txt"), u("remplissage")}));
        QCOMPARE(w.windowTitle(), u("Trevane"));
        QCOMPARE(w.LabelProgramme->text(), u("Nouveau programme"));
        QVERIFY(w.memoProgramme->document()->isModified());
        w.memoProgramme->document()->setModified(false);
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--enfant") == 0)
        return enregistrerEnEnfant(QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]));
    TestEcritureRefusee test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ecriture_refusee.moc"
