// What a screen reader and a keyboard-only user get, read through Qt's own
// accessibility interfaces (the AT-SPI test, tests/fenetre/atspi/, reads the
// same through the desktop's bus): the pane's text by offsets, its caret,
// selection and text-inserted events; a name on every focusable control;
// the end of a run told; F6 between the areas and the pane's search; the
// colours' contrast in the light and the dark palettes.
#include "tests/fenetre/acces_fenetre.h"
#include "tests/fenetre/outils_fenetre.h"
#include "window/accessibilite/acces_panneau.h"
#include "window/accessibilite/accessibilite.h"
#include "window/accessibilite/couleurs.h"
#include "window/accessibilite/index_texte.h"
#include "window/accessibilite/recherche.h"
#include "window/bandeau.h"
#include "window/editeur/marge_lignes.h"
#include "window/panneaux/panneau_variables.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>

#include <random>

namespace {

// The accessible events sent, kept by the handler below.
QList<QPair<QAccessible::Event, QString>> evenements;

void noterEvenement(QAccessibleEvent* e) {
    QString texte;
    if (e->type() == QAccessible::TextInserted)
        texte = static_cast<QAccessibleTextInsertEvent*>(e)->textInserted() + QLatin1Char('@') +
                QString::number(static_cast<QAccessibleTextInsertEvent*>(e)->changePosition());
    evenements.append({e->type(), texte});
}

QAccessibleInterface* acces(QObject* objet) { return QAccessible::queryAccessibleInterface(objet); }

} // namespace

class TestAccessibilite : public QObject, TfenetreTest<> {
    Q_OBJECT

    TpanneauAffichages* p = nullptr;
    QAccessibleTextInterface* texte() { return acces(p)->textInterface(); }
    Taccessibilite* a11y() { return controles(w).accessibilite; }

private slots:
    void initTestCase() {
        TaccesPanneau::temoin = noterEvenement;
    }

    void init() {
        ouvrir();
        p = controles(w).panneauAffichages;
        evenements.clear();
    }

    void cleanup() { fermer(); }

    void texte_du_panneau_par_positions() {
        p->remplacer({u("abc"), QString(), u("déf gh"), u("i")});
        QAccessibleInterface* a = acces(p);
        QVERIFY(a && a->textInterface());
        QCOMPARE(a->role(), QAccessible::EditableText);
        QVERIFY(a->state().readOnly && a->state().multiLine && a->state().focusable);
        QAccessibleTextInterface* t = a->textInterface();
        // "abc\n\ndéf gh\ni": 13 characters.
        QCOMPARE(t->characterCount(), 13);
        int debut = 0;
        int fin = 0;
        struct Tcas {
            int debut, fin;
            const char* attendu;
        };
        for (const Tcas& cas : {Tcas{0, 13, "abc\n\ndéf gh\ni"}, Tcas{2, 7, "c\n\ndé"}, Tcas{4, 5, "\n"},
                                Tcas{11, 99, "\ni"}, Tcas{5, -1, "déf gh\ni"}, Tcas{7, 7, ""}})
            QCOMPARE(t->text(cas.debut, cas.fin), u(cas.attendu));
        struct Tlimite {
            int offset;
            QAccessible::TextBoundaryType type;
            const char* at;
            int debut, fin;
        };
        for (const Tlimite& cas : {Tlimite{6, QAccessible::LineBoundary, "déf gh\n", 5, 12},
                                   Tlimite{4, QAccessible::LineBoundary, "\n", 4, 5},
                                   Tlimite{3, QAccessible::LineBoundary, "abc\n", 0, 4},    // on its separator
                                   Tlimite{12, QAccessible::LineBoundary, "i", 12, 13},
                                   Tlimite{13, QAccessible::LineBoundary, "i", 12, 13},    // the end of the text
                                   Tlimite{10, QAccessible::WordBoundary, "gh", 9, 11},
                                   Tlimite{6, QAccessible::WordBoundary, "déf ", 5, 9},
                                   Tlimite{6, QAccessible::CharBoundary, "é", 6, 7}}) {
            QCOMPARE(t->textAtOffset(cas.offset, cas.type, &debut, &fin), u(cas.at));
            QCOMPARE((QPair<int, int>{debut, fin}), (QPair<int, int>{cas.debut, cas.fin}));
        }
        QCOMPARE(t->textAfterOffset(1, QAccessible::LineBoundary, &debut, &fin), u("\n"));
        QCOMPARE(t->textBeforeOffset(6, QAccessible::LineBoundary, &debut, &fin), u("\n"));
        QCOMPARE(t->textBeforeOffset(1, QAccessible::LineBoundary, &debut, &fin), QString());
        QCOMPARE(t->textAfterOffset(12, QAccessible::LineBoundary, &debut, &fin), QString());

        // Caret and selection both ways: the pane's and the reader's.
        t->setCursorPosition(7);
        QCOMPARE(p->positionCurseur().ligne, 2);
        QCOMPARE(p->positionCurseur().colonne, 2);
        QCOMPARE(t->cursorPosition(), 7);
        QCOMPARE(t->selectionCount(), 0);
        t->setSelection(0, 2, 7);
        QCOMPARE(p->texteSelectionne(), u("c\n\ndé"));
        QCOMPARE(t->selectionCount(), 1);
        p->setFocus();
        QTest::keyClick(p, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(p, Qt::Key_Down, Qt::ShiftModifier);
        t->selection(0, &debut, &fin);
        QCOMPARE((QPair<int, int>{debut, fin}), (QPair<int, int>{0, 4}));
        QCOMPARE(t->cursorPosition(), 4);
        QVERIFY(std::any_of(evenements.begin(), evenements.end(),
                            [](const auto& e) { return e.first == QAccessible::TextCaretMoved; }));
    }

    void lignes_annoncees_en_arrivant() {
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher i\nAller à [a] si i < 2"));
        evenements.clear();
        raccourci(Qt::Key_E);
        QStringList inseres;
        for (const auto& [type, quoi] : std::as_const(evenements))
            if (type == QAccessible::TextInserted)
                inseres.append(quoi);
        // Each time the pane shows new lines: the lines, at the end of what
        // the pane held before.
        QCOMPARE(inseres, (QStringList{u("  1\n  2@0"), u("\n Exécution terminée.\n Instructions exécutées : 6@7")}));
        QCOMPARE(texte()->text(0, -1), p->lignes().join(QLatin1Char('\n')));

        // A burst: only its last lines, at their true place.
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher i\nAller à [a] si i < 200000"));
        evenements.clear();
        raccourci(Qt::Key_E);
        const auto dernier = std::find_if(evenements.rbegin(), evenements.rend(),
                                          [](const auto& e) { return e.first == QAccessible::TextInserted; });
        QVERIFY(dernier != evenements.rend());
        const QString envoye = dernier->second.section(QLatin1Char('@'), 0, 0);
        const int position = dernier->second.section(QLatin1Char('@'), 1).toInt();
        QVERIFY(envoye.size() <= TaccesPanneau::annonceMax + 200);
        QVERIFY(envoye.endsWith(u("Instructions exécutées : 600000")));
        QCOMPARE(position + envoye.size(), texte()->characterCount());
        QCOMPARE(texte()->text(position, position + envoye.size()), envoye);
    }

    // The offsets of every 256th line, against a plain count, across
    // appends and a replacement.
    void index_des_positions() {
        TlignesAffichees lignes;
        TindexTexte index(lignes);
        std::mt19937 hasard(7);
        std::vector<int64_t> debuts;
        int64_t o = 0;
        const auto ajouter = [&](int nombre) {
            for (int k = 0; k < nombre; ++k) {
                if (!debuts.empty())
                    o += 1;
                debuts.push_back(o);
                const std::string ligne(hasard() % 7, 'x');
                lignes.ajouter(ligne);
                o += static_cast<int64_t>(ligne.size());
            }
        };
        ajouter(300);
        QCOMPARE(index.longueur(), o);
        ajouter(1000);   // appended after the index counted
        QCOMPARE(index.longueur(), o);
        for (int64_t i : {0, 1, 255, 256, 257, 511, 512, 1299}) {
            QCOMPARE(index.debutLigne(i), debuts[static_cast<size_t>(i)]);
            const auto place = index.placeDe(debuts[static_cast<size_t>(i)]);
            // An empty line before shares nothing: the offset is this line's start,
            // unless the line before ends there (its end, then).
            QVERIFY(place.ligne == i || (place.ligne == i - 1 && lignes.ligne(i - 1).size() == static_cast<size_t>(place.colonne)));
        }
        QCOMPARE(index.placeDe(o + 50).ligne, int64_t{1299});
        lignes.remplacer("a\r\nbc");
        index.oublier();
        QCOMPARE(index.longueur(), int64_t{4});
        QCOMPARE(index.placeDe(3).ligne, int64_t{1});
        QCOMPARE(index.placeDe(3).colonne, 1);
    }

    void noms_et_roles() {
        controles(w).panneauVariables->show();
        QApplication::processEvents();
        // Every focusable control shown has a name.
        QStringList sansNom;
        for (QWidget* controle : w->findChildren<QWidget*>()) {
            if (!controle->isVisible() || controle->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface* a = acces(controle);
            if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
                sansNom.append(QString::fromLatin1(controle->metaObject()->className()) + QLatin1Char(' ') + controle->objectName());
        }
        QCOMPARE(sansNom, QStringList());
        QCOMPARE(acces(controles(w).editeur)->text(QAccessible::Name), u("Programme"));
        QCOMPARE(acces(controles(w).panneauVariables->vueVariables)->text(QAccessible::Name), u("Variables"));
        QCOMPARE(acces(controles(w).panneauVariables->vueSuivi)->text(QAccessible::Name), u("Suivi"));
        // The pane is named after its mode.
        QCOMPARE(acces(p)->text(QAccessible::Name), u("Informations"));
        controles(w).actionResultat->trigger();
        QCOMPARE(acces(p)->text(QAccessible::Name), u("Résultats"));
        controles(w).actionInformations->trigger();
        QCOMPARE(acces(p)->text(QAccessible::Name), u("Informations"));

        // The gutter's marks in words, and the end of each run told.
        TmargeLignes* marge = controles(w).editeur->marge();
        QAccessibleInterface* gouttiere = acces(marge);
        QVERIFY(gouttiere);
        QCOMPARE(gouttiere->text(QAccessible::Value), u("aucune marque"));
        struct Tcas {
            const char* programme;
            QAction* commande;
            const char* annonce;
            const char* marques;
        };
        const TcontrolesFenetre& k = controles(w);
        for (const Tcas& cas : {
                 Tcas{"Entier k\nDonner à k la valeur 1\nAfficher k", k.actionExecutionNormale, "Exécution terminée.", "aucune marque"},
                 Tcas{"Entier k\nDonner à k la valeur 1\nAfficher k", k.actionPasAPas,
                      "Exécution suspendue, prochaine instruction ligne 3.", "ligne 3, prochaine instruction ; ligne 2, instruction exécutée"},
                 Tcas{"Entier k\nDonner à z la valeur 1\nAfficher k", k.actionExecutionNormale,
                      "Erreur à la ligne 2 : Variable à affecter incorrecte.", "ligne 2, erreur"},
                 Tcas{"Entier L (1..2) ; k\nDonner à k la valeur 3\nDonner à L(k) la valeur 1", k.actionExecutionNormale, nullptr,
                      "ligne 3, erreur"},
             }) {
            taper(u(cas.programme));
            cas.commande->trigger();
            if (cas.annonce)
                QCOMPARE(a11y()->annonce(), u(cas.annonce));
            else
                QVERIFY2(a11y()->annonce().startsWith(u("Erreur à la ligne 3 : ")) && a11y()->annonce().size() > 25,
                         qPrintable(a11y()->annonce()));
            QCOMPARE(acces(p)->text(QAccessible::Description), a11y()->annonce());
            QCOMPARE(gouttiere->text(QAccessible::Value), u(cas.marques));
        }
    }

    void clavier_seul() {
        const TcontrolesFenetre& k = controles(w);
        const auto focus = [] { return QApplication::focusWidget(); };
        k.panneauVariables->hide();
        k.editeur->setFocus();
        QCOMPARE(focus(), k.editeur);
        // Without the panel: editor and pane; with it, Variables and Suivi too.
        QTest::keyClick(w, Qt::Key_F6);
        QCOMPARE(focus(), p);
        QTest::keyClick(w, Qt::Key_F6);
        QCOMPARE(focus(), k.editeur);
        k.panneauVariables->show();
        QApplication::processEvents();
        QList<QWidget*> vus;
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
            vus.append(focus());
        }
        QCOMPARE(vus, (QList<QWidget*>{p, k.panneauVariables->vueVariables, k.panneauVariables->vueSuivi, k.editeur}));
        QTest::keyClick(focus(), Qt::Key_F6, Qt::ShiftModifier);
        QCOMPARE(focus(), k.panneauVariables->vueSuivi);
        QCOMPARE(k.panneauVariables->onglets->currentWidget(), k.panneauVariables->vueSuivi);
        // No trap: Tab leaves the panel's views, F6 leaves every area.
        QTest::keyClick(focus(), Qt::Key_Tab);
        QVERIFY(focus() != k.panneauVariables->vueSuivi);

        // A frame on the pane while it has the focus.
        k.editeur->setFocus();
        QTest::keyClick(focus(), Qt::Key_F6);
        QCOMPARE(focus(), p);
        const auto cadreVisible = [this] {
            for (QWidget* enfant : p->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (enfant->isVisible() && enfant->testAttribute(Qt::WA_TransparentForMouseEvents) && enfant->geometry() == p->rect())
                    return true;
            return false;
        };
        QVERIFY(cadreVisible());
        k.editeur->setFocus();
        QVERIFY(!cadreVisible());

        // Search and copy in the pane from the keyboard.
        taper(u("Entier i\n[a]\nDonner à i la valeur i+1\nAfficher \"Été \" ; i\nAller à [a] si i < 3"));
        raccourci(Qt::Key_E);
        QTest::keyClick(w, Qt::Key_F6);
        QCOMPARE(focus(), p);
        QTest::keyClick(p, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(p, Qt::Key_F, Qt::ControlModifier);
        QLineEdit* saisie = a11y()->recherche->saisie;
        QCOMPARE(focus(), saisie);
        saisie->setText(u("été  2"));
        QTest::keyClick(saisie, Qt::Key_Return);
        QCOMPARE(p->texteSelectionne(), u("Été  2"));
        QCOMPARE(a11y()->recherche->etat->text(), QString());
        QTest::keyClick(saisie, Qt::Key_Escape);
        QCOMPARE(focus(), p);
        QVERIFY(!a11y()->recherche->isVisible());
        raccourci(Qt::Key_C);
        QCOMPARE(QApplication::clipboard()->text(), u("Été  2"));
        QTest::keyClick(p, Qt::Key_F, Qt::ControlModifier);
        saisie->setText(u("absent"));
        QTest::keyClick(saisie, Qt::Key_Return);
        QCOMPARE(a11y()->recherche->etat->text(), u("Introuvable"));
    }

    void recherche_dans_les_lignes() {
        TlignesAffichees lignes;
        lignes.remplacer(vers1252(u("un deux\r\nDEUX trois\r\n\r\nÉté deux")));
        struct Tcas {
            const char* motif;
            int64_t ligne;
            int32_t colonne;
            bool enAvant;
            std::optional<Ttrouve> attendu;
        };
        const std::string ete = vers1252(u("été"));
        for (const Tcas& cas : {Tcas{"deux", 0, -1, true, Ttrouve{0, 3}},
                                Tcas{"deux", 0, 3, true, Ttrouve{1, 0}},      // past the place, any case
                                Tcas{"deux", 3, 4, true, Ttrouve{0, 3}},      // wraps around
                                Tcas{"deux", 1, 0, false, Ttrouve{0, 3}},     // back
                                Tcas{"deux", 0, 3, false, Ttrouve{3, 4}},     // back, wrapping
                                Tcas{ete.c_str(), 0, 0, true, Ttrouve{3, 0}}, // accented capitals
                                Tcas{"quatre", 0, 0, true, std::nullopt},
                                Tcas{"", 0, 0, true, std::nullopt},
                                Tcas{"un", 0, 0, true, Ttrouve{0, 0}}})       // the only one: found again
            QVERIFY2(chercher(lignes, cas.motif, cas.ligne, cas.colonne, cas.enAvant) == cas.attendu, cas.motif);
    }

    // Every text at least 4.5:1 on its background, marks 3:1, in the light
    // and the dark palettes; the light colours are the window's own.
    void contraste_des_couleurs() {
        for (const bool sombre : {false, true}) {
            const TcouleursMarge& m = couleursMarge(sombre);
            const TcouleursAffichages& a = couleursAffichages(sombre);
            struct Tpaire {
                const char* quoi;
                QColor texte, fond;
                double minimum;
            };
            for (const Tpaire& paire : {Tpaire{"numéros", m.numero, m.fond, 4.5},
                                        Tpaire{"ligne exécutée", m.texteExecutee, m.fondExecutee, 4.5},
                                        Tpaire{"ligne en erreur", m.texteErreur, m.fondErreur, 4.5},
                                        Tpaire{"flèche", m.fleche, m.fond, 3.0},
                                        Tpaire{"affichages", a.texte, a.fond, 4.5},
                                        Tpaire{"suivi inchangé", texteInchange(sombre),
                                               sombre ? a.fond : QColor(Qt::white), 4.5}}) {
                const double ratio = contraste(paire.texte, paire.fond);
                qInfo("%s %s : %.2f:1", sombre ? "sombre" : "clair", paire.quoi, ratio);
                QVERIFY2(ratio >= paire.minimum, paire.quoi);
            }
        }
        // The captions and the editor: the palette's own text on its background.
        QPalette claire = QApplication::palette();
        QVERIFY(contraste(claire.color(QPalette::WindowText), claire.color(QPalette::Window)) >= 4.5);
        QVERIFY(contraste(claire.color(QPalette::Text), claire.color(QPalette::Base)) >= 4.5);

        // As today in the light palette.
        QCOMPARE(p->palette().color(QPalette::Base), QColor(251, 253, 219));
        QCOMPARE(p->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(p->viewport()->grab().toImage().pixelColor(p->viewport()->width() - 3, p->viewport()->height() - 3),
                 QColor(251, 253, 219));
        QCOMPARE(controles(w).editeur->marge()->grab().toImage().pixelColor(1, 1), QColor(240, 240, 240));

        // A dark palette: a dark pane and gutter, and back.
        QPalette sombre = claire;
        sombre.setColor(QPalette::Window, QColor(40, 40, 40));
        sombre.setColor(QPalette::WindowText, QColor(230, 230, 230));
        sombre.setColor(QPalette::Base, QColor(25, 25, 25));
        sombre.setColor(QPalette::Text, QColor(230, 230, 230));
        QApplication::setPalette(sombre);
        QApplication::processEvents();
        QCOMPARE(p->palette().color(QPalette::Base), couleursAffichages(true).fond);
        QCOMPARE(p->viewport()->grab().toImage().pixelColor(p->viewport()->width() - 3, p->viewport()->height() - 3),
                 couleursAffichages(true).fond);
        QCOMPARE(controles(w).editeur->marge()->grab().toImage().pixelColor(1, 1), couleursMarge(true).fond);
        QApplication::setPalette(claire);
        QApplication::processEvents();
        QCOMPARE(p->palette().color(QPalette::Base), QColor(251, 253, 219));
    }
};

QTEST_MAIN(TestAccessibilite)
#include "test_accessibilite.moc"
