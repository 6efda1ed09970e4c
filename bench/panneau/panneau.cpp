// The display pane under load, through the real window (offscreen): one
// scenario per process, so that each memory figure starts from a fresh
// window. Prints one line: scenario, wall ms, CPU ms, memory growth, and the
// scenario's own figures. bench/panneau.py runs every scenario for two builds.
//
// Only the window's public controls are used, so the same source builds
// against an older pane to compare.
#include "base/codage.h"
#include "base/donnees.h"
#include "execution/controle.h"
#include "tests/fenetre/acces_fenetre.h"
#include "tools/fenetre_memoire.h"
#include "window/affichages/panneau_affichages.h"
#include "window/editeur/editeur_programme.h"
#include "window/fenetre_principale.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>

namespace {

// Resident and peak memory of the process, in MB.
double memoire(const char* champ) {
    QFile statut(QStringLiteral("/proc/self/status"));
    if (!statut.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& ligne : statut.readAll().split('\n'))
        if (ligne.startsWith(champ))
            return ligne.mid(static_cast<qsizetype>(std::strlen(champ))).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Wall and CPU time of one piece of work, the pane drawn at the end.
struct Tmesure {
    double mur = 0;
    double cpu = 0;
};

template <typename Travail>
Tmesure mesurer(TfenetrePrincipale& w, Travail travail) {
    QElapsedTimer chrono;
    const double cpu = cpuMs();
    chrono.start();
    travail();
    QApplication::processEvents();
    controles(w).panneauAffichages->viewport()->repaint();
    return Tmesure{chrono.nsecsElapsed() / 1e6, cpuMs() - cpu};
}

const char* boucle = "Entier n\n[a]\nDonner \u00e0 n la valeur n+1\nAfficher n\nAller \u00e0 [a] si n > 0";

// The engine alone on the same program: a window that keeps no line.
double moteurSeulMs(const QString& programme, int32_t mode) {
    struct Tmuette : TfenetreMemoire {
        void ajouterAffichage(const std::string&) override {}
    } f;
    auto d = std::make_unique<TdonneesCommunes>();
    d->fenetre = &f;
    for (const QString& ligne : programme.split(u'\n'))
        f.lignesEditeur.push_back(depuisUtf8(ligne.toStdString()));
    const double cpu = cpuMs();
    lancerExecution(*d, mode);
    return cpuMs() - cpu;
}

void programme(TfenetrePrincipale& w, const QString& texte) {
    controles(w).editeur->setPlainText(texte);
    controles(w).editeur->document()->setModified(false);
    // The editor lays its text out now, not inside the measure.
    QApplication::processEvents();
    controles(w).editeur->viewport()->repaint();
}

// The slowest of a series of repaints after each move.
template <typename Geste>
double pireRepeinte(TfenetrePrincipale& w, int fois, Geste geste) {
    double pire = 0;
    for (int k = 0; k < fois; ++k) {
        QElapsedTimer chrono;
        chrono.start();
        geste(k);
        QApplication::processEvents();
        controles(w).panneauAffichages->viewport()->repaint();
        pire = std::max(pire, chrono.nsecsElapsed() / 1e6);
    }
    return pire;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString scenario = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("repos");
    const int rafales = argc > 2 ? std::atoi(argv[2]) : 1;

    TfenetrePrincipale w;
    w.show();
    QApplication::processEvents();
    const double depart = memoire("VmRSS:");
    QString details;
    Tmesure m;

    if (scenario == QLatin1String("repos")) {
        details = QStringLiteral("rss %1 MB at rest").arg(depart, 0, 'f', 1);
    } else if (scenario == QLatin1String("boucle")) {
        // Bursts of an endless display loop: the first, then each Poursuivre.
        programme(w, QString::fromUtf8(boucle));
        m = mesurer(w, [&] { controles(w).actionExecutionNormale->trigger(); });
        Tmesure suite;
        for (int k = 1; k < rafales; ++k) {
            const Tmesure t = mesurer(w, [&] { controles(w).actionPoursuivre->trigger(); });
            suite.mur = std::max(suite.mur, t.mur);
            suite.cpu = std::max(suite.cpu, t.cpu);
        }
        details = QStringLiteral("engine alone %1 ms; later bursts up to %2 ms wall")
                      .arg(moteurSeulMs(QString::fromUtf8(boucle), executionNormale), 0, 'f', 0)
                      .arg(suite.mur, 0, 'f', 0);
    } else if (scenario == QLatin1String("affichage")) {
        QFile source(QStringLiteral(DOSSIER_MESURES "/affichage.txt"));
        source.open(QIODevice::ReadOnly);
        const QByteArray octets = source.readAll();
        programme(w, QString::fromLatin1(octets).replace(QLatin1String("\r\n"), QLatin1String("\n")));
        m = mesurer(w, [&] { controles(w).actionExecutionNormale->trigger(); });
    } else if (scenario == QLatin1String("longue") || scenario == QLatin1String("longue-commentee")) {
        // One display line of 1 MiB without a blank, through the window
        // operations the run uses; commented, the step's header repeats it.
        const std::string texte = " \"" + std::string(size_t{1} << 20, 'x') + "\"";
        Tfenetre& f = *w.donnees().fenetre;
        const bool commentee = scenario == QLatin1String("longue-commentee");
        m = mesurer(w, [&] {
            f.viderAffichage();
            if (commentee)
                f.ajouterAffichage(" 1/ Afficher" + texte);
            f.ajouterAffichage(" " + std::string(size_t{1} << 20, 'x'));
            if (commentee)
                f.ajouterAffichage("  ");
            f.activerPoursuivreArreter(commentee);
        });
    } else if (scenario == QLatin1String("longue-programme")) {
        // The same through a real run: the editor holds the 1 MiB line too.
        programme(w, QStringLiteral("Afficher \"") + QString(1 << 20, u'x') + QStringLiteral("\""));
        m = mesurer(w, [&] { controles(w).actionExecutionNormale->trigger(); });
    } else if (scenario == QLatin1String("defilement")) {
        // Scrolling, dragging and resizing over the output of `rafales` bursts.
        programme(w, QString::fromUtf8(boucle));
        controles(w).actionExecutionNormale->trigger();
        for (int k = 1; k < rafales; ++k)
            controles(w).actionPoursuivre->trigger();
        QApplication::processEvents();
        QScrollBar* barre = controles(w).panneauAffichages->verticalScrollBar();
        const int maximum = barre->maximum();
        m = mesurer(w, [&] { barre->setValue(maximum / 2); });
        const double glisse = pireRepeinte(w, 60, [&](int k) { barre->setValue(maximum / 60 * k); });
        const double molette = pireRepeinte(w, 30, [&](int) {
            QWheelEvent roue(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QApplication::sendEvent(controles(w).panneauAffichages->viewport(), &roue);
        });
        const double largeur = pireRepeinte(w, 10, [&](int k) { w.resize(800 + 37 * (k + 1), 600 + 11 * k); });
        double copie = 0;
        const double avantCopie = memoire("VmRSS:");
        {
            QElapsedTimer chrono;
            chrono.start();
            controles(w).panneauAffichages->setFocus();
            controles(w).actionSelectionnerTout->trigger();
            controles(w).actionCopier->trigger();
            copie = chrono.nsecsElapsed() / 1e6;
        }
        details = QStringLiteral("%1 lines; worst repaint: drag %2 ms, wheel %3 ms, resize %4 ms; "
                                 "select all + copy %5 ms, +%6 MB")
                      .arg(maximum)
                      .arg(glisse, 0, 'f', 1)
                      .arg(molette, 0, 'f', 1)
                      .arg(largeur, 0, 'f', 1)
                      .arg(copie, 0, 'f', 0)
                      .arg(memoire("VmRSS:") - avantCopie, 0, 'f', 0);
    } else {
        std::fprintf(stderr, "usage: trevane-bench-panneau [repos|boucle|affichage|longue|longue-commentee|longue-programme|defilement] [bursts]\n");
        return 2;
    }
    // TREVANE_CAPTURE=file.png: the window as the scenario left it.
    if (qEnvironmentVariableIsSet("TREVANE_CAPTURE"))
        w.grab().save(qEnvironmentVariable("TREVANE_CAPTURE"));
    std::printf("%s\t%.0f\t%.0f\t%.0f\t%.0f\t%s\n", qPrintable(scenario), m.mur, m.cpu, memoire("VmRSS:") - depart,
                memoire("VmHWM:") - depart, qPrintable(details));
    controles(w).editeur->document()->setModified(false);
    return 0;
}
