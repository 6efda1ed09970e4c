// Work that survives a crash. While the editor holds unsaved changes, its
// text is copied every 30 seconds, and at every run start, to a recovery
// file of this process in the user's data folder. The copy goes when the
// changes are saved or given up. At the next start, a copy whose process is
// gone (killed, power lost) is offered back.
//
// Each process holds a lock beside its copy (QLockFile: its process id, its
// host and its name); a lock that no running process holds marks a copy
// left behind. Two windows open at once keep two copies.
#pragma once

#include "commands/recuperation.h"

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class QTextDocument;
class QWidget;
class Tdialogues;
struct TdonneesCommunes;

class Trecuperation : public QObject {
    Q_OBJECT
public:
    static constexpr int intervalle = 30 * 1000;   // milliseconds between two copies

    // `boites` asks about the copies left behind, over `parent`.
    Trecuperation(TdonneesCommunes& d, QTextDocument* document, Tdialogues* boites, QWidget* parent);
    ~Trecuperation() override;

    // The folder of the copies: "recuperation" in the application's data folder.
    static QString dossier();

    // Offers back, one by one and the newest first, the copies no running
    // process holds (regular files of at most a program's size); Yes
    // restores one (as modified, its copy now this window's) and ends the
    // offers, No keeps it for the next start, "Supprimer la copie" deletes
    // it. The others wait for the next start. Locks left without a copy go.
    void proposerRestauration();
    // Writes the copy when the text changed since the last one; a failure
    // is reported once, until a copy succeeds again.
    void ecrireSiBesoin();
    // The text needs no copy any more.
    void effacer();

    QString cheminCopie() const { return chemin; }

private:
    TdonneesCommunes& d;
    QTextDocument* document;
    Tdialogues* boites;
    QWidget* fenetre;
    QString chemin;                         // this process's copy
    std::unique_ptr<QLockFile> verrou;      // taken at the first copy
    QTimer minuteur{this};
    bool aCopier = false;                   // changed since the last copy
    bool modifie = false;                   // the editor's flag, known even once it is gone
    bool echecSignale = false;
};
