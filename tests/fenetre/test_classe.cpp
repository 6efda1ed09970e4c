// The window in the classroom: text size, fixed-width font, projector mode,
// settings kept between uses, recent files, examples and dropped files,
// through the real menus and shortcuts, with scripted boxes and dialogs.
#include "base/donnees.h"
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/affichages/panneau_affichages.h"
#include "window/classe/exemples.h"
#include "window/classe/fichiers_recents.h"
#include "window/classe/presentation.h"
#include "window/classe/zoom.h"
#include "window/editeur/editeur_programme.h"
#include "window/editeur/marge_lignes.h"
#include "window/fenetre_principale.h"
#include "window/reglages.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QSplitter>
#include <QTextBlock>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

// The scripted dialogs, noting the path or folder each file dialog offers.
class TscriptPropositions : public Tscript {
public:
    QStringList propositions;
    QString fichierAOuvrir(QWidget* parent, const QString& proposition) override {
        propositions.append(proposition);
        return Tscript::fichierAOuvrir(parent, proposition);
    }
    QString fichierAEnregistrer(QWidget* parent, const QString& proposition) override {
        propositions.append(proposition);
        return Tscript::fichierAEnregistrer(parent, proposition);
    }
};

class TestClasse : public QObject, TfenetreTest<TscriptPropositions> {
    Q_OBJECT

    QTemporaryDir dossier;

    // Closed as the user closes it, so that what is kept at closing is kept.
    void fermerFenetre() {
        controles(w).editeur->document()->setModified(false);
        QVERIFY(w->close());
        fermer();
    }
    int pointsEditeur() { return controles(w).editeur->font().pointSize(); }
    int pointsPanneau() { return controles(w).panneauAffichages->font().pointSize(); }
    void molette(QWidget* cible, int angle, Qt::KeyboardModifiers touches) {
        const QPointF milieu(cible->width() / 2.0, cible->height() / 2.0);
        QWheelEvent evenement(milieu, cible->mapToGlobal(milieu), QPoint(), QPoint(0, angle), Qt::NoButton,
                              touches, Qt::NoScrollPhase, false);
        QApplication::sendEvent(cible, &evenement);
    }
    QString chemin(const QString& nom) { return dossier.filePath(nom); }
    QString creer(const QString& nom, const QByteArray& octets) {
        ecrire(chemin(nom), octets);
        return chemin(nom);
    }
    // Typed key by key at the end of the text.
    void taperALaFin(const QString& texte) {
        controles(w).editeur->setFocus();
        controles(w).editeur->moveCursor(QTextCursor::End);
        QTest::keyClicks(controles(w).editeur, texte);
    }
    QStringList legendes(QMenu* menu) {
        QStringList textes;
        for (QAction* item : menu->actions())
            textes.append(item->text());
        return textes;
    }
    // A file dragged from the desktop and dropped on `cible`.
    bool deposer(QWidget* cible, const QList<QUrl>& adresses) {
        QMimeData donnees;
        donnees.setUrls(adresses);
        const QPoint point(10, 10);
        QDragEnterEvent entree(point, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cible, &entree);
        if (!entree.isAccepted())
            return false;
        QDropEvent depot(point, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cible, &depot);
        QCoreApplication::processEvents();
        return depot.isAccepted();
    }

    // The lowest contrast (WCAG 2, 1 to 21) between the gutter's numbers of
    // the first `lignes` lines and their background, as drawn: for each
    // line, the pixel of its number farthest from the background.
    double contrasteGouttiere(int lignes) {
        const auto luminance = [](QColor c) {
            const auto lineaire = [](int v) {
                const double x = v / 255.0;
                return x <= 0.04045 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * lineaire(c.red()) + 0.7152 * lineaire(c.green()) + 0.0722 * lineaire(c.blue());
        };
        const auto contraste = [&](QColor a, QColor b) {
            const double la = luminance(a), lb = luminance(b);
            return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
        };
        TmargeLignes* marge = controles(w).editeur->marge();
        const QImage image = marge->grab().toImage();
        const int debutNumeros = QFontMetrics(marge->font()).height();   // past the arrow's room
        double minimum = 21;
        QTextBlock bloc = controles(w).editeur->document()->firstBlock();
        for (int ligne = 0; ligne < lignes; ++ligne, bloc = bloc.next()) {
            const QRect zone = controles(w).editeur->cursorRect(QTextCursor(bloc));
            const QColor fond = image.pixelColor(0, zone.center().y());
            double meilleur = 1;
            for (int y = zone.top(); y <= zone.bottom(); ++y)
                for (int x = debutNumeros; x < image.width(); ++x)
                    meilleur = std::max(meilleur, contraste(image.pixelColor(x, y), fond));
            minimum = std::min(minimum, meilleur);
        }
        return minimum;
    }

private slots:
    void init() {
        QSettings().clear();   // every test starts as the first use ever
        ouvrir();
    }

    void cleanup() {
        if (w)
            fermerFenetre();
    }

    void zoom_au_clavier_et_a_la_molette() {
        QCOMPARE(pointsEditeur(), 10);
        auto* panneau = new QPlainTextEdit(controles(w).separateur);   // a panel added later joins in one call
        controles(w).zoom->inscrire(panneau);
        QCOMPARE(panneau->font().pointSize(), 10);

        raccourci(Qt::Key_Plus);
        QCOMPARE(pointsEditeur(), 11);
        QCOMPARE(pointsPanneau(), 11);
        QCOMPARE(panneau->font().pointSize(), 11);
        raccourci(Qt::Key_Equal);
        QCOMPARE(pointsEditeur(), 12);
        raccourci(Qt::Key_Plus);
        QCOMPARE(pointsEditeur(), 14);
        raccourci(Qt::Key_Minus);
        QCOMPARE(pointsEditeur(), 12);
        for (int i = 0; i < 30; ++i)
            raccourci(Qt::Key_Minus);
        QCOMPARE(pointsEditeur(), 6);
        QCOMPARE(pointsPanneau(), 6);
        for (int i = 0; i < 30; ++i)
            raccourci(Qt::Key_Plus);
        QCOMPARE(pointsEditeur(), 48);
        QCOMPARE(panneau->font().pointSize(), 48);
        raccourci(Qt::Key_0);
        QCOMPARE(pointsEditeur(), 10);
        QCOMPARE(pointsPanneau(), 10);

        // Ctrl and the wheel over the editor, the pane or a panel; a plain
        // wheel still scrolls, and half-notches add up.
        molette(controles(w).editeur->viewport(), 120, Qt::ControlModifier);
        QCOMPARE(pointsEditeur(), 11);
        molette(controles(w).panneauAffichages->viewport(), -120, Qt::ControlModifier);
        QCOMPARE(pointsPanneau(), 10);
        molette(panneau->viewport(), 60, Qt::ControlModifier);
        QCOMPARE(pointsEditeur(), 10);
        molette(panneau->viewport(), 60, Qt::ControlModifier);
        QCOMPARE(pointsEditeur(), 11);
        molette(controles(w).editeur->viewport(), 120, Qt::NoModifier);
        QCOMPARE(pointsEditeur(), 11);
        QCOMPARE(QSettings().value(u("police/points")).toInt(), 11);
    }

    void commandes_du_menu_affichage() {
        struct Ligne {
            QAction* action;
            const char* legende;
            QList<QKeySequence> raccourcis;
        };
        const Ligne lignes[] = {
            {controles(w).zoom->actionAgrandir, "A&grandir le texte", {QKeySequence(u("Ctrl++")), QKeySequence(u("Ctrl+="))}},
            {controles(w).zoom->actionReduire, "Ré&duire le texte", {QKeySequence(u("Ctrl+-"))}},
            {controles(w).zoom->actionTailleNormale, "&Taille normale du texte", {QKeySequence(u("Ctrl+0"))}},
            {controles(w).zoom->actionChasseFixe, "Police à &chasse fixe", {}},
            {controles(w).presentation->actionPresentation, "&Mode présentation", {QKeySequence(u("F11"))}},
        };
        QMenu* affichage = w->menuBar()->actions().value(2)->menu();
        for (const Ligne& ligne : lignes) {
            QCOMPARE(ligne.action->text(), u(ligne.legende));
            QCOMPARE(ligne.action->shortcuts(), ligne.raccourcis);
            QVERIFY(affichage->actions().contains(ligne.action));
        }
        QCOMPARE(legendes(w->menuBar()->actions().value(0)->menu()),
                 (QStringList{u("&Nouveau"), u("&Ouvrir"), u("Fichiers &récents"), u("E&xemples"), u("&Enregistrer"),
                              u("Enregistrer &sous"), u("Ex&porter le suivi…"), u("Exporter l'or&ganigramme…"),
                              u("&Imprimer…"), u("Exporter en P&DF…")}));
        QCOMPARE(controles(w).menuRecents->title(), u("Fichiers &récents"));
        QCOMPARE(controles(w).menuExemples->title(), u("E&xemples"));
    }

    void police_a_chasse_fixe() {
        const QString faceFenetre = w->font().family();
        QVERIFY(!controles(w).zoom->actionChasseFixe->isChecked());
        QCOMPARE(controles(w).editeur->font().family(), faceFenetre);
        controles(w).zoom->actionChasseFixe->trigger();
        const QFont fixe = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        QCOMPARE(controles(w).editeur->font().family(), fixe.family());
        QVERIFY(controles(w).editeur->font().fixedPitch());
        QCOMPARE(controles(w).panneauAffichages->font().family(), faceFenetre);   // the editor only
        raccourci(Qt::Key_Plus);
        QCOMPARE(controles(w).editeur->font().family(), fixe.family());
        QCOMPARE(pointsEditeur(), 11);
        controles(w).zoom->actionChasseFixe->trigger();
        QCOMPARE(controles(w).editeur->font().family(), faceFenetre);
        QCOMPARE(pointsEditeur(), 11);
    }

    void mode_presentation() {
        const QList<QWidget*> bandeaux{controles(w).bandeauProgramme, controles(w).bandeauAffichages, w->menuBar(), controles(w).menuRecents};
        QList<int> pointsAvant;
        for (QWidget* bandeau : bandeaux)
            pointsAvant.append(bandeau->font().pointSize());
        controles(w).editeur->setFocus();
        QTest::keyClick(w, Qt::Key_F11);
        QVERIFY(controles(w).presentation->active());
        QVERIFY(controles(w).presentation->actionPresentation->isChecked());
        QVERIFY(w->windowState() & Qt::WindowFullScreen);
        QCOMPARE(pointsEditeur(), 20);
        QCOMPARE(pointsPanneau(), 20);
        const QList<int> moities = controles(w).separateur->sizes();
        QVERIFY(qAbs(moities.value(0) - moities.value(1)) <= 1);
        const QPalette editeur = controles(w).editeur->palette();
        QCOMPARE(editeur.color(QPalette::Active, QPalette::Base), QColor(Qt::white));
        QCOMPARE(editeur.color(QPalette::Active, QPalette::Text), QColor(Qt::black));
        // The selection stays dark when another control has the focus.
        QCOMPARE(editeur.color(QPalette::Inactive, QPalette::Highlight), QColor(0, 0, 150));
        QCOMPARE(editeur.color(QPalette::Inactive, QPalette::HighlightedText), QColor(Qt::white));
        const QColor jaune = controles(w).panneauAffichages->palette().color(QPalette::Base);
        QVERIFY(jaune.red() > jaune.blue() + 60 && jaune.green() > jaune.blue() + 60);   // still yellow, deeper
        QCOMPARE(controles(w).panneauAffichages->palette().color(QPalette::Text), QColor(Qt::black));
        // As drawn, not only as set.
        const QImage image = controles(w).panneauAffichages->viewport()->grab().toImage();
        QCOMPARE(image.pixelColor(image.width() - 3, image.height() - 3), jaune);

        // The caption strips and the menus grow with the text, and back.
        QCoreApplication::processEvents();
        for (QWidget* bandeau : bandeaux) {
            QCOMPARE(bandeau->font().pointSize(), 20);
            if (bandeau->isVisible())
                QVERIFY2(bandeau->height() >= QFontMetrics(bandeau->font()).height(), bandeau->metaObject()->className());
        }
        QCOMPARE(controles(w).cadreBandeauProgramme->height(), controles(w).bandeauProgramme->height());
        raccourci(Qt::Key_Plus);   // larger still while projecting, not kept
        QCOMPARE(pointsEditeur(), 22);
        QCOMPARE(controles(w).bandeauProgramme->font().pointSize(), 22);
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!controles(w).presentation->active());
        QVERIFY(!controles(w).presentation->actionPresentation->isChecked());
        QVERIFY(!(w->windowState() & Qt::WindowFullScreen));
        QCOMPARE(pointsEditeur(), 10);
        for (int i = 0; i < bandeaux.size(); ++i)
            QCOMPARE(bandeaux[i]->font().pointSize(), pointsAvant[i]);
        QCOMPARE(controles(w).panneauAffichages->palette().color(QPalette::Base), QColor(251, 253, 219));
        QCOMPARE(controles(w).separateur->sizes().value(0), 380);
        const QImage apres = controles(w).panneauAffichages->viewport()->grab().toImage();
        QCOMPARE(apres.pixelColor(apres.width() - 3, apres.height() - 3), QColor(251, 253, 219));
        QCOMPARE(QSettings().value(u("police/points"), 10).toInt(), 10);   // the size of the mode is not kept

        raccourci(Qt::Key_Plus);   // a size already large is kept in the mode
        for (int i = 0; i < 6; ++i)
            raccourci(Qt::Key_Plus);
        QCOMPARE(pointsEditeur(), 22);
        QTest::keyClick(w, Qt::Key_F11);
        QCOMPARE(pointsEditeur(), 22);
        QTest::keyClick(w, Qt::Key_F11);
        QVERIFY(!controles(w).presentation->active());
        QCOMPARE(pointsEditeur(), 22);
        QCOMPARE(w->size(), QSize(800, 600));
        QTRY_COMPARE(w->pos(), QPoint(0, 0));   // once the frame is back

        // Échap outside the mode does nothing to the window.
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!controles(w).presentation->active());
    }

    // The gutter's numbers stay readable (4.5:1 at least) in the window and
    // in projector mode, on a plain line, the line just run and an error.
    void contraste_de_la_gouttiere() {
        controles(w).editeur->setPlainText(u("Entier k\nDonner à k la valeur 1\nDonner à k la valeur 1 / 0\nAfficher k"));
        controles(w).actionPasAPas->trigger();
        controles(w).actionPoursuivre->trigger();   // line 2 fails, line 1 ran last
        QCOMPARE(controles(w).editeur->marge()->ligneErreur(), 2);
        for (int i = 0; i < 6; ++i)
            raccourci(Qt::Key_Plus);   // glyphs whose strokes cover whole pixels
        QVERIFY2(contrasteGouttiere(4) >= 4.5, qPrintable(QString::number(contrasteGouttiere(4))));
        QTest::keyClick(w, Qt::Key_F11);
        QVERIFY2(contrasteGouttiere(4) >= 4.5, qPrintable(QString::number(contrasteGouttiere(4))));
        QTest::keyClick(w, Qt::Key_F11);
    }

    // Three times in and out, from a window moved and resized or maximised:
    // it comes back where it was, frame included.
    void mode_presentation_rend_la_place() {
        for (const bool agrandie : {false, true}) {
            w->setGeometry(QRect(150, 100, 700, 500));
            if (agrandie)
                w->showMaximized();
            QTest::qWait(50);
            const QRect cadre = w->frameGeometry(), interieur = w->geometry();
            const Qt::WindowStates etat = w->windowState();
            for (int cycle = 1; cycle <= 3; ++cycle) {
                QTest::keyClick(w, Qt::Key_F11);
                QTest::qWait(50);
                QVERIFY(w->windowState() & Qt::WindowFullScreen);
                QTest::keyClick(w, Qt::Key_F11);
                QTest::qWait(50);
                QCOMPARE(w->windowState(), etat);
                QCOMPARE(w->frameGeometry(), cadre);
                QCOMPARE(w->geometry(), interieur);
            }
            w->showNormal();
        }
    }

    void reglages_gardes_d_une_utilisation_a_l_autre() {
        // The first use ever: the window exactly as at every start before.
        QCOMPARE(w->size(), QSize(800, 600));
        QCOMPARE(w->pos(), QPoint(0, 0));
        QCOMPARE(controles(w).separateur->sizes().value(0), 380);
        QCOMPARE(pointsEditeur(), 10);
        QCOMPARE(pointsPanneau(), 10);
        QVERIFY(!controles(w).zoom->actionChasseFixe->isChecked());
        QVERIFY(controles(w).menuRecents->actions().isEmpty());

        const QString programme = creer(u("garde.txt"), "Afficher 1\r\n");
        script->ouvertures = {programme};
        controles(w).actionOuvrir->trigger();
        raccourci(Qt::Key_Plus);
        raccourci(Qt::Key_Plus);
        controles(w).zoom->actionChasseFixe->trigger();
        controles(w).separateur->setSizes({300, 576});
        w->move(20, 30);
        w->resize(900, 700);
        QTest::qWait(0);
        fermerFenetre();

        ouvrir();
        QCOMPARE(pointsEditeur(), 12);
        QCOMPARE(pointsPanneau(), 12);
        QVERIFY(controles(w).zoom->actionChasseFixe->isChecked());
        QVERIFY(controles(w).editeur->font().fixedPitch());
        QCOMPARE(w->size(), QSize(900, 700));
        QCOMPARE(w->pos(), QPoint(20, 30));
        QCOMPARE(controles(w).separateur->sizes().value(0), 300);
        QCOMPARE(controles(w).recents->liste(), QStringList{programme});
        QCOMPARE(QSettings().value(u("fichiers/dernierDossier")).toString(), dossier.path());
        // Both dialogs start in that folder.
        controles(w).actionOuvrir->trigger();
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(script->propositions, (QStringList{dossier.path(), dossier.path()}));
        // What the window shows at start does not change: the template, the
        // reference text, no file.
        QCOMPARE(controles(w).bandeauProgramme->text(), u("Nouveau programme"));
        QCOMPARE(w->windowTitle(), u("Trevane"));

        // A start alone writes nothing: the settings file, here a link to a
        // file written by hand, stays as it is.
        fermerFenetre();
        const QString fichier = QSettings().fileName();
        const QString vrai = chemin(u("vrai.conf"));
        const QByteArray aLaMain = "; written by hand\n[fichiers]\nrecents=" + programme.toUtf8() + ", " +
                                   programme.toUtf8() + "\n";
        ecrire(vrai, aLaMain);
        QFile::remove(fichier);
        QVERIFY(QFile::link(vrai, fichier));
        ouvrir();
        QCOMPARE(controles(w).recents->liste(), QStringList{programme});
        QCOMPARE(lire(vrai), aLaMain);
        QVERIFY(QFileInfo(fichier).isSymLink());
        delete w;   // without closing, which keeps the window's place
        w = nullptr;
        QFile::remove(fichier);
        ouvrir();

        // A checkable item kept under a key of its own (a panel shown or not).
        QAction coche(u("Panneau"));
        coche.setCheckable(true);
        reglages::retenirCoche(&coche, u("panneau"));
        QVERIFY(!coche.isChecked());
        coche.trigger();
        QAction apres(u("Panneau"));
        apres.setCheckable(true);
        reglages::retenirCoche(&apres, u("panneau"));
        QVERIFY(apres.isChecked());
    }

    void fichiers_recents() {
        QStringList ouverts;
        for (int i = 1; i <= 9; ++i) {
            ouverts.prepend(creer(QStringLiteral("p%1.txt").arg(i), "Afficher " + QByteArray::number(i) + "\r\n"));
            script->ouvertures = {ouverts.first()};
            controles(w).actionOuvrir->trigger();
        }
        QCOMPARE(controles(w).recents->liste(), ouverts.mid(0, 8));   // the last 8, the most recent first
        QCOMPARE(controles(w).menuRecents->actions().size(), 8);
        QCOMPARE(controles(w).menuRecents->actions().value(0)->text(), u("&1 p9.txt  (") + dossier.path() + u(")"));

        // A save goes first too.
        script->enregistrements = {chemin(u("copie"))};
        controles(w).actionEnregistrerSous->trigger();
        QCOMPARE(controles(w).recents->liste().value(0), chemin(u("copie.txt")));
        QCOMPARE(controles(w).recents->liste().size(), 8);

        // Choosing one asks about unsaved changes first: No keeps the text.
        taperALaFin(u("# modifie"));
        const QString texte = controles(w).editeur->toPlainText();
        controles(w).menuRecents->actions().value(3)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(script->confirmations.size(), 1);
        QCOMPARE(script->confirmations[0].first, u(question));
        QCOMPARE(controles(w).editeur->toPlainText(), texte);
        script->reponses = {true};
        controles(w).menuRecents->actions().value(3)->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 7\n"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + chemin(u("p7.txt")));
        QCOMPARE(controles(w).recents->liste().value(0), chemin(u("p7.txt")));

        // A file gone since, or a name that is no file (a folder, a pipe): a
        // message, and it leaves the list; nothing asked, nothing read.
        QVERIFY(QFile::remove(chemin(u("p5.txt"))));
        QVERIFY(QDir(dossier.path()).mkdir(u("dossier.txt")));
        QVERIFY(mkfifo(QFile::encodeName(chemin(u("tube.txt"))).constData(), 0600) == 0);
        const QPair<QString, const char*> cas[] = {
            {chemin(u("p5.txt")), "Le fichier %1 n'existe plus ; il est retiré des fichiers récents."},
            {chemin(u("dossier.txt")), "%1 n'est pas un fichier ; il est retiré des fichiers récents."},
            {chemin(u("tube.txt")), "%1 n'est pas un fichier ; il est retiré des fichiers récents."},
        };
        for (const auto& [entree, message] : cas) {
            if (!controles(w).recents->liste().contains(entree))
                controles(w).recents->noter(entree);
            const int rang = controles(w).recents->liste().indexOf(entree);
            controles(w).menuRecents->actions().value(rang)->trigger();
            QCoreApplication::processEvents();
            QCOMPARE(script->erreurs.last(), u(message).arg(entree));
            QVERIFY(!controles(w).recents->liste().contains(entree));
            QCOMPARE(QSettings().value(u("fichiers/recents")).toStringList(), controles(w).recents->liste());
        }
        QCOMPARE(script->erreurs.size(), 3);
        QCOMPARE(controles(w).menuRecents->actions().size(), 7);
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 7\n"));

        // A file that cannot be read stays out of the list.
        script->ouvertures = {chemin(u("absent.txt"))};
        controles(w).actionOuvrir->trigger();
        QVERIFY(!controles(w).recents->liste().contains(chemin(u("absent.txt"))));
    }

    void exemples() {
        const QList<Texemple> liste = listeExemples();
        QVERIFY(liste.size() >= 12);
        QCOMPARE(controles(w).menuExemples->actions().size(), liste.size());
        const QStringList titres = legendes(controles(w).menuExemples);
        QVERIFY(titres.contains(u("PGCD par l'algorithme d'Euclide")));
        QVERIFY(titres.contains(u("Estimation de pi avec Rhasard")));

        // Every example, opened in the window, runs to its end.
        for (QAction* item : controles(w).menuExemples->actions()) {
            item->trigger();
            QVERIFY(!controles(w).editeur->document()->isModified());
            QCOMPARE(controles(w).bandeauProgramme->text(), u("Nouveau programme"));
            QTest::keyClick(controles(w).editeur, Qt::Key_E, Qt::ControlModifier);
            QVERIFY2(controles(w).panneauAffichages->lignes().contains(u(" Exécution terminée.")), qPrintable(item->text()));
        }

        const int pgcd = titres.indexOf(u("PGCD par l'algorithme d'Euclide"));
        controles(w).menuExemples->actions().value(pgcd)->trigger();
        QCOMPARE(controles(w).editeur->toPlainText(), texteQt(liste.value(pgcd).texte.toStdString()));
        QVERIFY(controles(w).editeur->toPlainText().startsWith(u("# PGCD par l'algorithme d'Euclide\n")));
        QCOMPARE(w->windowTitle(), u("Trevane"));
        QVERIFY(w->donnees().nomFichier.empty());

        // The first save asks for a name: the example itself is never written.
        taperALaFin(u("# essai"));
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(script->dialoguesEnregistrement, 1);
        QVERIFY(script->erreurs.isEmpty());
        script->enregistrements = {chemin(u("euclide"))};
        QTest::keyClick(w, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(lire(chemin(u("euclide.txt"))).startsWith("# PGCD par l'algorithme d'Euclide\r\n"));
        QCOMPARE(controles(w).bandeauProgramme->text(), u("euclide"));

        // Unsaved changes: the question first; No keeps them.
        taperALaFin(u("# encore"));
        const QString texte = controles(w).editeur->toPlainText();
        controles(w).menuExemples->actions().value(0)->trigger();
        QCOMPARE(script->confirmations.size(), 1);
        QCOMPARE(controles(w).editeur->toPlainText(), texte);
    }

    void fichier_depose_sur_la_fenetre() {
        const QString programme = creer(u("depose.txt"), "Afficher 2\r\n");
        QVERIFY(deposer(controles(w).editeur->viewport(), {QUrl::fromLocalFile(programme)}));
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 2\n"));
        QCOMPARE(w->windowTitle(), u("Trevane - ") + programme);
        QCOMPARE(controles(w).bandeauProgramme->text(), u("depose"));
        QCOMPARE(controles(w).recents->liste().value(0), programme);

        // On the pane too; unsaved changes are asked about first.
        taperALaFin(u("# modifie"));
        const QString autre = creer(u("autre.txt"), "Afficher 3\r\n");
        QVERIFY(deposer(controles(w).panneauAffichages->viewport(), {QUrl::fromLocalFile(autre)}));
        QCOMPARE(script->confirmations.size(), 1);
        QVERIFY(controles(w).editeur->toPlainText().endsWith(u("# modifie")));
        script->reponses = {true};
        QVERIFY(deposer(w, {QUrl(u("https://exemple.org/a.txt")), QUrl::fromLocalFile(autre)}));
        QCOMPARE(controles(w).editeur->toPlainText(), u("Afficher 3\n"));

        // A file that cannot be read: the same message as Open gives.
        QVERIFY(deposer(controles(w).editeur->viewport(), {QUrl::fromLocalFile(dossier.path())}));
        QCOMPARE(script->erreurs, QStringList{u("Impossible d'ouvrir le fichier ") + dossier.path() + u(".")});

        // Nothing local to open: the drag is left to the control, no file opens.
        const QString legende = w->windowTitle();
        deposer(controles(w).editeur->viewport(), {QUrl(u("https://exemple.org/a.txt"))});
        QCOMPARE(w->windowTitle(), legende);
        QCOMPARE(script->erreurs.size(), 1);
        QCOMPARE(script->confirmations.size(), 2);
    }
};

QTEST_MAIN(TestClasse)
#include "test_classe.moc"
