#include "window/classe/recuperation.h"

#include "base/codage.h"
#include "base/donnees.h"
#include "base/fenetre.h"
#include "commands/fichiers.h"
#include "window/codage_qt.h"
#include "window/dialogues.h"
#include "window/sauvegarde.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextDocument>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

const QString extensionCopieQt = QString::fromLatin1(extensionCopie);
const QString extensionVerrouQt = QString::fromLatin1(extensionVerrou);

QString cheminVerrou(const QString& copie) { return QString::fromStdString(verrouDeCopie(copie.toStdString())); }

// Anything but a whole readable copy is left as it is.
bool lireLaissee(const QString& chemin, TcopieSecours& copie) {
    const TlectureCopie lecture = lireCopie(chemin.toUtf8().toStdString(), copie);
    if (lecture == TlectureCopie::illisible)
        qWarning("Trevane: the recovery copy %s is not offered (not a file, too large or unreadable)",
                 qPrintable(chemin));
    return lecture == TlectureCopie::lue;
}

// A lock whose process is gone and whose copy is gone too guards nothing.
void effacerVerrousSeuls(const QDir& repertoire) {
    for (const QString& nom : repertoire.entryList({QLatin1Char('*') + extensionVerrouQt}, QDir::Files | QDir::NoSymLinks)) {
        const QString verrou = repertoire.filePath(nom);
        if (QFileInfo::exists(QString::fromStdString(copieDuVerrou(verrou.toStdString()))))
            continue;
        QLockFile seul(verrou);
        seul.setStaleLockTime(0);   // only a running process keeps its lock
        if (seul.tryLock(0))
            seul.unlock();          // removes it
    }
}

std::string question(const TcopieSecours& copie) {
    const QDateTime date = QDateTime::fromString(QString::fromStdString(copie.date), Qt::ISODate).toLocalTime();
    std::optional<TmomentLocal> quand;
    if (date.isValid())
        quand = TmomentLocal{date.date().year(), date.date().month(), date.date().day(), date.time().hour(),
                             date.time().minute()};
    return questionCopie(copie, quand);
}

} // namespace

Trecuperation::Trecuperation(TdonneesCommunes& donnees, QTextDocument* doc, Tdialogues* b, QWidget* parent)
    : QObject(parent), d(donnees), document(doc), boites(b), fenetre(parent) {
    // The process id names the copy; the start time keeps it apart from a
    // copy left by an earlier process that had the same id.
    chemin = dossier() + QLatin1Char('/') +
             QString::fromStdString(nomCopie(QCoreApplication::applicationPid(), QDateTime::currentMSecsSinceEpoch()));
    minuteur.setObjectName(QStringLiteral("minuteurRecuperation"));
    minuteur.setInterval(intervalle);
    connect(&minuteur, &QTimer::timeout, this, &Trecuperation::ecrireSiBesoin);
    connect(document, &QTextDocument::contentsChanged, this, [this] { aCopier = true; });
    connect(document, &QTextDocument::modificationChanged, this, [this](bool m) {
        modifie = m;
        if (modifie)
            minuteur.start();
        else
            effacer();
    });
}

Trecuperation::~Trecuperation() {
    // Unsaved changes here mean the window went without its closing
    // question: the copy stays, and its released lock offers it next time.
    // (The editor may already be gone: its flag is known from its signal.)
    if (!modifie)
        effacer();
}

QString Trecuperation::dossier() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recuperation");
}

void Trecuperation::proposerRestauration() {
    struct Tlaissee {
        QString chemin;
        std::unique_ptr<QLockFile> verrou;
        TcopieSecours copie;
    };
    std::vector<Tlaissee> laissees;
    const QDir repertoire(dossier());
    effacerVerrousSeuls(repertoire);
    // Never a link: a copy is a file this window wrote.
    for (const QString& nom : repertoire.entryList({QLatin1Char('*') + extensionCopieQt}, QDir::Files | QDir::NoSymLinks)) {
        const QString copie = repertoire.filePath(nom);
        if (copie == chemin)
            continue;
        auto verrouCopie = std::make_unique<QLockFile>(cheminVerrou(copie));
        verrouCopie->setStaleLockTime(0);   // only a running process keeps its lock
        if (!verrouCopie->tryLock(0))
            continue;                       // its window is still open
        Tlaissee laissee{copie, std::move(verrouCopie), {}};
        if (lireLaissee(copie, laissee.copie))
            laissees.push_back(std::move(laissee));
    }
    std::sort(laissees.begin(), laissees.end(),
              [](const Tlaissee& a, const Tlaissee& b) { return offerteAvant(a.copie, b.copie); });
    for (Tlaissee& laissee : laissees) {
        switch (boites->offrirCopie(fenetre, texteQt(question(laissee.copie)))) {
        case TchoixCopie::garder:
            break;   // its lock released, it is offered again next time
        case TchoixCopie::supprimer:
            QFile::remove(laissee.chemin);
            break;
        case TchoixCopie::restaurer:
            restaurerProgramme(d, laissee.copie.texte, laissee.copie.fichier);
            document->setModified(true);
            // The copy becomes this window's own: it goes when the text is
            // saved or given up, and stays if this window ends without either.
            effacer();
            chemin = laissee.chemin;
            verrou = std::move(laissee.verrou);
            minuteur.start();
            return;   // the others wait for the next start
        }
    }
}

void Trecuperation::ecrireSiBesoin() {
    if (!document->isModified() || !aCopier)
        return;
    QString raison;
    bool ecrite = QDir().mkpath(dossier());
    if (ecrite && !verrou) {
        verrou = std::make_unique<QLockFile>(cheminVerrou(chemin));
        if (!verrou->tryLock(0)) {
            raison = QStringLiteral("verrou impossible (%1)").arg(cheminVerrou(chemin));
            verrou.reset();
            ecrite = false;
        }
    }
    if (ecrite) {
        TcopieSecours copie;
        copie.fichier = d.nomFichier;
        copie.date = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toStdString();
        copie.texte = d.fenetre->texteEditeur();
        ecrite = sauvegarderFichier(chemin, QByteArray::fromStdString(encoderCopie(copie)), &raison);
    } else if (raison.isEmpty()) {
        raison = QStringLiteral("dossier impossible à créer (%1)").arg(dossier());
    }
    if (ecrite) {
        aCopier = false;
        echecSignale = false;
        return;
    }
    if (!echecSignale) {
        echecSignale = true;
        d.fenetre->afficherErreur(depuisUtf8("Impossible d'écrire la copie de secours du programme : " +
                                             raison.toStdString()));
    }
}

void Trecuperation::effacer() {
    minuteur.stop();
    aCopier = false;
    if (QFile::exists(chemin) && !QFile::remove(chemin))
        qWarning("Trevane: the recovery copy %s could not be removed", qPrintable(chemin));
    verrou.reset();   // no lock without a copy
}
