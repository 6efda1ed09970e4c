// Fichier › Exporter l'organigramme…: the flowchart as SVG, or as PNG when
// the name ends in ".png", written through the checked write path.
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QWidget;
class Tdialogues;

// Writes the drawing; on false the old file is kept and `raison` says why.
bool ecrireOrganigramme(const QString& chemin, const QByteArray& svg, QString* raison = nullptr);

// Asks where (`choisir` returns an empty string on cancel), asks before
// replacing a file, writes, and reports a failure in the error box.
void exporterOrganigramme(QWidget* parent, Tdialogues& boites, const QByteArray& svg, const QString& proposition,
                          const std::function<QString(QWidget*, const QString&)>& choisir);
// Qt's save dialog, filters SVG and PNG; ".svg" added to a name without extension.
QString choisirFichierOrganigramme(QWidget* parent, const QString& proposition);
