// The display pane: its lines in order, selection and copy, long lines
// wrapped, the two display modes over a large text, following the last line,
// and the bound on the text it keeps (its store and its wrapping are tested
// with the core, tests/test_lignes_affichees.cpp and test_coupure_lignes.cpp).
#include "base/donnees.h"
#include "base/fenetre.h"
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/affichages/panneau_affichages.h"
#include "window/editeur/editeur_programme.h"
#include "window/fenetre_principale.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>

#include <string>

class TestPanneau : public QObject, TfenetreTest<> {
    Q_OBJECT

    TpanneauAffichages* p = nullptr;

    // The user moves the scroll bar, as a drag would.
    void glisserBarre(int valeur) {
        p->verticalScrollBar()->setValue(valeur);
        QApplication::processEvents();
    }
    const QString boucleSansFin = u("Entier n\n[a]\nDonner à n la valeur n+1\nAfficher n\nAller à [a] si n > 0");

private slots:
    void init() {
        ouvrir();
        p = controles(w).panneauAffichages;
    }

    void cleanup() { fermer(); }

    void toutes_les_lignes_dans_l_ordre() {
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher \"é€\" ; i\nAller à [a] si i < 50000"));
        raccourci(Qt::Key_E);
        QCOMPARE(p->nombreLignes(), int64_t{50002});
        for (int64_t i : {int64_t{0}, int64_t{1}, int64_t{24999}, int64_t{49999}})
            QCOMPARE(p->ligne(i), u(" é€ ") + QString::number(i + 1));   // numbers come with a blank
        QCOMPARE(p->ligne(50000), u(" Exécution terminée."));
        QCOMPARE(p->ligne(50001), u(" Instructions exécutées : 150000"));
        QVERIFY(p->finVisible());
        QVERIFY(p->premiereLigneVisible() > 49000);
    }

    void tout_selectionner_et_copier() {
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher \"é€\" ; i\nAller à [a] si i < 3"));
        raccourci(Qt::Key_E);
        p->setFocus();
        raccourci(Qt::Key_A);
        raccourci(Qt::Key_C);
        const QString attendu = u(" é€ 1\n é€ 2\n é€ 3\n Exécution terminée.\n Instructions exécutées : 9");
        QCOMPARE(QApplication::clipboard()->text(), attendu);
        QCOMPARE(p->texteSelectionne(), attendu);

        // From the keyboard: the first line, then up to the end of the text.
        QTest::keyClick(p, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(p, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(p->texteSelectionne(), u(" é€ 1\n"));
        QTest::keyClick(p, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(p->texteSelectionne(), attendu);
        QTest::keyClick(p, Qt::Key_Left);
        QVERIFY(!p->aUneSelection());

        // With the mouse: from the left of the first row to the second row.
        const int rang = QFontMetrics(p->font()).lineSpacing();
        QTest::mousePress(p->viewport(), Qt::LeftButton, {}, QPoint(1, rang / 2));
        QTest::mouseMove(p->viewport(), QPoint(p->viewport()->width() - 2, rang + rang / 2));
        QTest::mouseRelease(p->viewport(), Qt::LeftButton, {}, QPoint(p->viewport()->width() - 2, rang + rang / 2));
        QCOMPARE(p->texteSelectionne(), u(" é€ 1\n é€ 2"));
    }

    void lignes_longues_repliees() {
        // A line wider than the pane wraps; the view starts inside it on a
        // wheel turn and the line stays whole in the pane's text.
        const std::string longue = " " + std::string(20000, '7');
        w->donnees().fenetre->viderAffichage();
        w->donnees().fenetre->ajouterAffichage(longue);
        w->donnees().fenetre->ajouterAffichage(" fin");
        p->deverser();
        QCOMPARE(p->nombreLignes(), int64_t{2});
        QCOMPARE(w->donnees().fenetre->texteAffichage(), longue + "\r\n fin");
        glisserBarre(0);
        QVERIFY(!p->finVisible());
        QWheelEvent roue(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(p->viewport(), &roue);
        QCOMPARE(p->premiereLigneVisible(), int64_t{0});   // still inside the long line
        QVERIFY(!p->finVisible());
    }

    void deux_modes_avec_un_grand_texte() {
        const QString grand = u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher \"x\" ; i\nAller à [a] si i < 200000");
        taper(grand);
        raccourci(Qt::Key_E);
        const std::string resultats = w->donnees().fenetre->texteAffichage();
        QCOMPARE(p->nombreLignes(), int64_t{200002});
        controles(w).actionInformations->trigger();
        QVERIFY(w->donnees().resultatsSauves.size() < 100);   // kept aside as they are, not copied
        QCOMPARE(p->premiereLigneVisible(), int64_t{0});       // the reference text from its top
        QCOMPARE(p->ligne(0).left(6), u("     1"));
        controles(w).actionResultat->trigger();
        QCOMPARE(p->nombreLignes(), int64_t{200002});
        QCOMPARE(w->donnees().fenetre->texteAffichage(), resultats);
        QCOMPARE(p->ligne(199999), u(" x 200000"));
        QVERIFY(p->finVisible());

        // New while the information is shown forgets the results kept aside.
        controles(w).actionInformations->trigger();
        controles(w).editeur->document()->setModified(false);
        controles(w).actionNouveau->trigger();
        controles(w).actionResultat->trigger();
        QCOMPARE(p->nombreLignes(), int64_t{0});
        // So does a run started while the information is shown.
        taper(grand);
        raccourci(Qt::Key_E);
        const std::string autres = w->donnees().fenetre->texteAffichage();
        controles(w).actionInformations->trigger();
        taper(u("Afficher 1"));
        raccourci(Qt::Key_E);
        QCOMPARE(p->lignes(), (QStringList{u("  1"), u(" Exécution terminée."), u(" Instructions exécutées : 1")}));
        controles(w).actionInformations->trigger();
        controles(w).actionResultat->trigger();
        QCOMPARE(p->lignes(), (QStringList{u("  1"), u(" Exécution terminée."), u(" Instructions exécutées : 1")}));
        QVERIFY(autres.size() > 1000000);
    }

    void suit_la_fin_sauf_si_l_utilisateur_remonte() {
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher i\nAller à [a] si i < 100000"));
        controles(w).actionPasAPas->trigger();
        for (int k = 0; k < 300; ++k)
            raccourci(Qt::Key_Q);
        QVERIFY(p->finVisible());
        const int64_t lignes = p->nombreLignes();

        glisserBarre(10);   // the user reads further up: the view stays there
        raccourci(Qt::Key_Q);
        raccourci(Qt::Key_Q);
        QVERIFY(p->nombreLignes() > lignes);
        QCOMPARE(p->premiereLigneVisible(), int64_t{10});
        QVERIFY(!p->finVisible());

        glisserBarre(p->verticalScrollBar()->maximum());   // back at the end: followed again
        raccourci(Qt::Key_Q);
        QVERIFY(p->finVisible());
        QCOMPARE(p->ligne(p->nombreLignes() - 1), u("  "));

        // A new run follows its output from wherever the view was.
        glisserBarre(0);
        taper(boucleSansFin);
        raccourci(Qt::Key_E);
        QVERIFY(p->finVisible());
        QCOMPARE(p->ligne(p->nombreLignes() - 1), u(" Exécution suspendue après 10 millions d'instructions."));
    }

    void la_police_change_la_fin_reste_visible() {
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher i\nAller à [a] si i < 5000"));
        raccourci(Qt::Key_E);
        QVERIFY(p->finVisible());
        QFont grande = p->font();
        grande.setPointSize(24);
        p->setFont(grande);
        QVERIFY(p->finVisible());
        glisserBarre(1000);
        QFont petite = p->font();
        petite.setPointSize(7);
        p->setFont(petite);
        QCOMPARE(p->premiereLigneVisible(), int64_t{1000});
    }

    void panneau_plein_suspend_l_execution() {
        p->fixerBorne(100000);
        taper(boucleSansFin);
        raccourci(Qt::Key_E);
        const QString plein = u(" Exécution suspendue : le panneau des affichages est plein.");
        const int64_t lignes = p->nombreLignes();
        QCOMPARE(p->ligne(lignes - 1), plein);
        QVERIFY(p->plein());
        QVERIFY(p->lignesGardees().memoire() < 100000 + 100);   // stopped at the first line past the bound
        QCOMPARE(p->ligne(lignes - 2), u("  ") + QString::number(lignes - 1));
        QVERIFY(controles(w).actionPoursuivre->isEnabled());
        // Each Poursuivre shows one more line and stops again.
        raccourci(Qt::Key_Q);
        QCOMPARE(p->nombreLignes(), lignes + 2);
        QCOMPARE(p->ligne(lignes), u("  ") + QString::number(lignes));
        QCOMPARE(p->ligne(lignes + 1), plein);
        controles(w).actionArreter->trigger();
        QCOMPARE(p->ligne(p->nombreLignes() - 2), u(" Exécution arrêtée."));
        QVERIFY(!controles(w).actionPoursuivre->isEnabled());
        // A new run starts in an emptied pane.
        taper(u("Afficher 1"));
        raccourci(Qt::Key_E);
        QCOMPARE(p->lignes(), (QStringList{u("  1"), u(" Exécution terminée."), u(" Instructions exécutées : 1")}));
    }

    void les_resultats_mis_de_cote_comptent() {
        // Results large enough to be set aside while the reference text is
        // shown: Poursuivre brings them back first, and the run stops again
        // at once, the results still counted against the bound.
        const uint64_t borne = uint64_t{3} << 20;
        p->fixerBorne(borne);
        taper(boucleSansFin);
        raccourci(Qt::Key_E);
        const QString plein = u(" Exécution suspendue : le panneau des affichages est plein.");
        const int64_t lignes = p->nombreLignes();
        QCOMPARE(p->ligne(lignes - 1), plein);
        controles(w).actionInformations->trigger();
        QVERIFY(p->nombreLignes() < lignes);
        raccourci(Qt::Key_Q);
        QVERIFY(controles(w).actionResultat->isChecked());
        QCOMPARE(p->nombreLignes(), lignes + 2);
        QCOMPARE(p->ligne(lignes + 1), plein);
        QVERIFY(p->lignesGardees().memoire() < borne + 200);
    }
};

QTEST_MAIN(TestPanneau)
#include "test_panneau.moc"
