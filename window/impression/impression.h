// Fichier › Imprimer… and Fichier › Exporter en PDF…: a small dialog for
// what the handout holds (window/impression/polycopie.h), then Qt's print
// dialog, or a PDF written through the checked write path. A4 unless the
// system's printer says otherwise.
#pragma once

#include "window/impression/polycopie.h"

#include <QPageSize>
#include <QString>

class QWidget;
struct TcontrolesFenetre;
struct TdonneesCommunes;

// The user's choice of sections; false on cancel.
bool demanderChoixPolycopie(QWidget* parent, TchoixPolycopie& choix);
// What the window shows now: the program, the pane, the Suivi table, the chart.
TcontenuPolycopie contenuFenetre(const TcontrolesFenetre& c, TdonneesCommunes& d);
// The system's paper size if it has one, else A4.
QPageSize pageParDefaut();

void imprimerPolycopie(QWidget* parent, const TcontenuPolycopie& contenu, const TchoixPolycopie& choix);
// Writes the handout as a PDF file; on false the old file is kept and
// `raison` says why.
bool ecrirePdf(const QString& chemin, const TcontenuPolycopie& contenu, const TchoixPolycopie& choix,
               QString* raison = nullptr);

class Tdialogues;

// Where an export proposes to write: NOM + suffixe beside the program, else
// `defaut` in the current folder.
QString propositionExport(const TdonneesCommunes& d, const QString& suffixe, const QString& defaut);
// The menu commands: the choice, then the print dialog; or the choice, the
// file, the question before replacing, and the error box on a failed write.
void commandeImprimer(QWidget* parent, const TcontrolesFenetre& c, TdonneesCommunes& d);
void commandeExporterPdf(QWidget* parent, Tdialogues& boites, const TcontrolesFenetre& c, TdonneesCommunes& d);
