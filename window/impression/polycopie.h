// The handout of a program, printed or written as PDF: on each page a header
// with the program's name, the date and the page number; the program with
// its line numbers (monospaced, a long line wrapped with a continuation
// mark); then, as the user chose, the results pane (or its first lines), the
// Suivi table (its columns fitted to the page, or split across pages) and
// the flowchart scaled to the page. Text is drawn as text, so a PDF is
// searchable.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

struct TchoixPolycopie {
    bool resultats = true;
    int lignesResultats = 0;   // at most this many lines of the results; 0 for all
    bool suivi = true;
    bool organigramme = true;
};

struct TcontenuPolycopie {
    QString nomProgramme;
    QDateTime date;
    QStringList programme;           // the editor's lines
    QStringList resultats;           // the results pane's lines
    QStringList titresSuivi;         // the Suivi table's column titles
    QList<QStringList> lignesSuivi;  // and its rows
    QByteArray organigramme;         // the flowchart's SVG, empty when there is none
};

// The results lines a handout shows: the first `lignesMax` (0: all), then
// "… (M lignes de plus)" when some were left out.
QStringList resultatsRetenus(const QStringList& resultats, int lignesMax);

// Draws the handout on the device, page after page; returns how many pages.
int dessinerPolycopie(QPagedPaintDevice& appareil, const TcontenuPolycopie& contenu, const TchoixPolycopie& choix);
