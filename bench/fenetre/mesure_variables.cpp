// Time of one commented step with the "Variables" panel shown and every list
// unfolded, at the record's full capacity: 48 simple variables and two lists
// that take every free integer and real cell. Prints the median and the worst
// of the steps, the panel's update alone and the repaint that follows.
//
//   QT_QPA_PLATFORM=offscreen build/bench/fenetre/trevane-mesure-variables [PAS]
#include "base/donnees.h"
#include "tests/fenetre/acces_fenetre.h"
#include "window/editeur/editeur_programme.h"
#include "window/fenetre_principale.h"
#include "window/panneaux/modele_variables.h"
#include "window/panneaux/panneau_variables.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int nbPas = argc > 1 ? std::max(1, atoi(argv[1])) : 200;

    QString programme = QStringLiteral("Entier L (1..9900) ; i\nRéel R (1..9900)\n");
    for (int k = 0; k < 47; ++k)
        programme += QStringLiteral("Entier v%1\n").arg(k);
    programme += QStringLiteral(
        "[a]\nDonner à i la valeur i+1\nDonner à L(i) la valeur i*i\nDonner à R(i) la valeur i/7\n"
        "Donner à v1 la valeur v1+i\nAller à [a] si i < 9900\nAfficher i\n");

    TfenetrePrincipale w;
    w.show();
    controles(w).editeur->setPlainText(programme);
    controles(w).actionPasAPas->trigger();
    auto* vue = controles(w).panneauVariables->vueVariables;
    vue->expandAll();
    application.processEvents();

    std::vector<double> pas, misesAJour, dessins;
    QElapsedTimer chrono;
    for (int k = 0; k < nbPas; ++k) {
        chrono.start();
        controles(w).actionPoursuivre->trigger();   // the step, then the panel's update
        const double apresPas = chrono.nsecsElapsed() / 1e6;
        application.processEvents();   // the repaint of what is visible
        const double total = chrono.nsecsElapsed() / 1e6;
        pas.push_back(total);
        dessins.push_back(total - apresPas);
        chrono.start();
        controles(w).panneauVariables->modeleVariables->mettreAJour(w.donnees());
        misesAJour.push_back(chrono.nsecsElapsed() / 1e6);
    }
    const auto afficher = [](const char* nom, std::vector<double> v) {
        std::sort(v.begin(), v.end());
        std::printf("%-28s median %7.3f ms   worst %7.3f ms\n", nom, v[v.size() / 2], v.back());
    };
    std::printf("%d variables, %d cells unfolded, %d steps\n", w.donnees().nbVariables, 9900 * 2, nbPas);
    afficher("step + update + repaint", pas);
    afficher("repaint alone", dessins);
    afficher("model update alone", misesAJour);
    controles(w).editeur->document()->setModified(false);
    return 0;
}
