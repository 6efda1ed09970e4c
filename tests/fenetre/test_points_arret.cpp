// Breakpoints in the window: a click on a line's number in the gutter toggles
// a disc (told in its accessible description), a normal run stops before the
// line with its mark, and the Exécution commands are enabled when they apply.
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/editeur/editeur_programme.h"
#include "window/editeur/marge_lignes.h"
#include "window/fenetre_principale.h"
#include "window/panneaux/modele_suivi.h"
#include "window/panneaux/panneau_variables.h"

#include <QAction>
#include <QTest>
#include <QTextBlock>

namespace {

const char* const boucle = "Entier i ; s\nDonner à i la valeur 1\n[boucle]\n\nDonner à s la valeur s + i\n"
                           "Donner à i la valeur i + 1\nAller à [boucle] si i <= 3\nAfficher s";

} // namespace

class TtestPointsArret : public QObject, public TfenetreTest<> {
    Q_OBJECT

    // Clicks the gutter on the number of line `ligne` (from 0).
    void cliquerNumero(int ligne) {
        TediteurProgramme* editeur = controles(w).editeur;
        const QRect zone = editeur->cursorRect(QTextCursor(editeur->document()->findBlockByNumber(ligne)));
        QTest::mouseClick(editeur->marge(), Qt::LeftButton, {}, QPoint(editeur->marge()->width() / 2, zone.center().y()));
    }

private slots:
    void init() { ouvrir(); }
    void cleanup() { fermer(); }

    void clic_dans_la_marge_et_arret() {
        const TcontrolesFenetre& c = controles(w);
        taper(u(boucle));
        QVERIFY(c.actionPointArret->isEnabled());
        QVERIFY(c.actionJusquAuCurseur->isEnabled());
        QVERIFY(!c.actionJusquAuPointArret->isEnabled());
        // The blank line 4: a disc there until a run shows where it stops.
        cliquerNumero(3);
        QCOMPARE(c.editeur->marge()->pointsArret(), std::vector<int>{3});
        QCOMPARE(c.editeur->marge()->accessibleDescription(), u("Points d'arrêt aux lignes 4"));
        c.actionExecutionNormale->trigger();
        QCOMPARE(affichage(), QStringList{u(" Arrêt au point d'arrêt de la ligne 5.")});
        QCOMPARE(c.editeur->marge()->pointsArret(), std::vector<int>{4});
        QCOMPARE(c.editeur->marge()->ligneSuivante(), 4);
        QCOMPARE(c.editeur->textCursor().blockNumber(), 4);
        QVERIFY(c.actionPoursuivre->isEnabled() && c.actionArreter->isEnabled());
        // Step by step only in a commented run.
        QVERIFY(!c.actionJusquAuPointArret->isEnabled());
        // A second click takes it off; the run goes to its end.
        cliquerNumero(4);
        QVERIFY(c.editeur->marge()->pointsArret().empty());
        c.actionPoursuivre->trigger();
        QCOMPARE(affichage().mid(1), (QStringList{u("  6"), u(" Exécution terminée."), u(" Instructions exécutées : 11")}));
        QVERIFY(!c.actionPoursuivre->isEnabled());
    }

    void commandes_d_une_execution_commentee() {
        const TcontrolesFenetre& c = controles(w);
        taper(u(boucle));
        c.actionPasAPas->trigger();
        QVERIFY(c.actionJusquAuPointArret->isEnabled());
        // F9 on the cursor's line, then on to it step by step.
        QTextCursor curseur(c.editeur->document()->findBlockByNumber(7));
        c.editeur->setTextCursor(curseur);
        QTest::keyClick(w, Qt::Key_F9);
        QCOMPARE(c.editeur->marge()->pointsArret(), std::vector<int>{7});
        QTest::keyClick(w, Qt::Key_F5);
        QCOMPARE(affichage().last(), u(" Arrêt au point d'arrêt de la ligne 8."));
        QCOMPARE(c.editeur->marge()->ligneSuivante(), 7);
        QTest::keyClick(w, Qt::Key_F5);
        QVERIFY(!c.actionPoursuivre->isEnabled());
        QVERIFY(!c.actionJusquAuPointArret->isEnabled());
    }

    void pas_precedent() {
        const TcontrolesFenetre& c = controles(w);
        taper(u(boucle));
        c.actionPasAPas->trigger();
        c.actionPoursuivre->trigger();
        const QStringList apresDeux = affichage();
        c.actionPoursuivre->trigger();
        QCOMPARE(c.panneauVariables->modeleSuivi->rowCount(), 3);
        QVERIFY(c.actionPasPrecedent->isEnabled());
        QTest::keyClick(w, Qt::Key_Q, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(affichage(), apresDeux);
        QCOMPARE(c.panneauVariables->modeleSuivi->rowCount(), 2);
        QCOMPARE(c.editeur->marge()->ligneSuivante(), 5);
        // Back to the start of the run: nothing left to take back.
        c.actionPasPrecedent->trigger();
        c.actionPasPrecedent->trigger();
        QVERIFY(affichage().isEmpty());
        QVERIFY(!c.actionPasPrecedent->isEnabled());
        QVERIFY(c.actionPoursuivre->isEnabled());
        c.actionPoursuivre->trigger();
        QCOMPARE(affichage(), apresDeux.mid(0, 3));
    }
};

QTEST_MAIN(TtestPointsArret)
#include "test_points_arret.moc"
