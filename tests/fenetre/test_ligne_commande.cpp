// trevane --help and --version answer on the console and never open the
// window: they work with no display at all.
#include "trevane_version.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestLigneCommande : public QObject {
    Q_OBJECT

    struct Tresultat {
        int statut = -1;
        QByteArray sortie;
        QByteArray erreurs;
    };

    // Runs the window's program without any display to open a window on.
    static Tresultat lancer(const QStringList& arguments) {
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const char* nom : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environnement.remove(QString::fromLatin1(nom));
        QProcess processus;
        processus.setProcessEnvironment(environnement);
        processus.start(QStringLiteral(TREVANE), arguments);
        Tresultat r;
        if (!processus.waitForFinished(30000)) {
            processus.kill();
            processus.waitForFinished();
            return r;
        }
        r.statut = processus.exitStatus() == QProcess::NormalExit ? processus.exitCode() : -1;
        r.sortie = processus.readAllStandardOutput();
        r.erreurs = processus.readAllStandardError();
        return r;
    }

private slots:
    void versionEtAide() {
        for (const QStringList& arguments : {QStringList{"--version"}, QStringList{"-platform", "xcb", "--version"}}) {
            const Tresultat r = lancer(arguments);
            QCOMPARE(r.statut, 0);
            QCOMPARE(r.sortie, QByteArray("trevane " TREVANE_VERSION "\n"));
            QCOMPARE(r.erreurs, QByteArray());
        }
        const Tresultat aide = lancer({"--help"});
        QCOMPARE(aide.statut, 0);
        QVERIFY2(aide.sortie.startsWith("usage : trevane [FICHIER]\n"), aide.sortie.constData());
        QVERIFY(aide.sortie.contains("--version"));
        QCOMPARE(aide.erreurs, QByteArray());
    }
};

QTEST_GUILESS_MAIN(TestLigneCommande)
#include "test_ligne_commande.moc"
