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
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace {

// A copy is a few header lines, an empty line, then the text's own bytes.
const QByteArray enTete = "Trevane copie de secours 1";
const QByteArray cleFichier = "fichier=";
const QByteArray cleDate = "date=";
const QString extensionCopie = QStringLiteral(".txt");
const QString extensionVerrou = QStringLiteral(".verrou");

QString cheminVerrou(const QString& copie) {
    return copie.left(copie.size() - extensionCopie.size()) + extensionVerrou;
}

// The header's lines: one for the mark, the file, the date, and the empty one.
constexpr size_t lignesEnTete = 4;

// Read as a program file is, so that no entry of the folder, however large
// or strange, costs more than a program; anything but a whole readable copy
// is left as it is.
bool lireCopie(const QString& chemin, TcopieSecours& copie) {
    // Copies are the editor's Windows-1252 bytes: read as they are, not decoded.
    std::string octets;
    TsuiviLignes lignes(lignesOuvrablesMax + lignesEnTete);
    const bool lue = lireOctetsProgramme(chemin.toUtf8().toStdString(), octets) == Tlecture::complete;
    if (lue)
        lignes.lire(octets);
    if (!lue || lignes.tropDeLignes()) {
        qWarning("Trevane: the recovery copy %s is not offered (not a file, too large or unreadable)",
                 qPrintable(chemin));
        return false;
    }
    return Trecuperation::decoder(QByteArray::fromStdString(octets), copie);
}

// A lock whose process is gone and whose copy is gone too guards nothing.
void effacerVerrousSeuls(const QDir& repertoire) {
    for (const QString& nom : repertoire.entryList({QLatin1Char('*') + extensionVerrou}, QDir::Files | QDir::NoSymLinks)) {
        const QString verrou = repertoire.filePath(nom);
        if (QFileInfo::exists(verrou.left(verrou.size() - extensionVerrou.size()) + extensionCopie))
            continue;
        QLockFile seul(verrou);
        seul.setStaleLockTime(0);   // only a running process keeps its lock
        if (seul.tryLock(0))
            seul.unlock();          // removes it
    }
}

std::string question(const TcopieSecours& copie) {
    const std::string nom = copie.fichier.empty() ? "Nouveau programme" : nomProgramme(copie.fichier);
    const QDateTime date = QDateTime::fromString(copie.date, Qt::ISODate).toLocalTime();
    const std::string quand = date.isValid()
        ? date.toString(QStringLiteral("'le 'dd/MM/yyyy' à 'HH:mm")).toStdString()
        : std::string("à une date inconnue");
    return depuisUtf8("Trevane s'est arrêté sans que les dernières modifications du programme « " + nom +
                      " » soient enregistrées.\r\nUne copie en a été faite " + quand +
                      ".\r\nRestaurer ce programme ?\r\n(Non : la copie est gardée et proposée au prochain démarrage.)");
}

} // namespace

Trecuperation::Trecuperation(TdonneesCommunes& donnees, QTextDocument* doc, Tdialogues* b, QWidget* parent)
    : QObject(parent), d(donnees), document(doc), boites(b), fenetre(parent) {
    // The process id names the copy; the start time keeps it apart from a
    // copy left by an earlier process that had the same id.
    chemin = dossier() + QStringLiteral("/%1-%2").arg(QCoreApplication::applicationPid())
                             .arg(QDateTime::currentMSecsSinceEpoch()) + extensionCopie;
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

QByteArray Trecuperation::encoder(const TcopieSecours& copie) {
    QByteArray octets = enTete + '\n';
    octets += cleFichier + QUrl::toPercentEncoding(QString::fromStdString(copie.fichier)) + '\n';
    octets += cleDate + copie.date.toLatin1() + '\n';
    octets += '\n';
    octets += QByteArray::fromStdString(copie.texte);
    return octets;
}

bool Trecuperation::decoder(const QByteArray& octets, TcopieSecours& copie) {
    const qsizetype fin = octets.indexOf("\n\n");
    if (fin < 0)
        return false;
    const QList<QByteArray> lignes = octets.left(fin).split('\n');
    if (lignes.value(0) != enTete)
        return false;
    copie = {};
    for (const QByteArray& ligne : lignes) {
        if (ligne.startsWith(cleFichier))
            copie.fichier = QUrl::fromPercentEncoding(ligne.mid(cleFichier.size())).toStdString();
        else if (ligne.startsWith(cleDate))
            copie.date = QString::fromLatin1(ligne.mid(cleDate.size()));
    }
    copie.texte = octets.mid(fin + 2).toStdString();
    return true;
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
    for (const QString& nom : repertoire.entryList({QLatin1Char('*') + extensionCopie}, QDir::Files | QDir::NoSymLinks)) {
        const QString copie = repertoire.filePath(nom);
        if (copie == chemin)
            continue;
        auto verrouCopie = std::make_unique<QLockFile>(cheminVerrou(copie));
        verrouCopie->setStaleLockTime(0);   // only a running process keeps its lock
        if (!verrouCopie->tryLock(0))
            continue;                       // its window is still open
        Tlaissee laissee{copie, std::move(verrouCopie), {}};
        if (lireCopie(copie, laissee.copie))
            laissees.push_back(std::move(laissee));
    }
    std::sort(laissees.begin(), laissees.end(),
              [](const Tlaissee& a, const Tlaissee& b) { return a.copie.date > b.copie.date; });
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
        copie.date = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
        copie.texte = d.fenetre->texteEditeur();
        ecrite = sauvegarderFichier(chemin, encoder(copie), &raison);
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
