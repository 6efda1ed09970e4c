// Fichier › Exporter le suivi…: the trace of the commented run as CSV,
// through the checked write path. The dialog proposes `proposition`; an
// existing file is replaced only when the user says so; the focus goes back
// where it was.
#pragma once

#include <QString>

class QWidget;
class Tdialogues;
class TmodeleSuivi;

void exporterSuivi(QWidget* parent, Tdialogues& boites, const TmodeleSuivi& suivi, const QString& proposition);
