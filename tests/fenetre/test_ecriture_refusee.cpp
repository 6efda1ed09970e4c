// Writes the system refuses, through every writer of the window: a program
// saved under a name or again with Ctrl+S, the trace exported, the recovery
// copy. Each fault is real: a file size limit (which root cannot bypass
// either), a folder without write permission (root loses its right to
// override it), and a full or read-only file system (a small one of our
// own, where this process may mount it). The old file must stay byte for
// byte with nothing left beside it, the error box must name the reason, and
// the edit must survive.
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/classe/recuperation.h"
#include "window/editeur/editeur_programme.h"
#include "window/fenetre_principale.h"
#include "window/panneaux/modele_suivi.h"
#include "window/panneaux/panneau_variables.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

const QString tape = u("Afficher \"nouveau\"\n");
const QString ajout = u("Afficher \"plus\"\n");   // typed after the first recovery copy

// The scripted boxes, with the export dialog answered too.
class TscriptExport : public Tscript {
public:
    QStringList exports;
    QString fichierSuiviAEnregistrer(QWidget*, const QString&) override {
        return exports.isEmpty() ? QString() : exports.takeFirst();
    }
};

// This thread loses root's right to write where the permissions forbid it.
void perdreDroitsDeRoot() {
    __user_cap_header_struct tete{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct droits[2]{};
    syscall(SYS_capget, &tete, droits);
    for (const int droit : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER})
        droits[droit / 32].effective &= ~(1u << (droit % 32));
    syscall(SYS_capset, &tete, droits);
}

// One write in the window, the fault set just before it; what the window
// shows and what is on disk afterwards go to stdout, one "key=value" a line.
int ecrireEnEnfant(const QString& ecrivain, QString cible, const QString& panne) {
    auto dialogues = std::make_unique<TscriptExport>();
    TscriptExport* script = dialogues.get();
    TfenetrePrincipale w(std::move(dialogues));
    w.show();
    if (!QTest::qWaitForWindowActive(&w))
        return 3;
    if (ecrivain == u("ctrl-s")) {
        script->ouvertures = {cible};
        controles(w).actionOuvrir->trigger();
    }
    controles(w).editeur->setFocus();
    controles(w).editeur->selectAll();
    controles(w).editeur->insertPlainText(tape);
    if (ecrivain == u("suivi"))
        controles(w).actionPasAPas->trigger();
    if (ecrivain == u("secours")) {
        controles(w).recuperation->ecrireSiBesoin();
        cible = controles(w).recuperation->cheminCopie();
        controles(w).editeur->moveCursor(QTextCursor::End);
        controles(w).editeur->insertPlainText(ajout);
    }
    const QByteArray ancien = lire(cible);
    const QString dossier = QFileInfo(cible).path();

    if (panne.startsWith(u("taille"))) {
        const rlim_t limite = panne == u("taille") ? 0 : panne.mid(6).toULong();
        const rlimit r{limite, limite};
        setrlimit(RLIMIT_FSIZE, &r);
    } else if (panne == u("permission")) {
        chmod(QFile::encodeName(dossier).constData(), 0555);
        perdreDroitsDeRoot();
    }
    script->reponses = {true};   // "Oui" when asked before replacing a file
    if (ecrivain == u("sous")) {
        script->enregistrements = {cible};
        controles(w).actionEnregistrerSous->trigger();
    } else if (ecrivain == u("ctrl-s")) {
        QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    } else if (ecrivain == u("suivi")) {
        script->exports = {cible};
        controles(w).actionExporterSuivi->trigger();
    } else {
        controles(w).recuperation->ecrireSiBesoin();
    }

    QStringList autres;   // anything beside the file and a lock
    for (const QString& nom : QDir(dossier).entryList(QDir::Files | QDir::Hidden))
        if (nom != QFileInfo(cible).fileName() && !nom.endsWith(u(".verrou")) && nom != u("remplissage"))
            autres.append(nom);
    const auto sortir = [](const char* cle, const QString& valeur) {
        std::printf("%s=%s\n", cle, QUrl::toPercentEncoding(valeur).constData());
    };
    sortir("erreurs", script->erreurs.join(u("|")));
    sortir("titre", w.windowTitle());
    sortir("texte", controles(w).editeur->toPlainText());
    sortir("modifie", controles(w).editeur->document()->isModified() ? u("1") : u("0"));
    sortir("intact", lire(cible) == ancien ? u("1") : u("0"));
    sortir("autres", autres.join(u("|")));
    std::fflush(stdout);
    chmod(QFile::encodeName(dossier).constData(), 0755);
    controles(w).editeur->document()->setModified(false);
    return 0;
}

QMap<QString, QString> lancerEnfant(const QStringList& arguments) {
    QProcess enfant;
    enfant.start(QCoreApplication::applicationFilePath(), QStringList{u("--enfant")} + arguments);
    if (!enfant.waitForFinished(120000) || enfant.exitStatus() != QProcess::NormalExit || enfant.exitCode() != 0)
        qWarning("child: %s", enfant.readAllStandardError().constData());
    QMap<QString, QString> etat;
    for (const QByteArray& ligne : enfant.readAllStandardOutput().split('\n'))
        if (ligne.contains('='))
            etat[QString::fromUtf8(ligne.left(ligne.indexOf('=')))] =
                QUrl::fromPercentEncoding(ligne.mid(ligne.indexOf('=') + 1));
    return etat;
}

bool monter(const QString& point) {
    QDir().mkpath(point);
    return QProcess::execute(u("mount"), {u("-t"), u("tmpfs"), u("-o"), u("size=64k"), u("tmpfs"), point}) == 0;
}

} // namespace

class TestEcritureRefusee : public QObject {
    Q_OBJECT

private slots:
    void ecritures_refusees_data() {
        QTest::addColumn<QString>("ecrivain");
        QTest::addColumn<QString>("panne");
        QTest::addColumn<bool>("existant");
        QTest::addColumn<QString>("raison");
        const QString taille = u("Le fichier dépasse la taille permise.");
        const QString permission = u("Permission refusée.");
        const QString plein = u("Le disque est plein.");
        const QString lectureSeule = u("Le disque est en lecture seule.");
        // The first rows check the child itself: without a fault each writer writes.
        for (const char* ecrivain : {"sous", "ctrl-s", "suivi", "secours"})
            QTest::addRow("%s sans panne", ecrivain) << u(ecrivain) << u("aucune") << true << QString();
        QTest::newRow("sous, taille, nom existant") << u("sous") << u("taille") << true << taille;
        QTest::newRow("sous, taille, nouveau nom") << u("sous") << u("taille") << false << taille;
        QTest::newRow("ctrl-s, taille de 5 octets") << u("ctrl-s") << u("taille5") << true << taille;
        QTest::newRow("suivi, taille") << u("suivi") << u("taille") << true << taille;
        QTest::newRow("secours, taille") << u("secours") << u("taille") << true << taille;
        QTest::newRow("sous, permission") << u("sous") << u("permission") << true << permission;
        QTest::newRow("suivi, permission") << u("suivi") << u("permission") << true << permission;
        QTest::newRow("secours, permission") << u("secours") << u("permission") << true << permission;
        QTest::newRow("sous, plein, nom existant") << u("sous") << u("plein") << true << plein;
        QTest::newRow("sous, plein, nouveau nom") << u("sous") << u("plein") << false << plein;
        QTest::newRow("suivi, plein") << u("suivi") << u("plein") << true << plein;
        QTest::newRow("sous, lecture seule") << u("sous") << u("lecture seule") << true << lectureSeule;
        QTest::newRow("ctrl-s, lecture seule") << u("ctrl-s") << u("lecture seule") << true << lectureSeule;
        QTest::newRow("suivi, lecture seule") << u("suivi") << u("lecture seule") << true << lectureSeule;
    }

    void ecritures_refusees() {
        QFETCH(QString, ecrivain);
        QFETCH(QString, panne);
        QFETCH(bool, existant);
        QFETCH(QString, raison);
        QTemporaryDir ici;
        QString dossier = ici.path();
        const bool monte = panne == u("plein") || panne == u("lecture seule");
        if (monte) {
            dossier = ici.filePath(u("petit"));
            if (!monter(dossier))
                QSKIP("cannot mount a small file system here");
        }
        const QString cible = dossier + (ecrivain == u("suivi") ? u("/garde.csv") : u("/garde.txt"));
        if (existant)
            ecrire(cible, "Afficher \"ancien\"\r\n");
        if (panne == u("plein")) {
            QFile remplissage(dossier + u("/remplissage"));
            QVERIFY(remplissage.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray bloc(4096, 'x');
            while (remplissage.write(bloc) == bloc.size()) {
            }
        } else if (panne == u("lecture seule")) {
            QCOMPARE(QProcess::execute(u("mount"), {u("-o"), u("remount,ro"), dossier}), 0);
        }

        const QMap<QString, QString> e = lancerEnfant({ecrivain, cible, panne});
        if (monte)
            QProcess::execute(u("umount"), {dossier});

        const bool programme = ecrivain == u("sous") || ecrivain == u("ctrl-s");
        QCOMPARE(e.value(u("texte")), ecrivain == u("secours") ? tape + ajout : tape);
        if (raison.isEmpty()) {
            QCOMPARE(e.value(u("erreurs")), QString());
            QCOMPARE(e.value(u("intact")), u("0"));
            QCOMPARE(e.value(u("modifie")), programme ? u("0") : u("1"));
            return;
        }
        const QString attendue = ecrivain == u("secours")
            ? u("Impossible d'écrire la copie de secours du programme : ") + raison
            : u("Impossible de créer le fichier ") + cible + u(".\n") + raison;
        QCOMPARE(e.value(u("erreurs")), attendue);
        QCOMPARE(e.value(u("intact")), u("1"));
        QCOMPARE(e.value(u("autres")), QString());
        QCOMPARE(e.value(u("modifie")), u("1"));
        QCOMPARE(e.value(u("titre")), ecrivain == u("ctrl-s") ? u("Trevane - ") + cible : u("Trevane"));
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc == 5 && std::strcmp(argv[1], "--enfant") == 0) {
        std::signal(SIGXFSZ, SIG_IGN);   // as the window's own main does
        return ecrireEnEnfant(QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]), QString::fromUtf8(argv[4]));
    }
    TestEcritureRefusee test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_ecriture_refusee.moc"
