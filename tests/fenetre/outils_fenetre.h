// Helpers shared by the window's Qt Test files: the scripted boxes and
// dialogs, the window under test (`TfenetreTest`), and small readers and
// writers of files and controls.
#pragma once

#include "tests/fenetre/acces_fenetre.h"
#include "window/affichages/panneau_affichages.h"
#include "window/codage_qt.h"
#include "window/dialogues.h"
#include "window/editeur/editeur_programme.h"
#include "window/fenetre_principale.h"

#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QPair>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>
#include <QTextBlock>

#include <memory>
#include <string>
#include <vector>

inline QString u(const char* utf8) { return QString::fromUtf8(utf8); }

// Each test program keeps settings and recovery copies in a folder of its
// own, made before main and removed at exit, never in the user's. A child
// process started by a test finds the folder in TREVANE_DOSSIER_TEST.
inline const QString dossierUtilisateurTest = [] {
    static QTemporaryDir temporaire;
    QString dossier = qEnvironmentVariable("TREVANE_DOSSIER_TEST");
    if (dossier.isEmpty()) {
        dossier = temporaire.path();
        qputenv("TREVANE_DOSSIER_TEST", dossier.toUtf8());
    }
    qputenv("XDG_CONFIG_HOME", (dossier + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (dossier + QStringLiteral("/donnees")).toUtf8());
    QCoreApplication::setOrganizationName(QStringLiteral("Trevane"));
    return dossier;
}();

// Boxes and dialogs answered from queues; what was asked is logged.
class Tscript : public Tdialogues {
public:
    QList<QPair<QString, QString>> messages;        // (text, caption)
    QList<QPair<QString, QString>> confirmations;
    QStringList erreurs;
    QList<bool> reponses;                           // none left: No
    QStringList ouvertures;                         // none left, or empty: cancel
    QStringList enregistrements;
    QStringList offres;                             // recovery copies offered
    QList<TchoixCopie> choix;                       // none left: No (kept)
    int dialoguesOuverture = 0;
    int dialoguesEnregistrement = 0;

    void message(QWidget*, const QString& texte, const QString& legende) override {
        messages.append({texte, legende});
    }
    bool confirmation(QWidget*, const QString& texte, const QString& legende) override {
        confirmations.append({texte, legende});
        return !reponses.isEmpty() && reponses.takeFirst();
    }
    void erreur(QWidget*, const QString& texte) override { erreurs.append(texte); }
    TchoixCopie offrirCopie(QWidget*, const QString& texte) override {
        offres.append(texte);
        return choix.isEmpty() ? TchoixCopie::garder : choix.takeFirst();
    }
    QString fichierAOuvrir(QWidget*, const QString&) override {
        ++dialoguesOuverture;
        return ouvertures.isEmpty() ? QString() : ouvertures.takeFirst();
    }
    QString fichierAEnregistrer(QWidget*, const QString&) override {
        ++dialoguesEnregistrement;
        return enregistrements.isEmpty() ? QString() : enregistrements.takeFirst();
    }
};

inline QStringList lignesDocument(QPlainTextEdit* controle) {
    QStringList lignes;
    for (QTextBlock bloc = controle->document()->begin(); bloc.isValid(); bloc = bloc.next())
        lignes.append(bloc.text());
    return lignes;
}

inline QStringList enQt(const std::vector<std::string>& lignes, const QString& devant = QString()) {
    QStringList resultat;
    for (const auto& ligne : lignes)
        resultat.append(devant + depuis1252(ligne));
    return resultat;
}

inline QByteArray lire(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("<illisible>");
}

inline void ecrire(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    QCOMPARE(fichier.write(octets), octets.size());
}

inline const char* const question =
    "Le programme a été modifié depuis la dernière sauvegarde.\n"
    "Renoncez-vous à enregistrer ces modifications ?";


// The window under test, with its boxes and dialogs answered by a script of
// type `S`. A test class derives from QObject and from this one; its init()
// calls ouvrir(), its cleanup() fermer().
template <class S = Tscript>
class TfenetreTest {
protected:
    TfenetrePrincipale* w = nullptr;
    S* script = nullptr;

    // Makes the window, shows it and waits until it is active.
    void ouvrir(std::unique_ptr<S> dialogues = std::make_unique<S>()) {
        script = dialogues.get();
        w = new TfenetrePrincipale(std::move(dialogues));
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    // Gives up the text without a question and deletes the window.
    void fermer() {
        if (!w)
            return;
        controles(w).editeur->document()->setModified(false);
        delete w;
        w = nullptr;
        script = nullptr;
    }

    QStringList affichage() const { return controles(w).panneauAffichages->lignes(); }
    // The user types a whole program in place of the editor's text.
    void taper(const QString& programme) {
        TediteurProgramme* editeur = controles(w).editeur;
        editeur->setFocus();
        editeur->selectAll();
        editeur->insertPlainText(programme);
    }
    void raccourci(Qt::Key touche) { QTest::keyClick(w, touche, Qt::ControlModifier); }
};
