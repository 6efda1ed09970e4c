// The real boxes and file dialogs (window/dialogues.cpp), which the other
// window tests replace by a script: their buttons, defaults and filters, and
// what Return and Escape answer.
#include "tests/fenetre/outils_fenetre.h"
#include "window/dialogues.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

class TestDialoguesReels : public QObject {
    Q_OBJECT

    Tdialogues dialogues;

    // Runs `action` on the modal box or dialog as soon as it is shown.
    static void pendantLaBoite(std::function<void(QWidget*)> action) {
        auto* minuterie = new QTimer;
        QObject::connect(minuterie, &QTimer::timeout, [minuterie, action] {
            QWidget* boite = QApplication::activeModalWidget();
            if (!boite)
                return;
            minuterie->stop();
            minuterie->deleteLater();
            action(boite);
        });
        minuterie->start(10);
    }

    // The box as shown, inspected, then answered with `touche`.
    static void repondre(Qt::Key touche, std::function<void(QMessageBox*)> inspecter = {}) {
        pendantLaBoite([touche, inspecter](QWidget* boite) {
            if (inspecter)
                inspecter(qobject_cast<QMessageBox*>(boite));
            QTest::keyClick(boite, touche);
        });
    }

private slots:
    void confirmation_non_par_defaut() {
        const QString texte = u(question);
        QMessageBox* vue = nullptr;
        QMessageBox::StandardButtons boutons;
        QAbstractButton* parDefaut = nullptr;
        QString titre, montre;
        QMessageBox::Icon icone = QMessageBox::NoIcon;
        repondre(Qt::Key_Return, [&](QMessageBox* b) {
            vue = b;
            if (!b)
                return;
            boutons = b->standardButtons();
            parDefaut = b->defaultButton() == b->button(QMessageBox::No) ? b->defaultButton() : nullptr;
            titre = b->windowTitle();
            montre = b->text();
            icone = b->icon();
        });
        QVERIFY(!dialogues.confirmation(nullptr, texte, u("Attention")));   // Return: No
        QVERIFY(vue);
        QCOMPARE(boutons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(parDefaut);
        QCOMPARE(titre, u("Attention"));
        QCOMPARE(montre, texte);
        QCOMPARE(icone, QMessageBox::Warning);

        repondre(Qt::Key_Escape);
        QVERIFY(!dialogues.confirmation(nullptr, texte, u("Attention")));   // Escape: No
        // Yes only when chosen.
        pendantLaBoite([](QWidget* b) { qobject_cast<QMessageBox*>(b)->button(QMessageBox::Yes)->click(); });
        QVERIFY(dialogues.confirmation(nullptr, texte, u("Attention")));
    }

    void offre_d_une_copie_restauree_par_defaut() {
        // Return restores, Escape keeps the copy, only the third button discards it.
        const std::pair<std::function<void(QMessageBox*)>, TchoixCopie> cas[] = {
            {[](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Return); }, TchoixCopie::restaurer},
            {[](QMessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); }, TchoixCopie::garder},
            {[](QMessageBox* b) {
                 for (QAbstractButton* bouton : b->buttons())
                     if (bouton->text() == u("Supprimer la copie"))
                         bouton->click();
             },
             TchoixCopie::supprimer},
        };
        for (const auto& [action, attendu] : cas) {
            pendantLaBoite([action = action](QWidget* boite) { action(qobject_cast<QMessageBox*>(boite)); });
            QCOMPARE(dialogues.offrirCopie(nullptr, u("Restaurer ce programme ?")), attendu);
        }
    }

    void message_et_erreur() {
        struct Tvu {
            QString titre, texte;
            QMessageBox::Icon icone = QMessageBox::NoIcon;
            QMessageBox::StandardButtons boutons;
            Qt::TextFormat format = Qt::AutoText;
        } vu;
        const auto noter = [&vu](QMessageBox* b) {
            if (b)
                vu = {b->windowTitle(), b->text(), b->icon(), b->standardButtons(), b->textFormat()};
        };
        repondre(Qt::Key_Return, noter);
        dialogues.message(nullptr, u("<b>x</b> = 1"), u("Résultat"));
        QCOMPARE(vu.titre, u("Résultat"));
        QCOMPARE(vu.texte, u("<b>x</b> = 1"));
        QCOMPARE(vu.icone, QMessageBox::NoIcon);
        QCOMPARE(vu.boutons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(vu.format, Qt::PlainText);

        repondre(Qt::Key_Escape, noter);
        dialogues.erreur(nullptr, u("Impossible de créer le fichier /x."));
        QCOMPARE(vu.titre, u("Trevane"));
        QCOMPARE(vu.texte, u("Impossible de créer le fichier /x."));
        QCOMPARE(vu.icone, QMessageBox::Critical);
        QCOMPARE(vu.boutons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void dialogues_de_fichiers_filtre_et_annulation() {
        for (const bool ouvrir : {true, false}) {
            QStringList filtres;
            QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
            QFileDialog::FileMode fichiers = QFileDialog::ExistingFile;
            bool sansQuestion = false;
            QString suffixe = u("?");
            pendantLaBoite([&](QWidget* boite) {
                auto* d = qobject_cast<QFileDialog*>(boite);
                if (d) {
                    filtres = d->nameFilters();
                    mode = d->acceptMode();
                    fichiers = d->fileMode();
                    sansQuestion = d->testOption(QFileDialog::DontConfirmOverwrite);
                    suffixe = d->defaultSuffix();
                }
                boite->close();   // cancel
            });
            const QString choisi = ouvrir ? dialogues.fichierAOuvrir(nullptr, QString())
                                          : dialogues.fichierAEnregistrer(nullptr, QString());
            QVERIFY(choisi.isNull());
            const QStringList attendus = ouvrir ? QStringList{u("Programmes (*.txt)"), u("Tous les fichiers (*)")}
                                                : QStringList{u("Fichiers texte (*.txt)")};
            QCOMPARE(filtres, attendus);
            QCOMPARE(mode, ouvrir ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
            QCOMPARE(fichiers, QFileDialog::AnyFile);
            QVERIFY(sansQuestion);
            QCOMPARE(suffixe, QString());
        }
    }
};

QTEST_MAIN(TestDialoguesReels)
#include "test_dialogues_reels.moc"
