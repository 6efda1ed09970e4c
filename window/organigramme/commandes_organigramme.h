// The flowchart panel joined to the window: it reads the editor's text,
// follows its changes and its cursor, and a click on a box selects the line;
// and the export command.
#pragma once

class QWidget;
class Tdialogues;
struct TcontrolesFenetre;
struct TdonneesCommunes;

void brancherOrganigramme(const TcontrolesFenetre& c, TdonneesCommunes& d);
// Fichier › Exporter l'organigramme…: proposes NOM.svg beside the program.
void commandeExporterOrganigramme(QWidget* parent, Tdialogues& boites, const TcontrolesFenetre& c,
                                  TdonneesCommunes& d);
