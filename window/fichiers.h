// Program files: New, Open, Save, Save under a new name. Toolkit-free: the
// dialogs, boxes and file access are window operations.
#pragma once

#include <string>

struct TdonneesCommunes;

bool confirmerAbandon(TdonneesCommunes& d);
// The part of the path after its last "/", without the first ".txt".
std::string nomProgramme(const std::string& chemin);
// Gives a chosen save path its ".txt" extension.
std::string appliquerExtension(const std::string& chemin);

bool nouveauProgramme(TdonneesCommunes& d);
void ouvrirProgramme(TdonneesCommunes& d);
bool enregistrerProgramme(TdonneesCommunes& d);

void itemNouveauClick(TdonneesCommunes& d);
void itemOuvrirClick(TdonneesCommunes& d);
// Open without the question and the dialog, for a file named on the
// command line (or the path the open dialog returned).
void ouvrirFichierNomme(TdonneesCommunes& d, const std::string& chemin);
void itemEnregistrerClick(TdonneesCommunes& d);
void itemEnregistrerSousClick(TdonneesCommunes& d);
