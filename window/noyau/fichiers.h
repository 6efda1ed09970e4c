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
bool enregistrerProgramme(TdonneesCommunes& d);

// Open with the file already named (a recent file, a file dropped on the
// window, a file named on the command line): the question about unsaved
// changes, then the file is read.
void ouvrirFichierNomme(TdonneesCommunes& d, const std::string& chemin);
// Puts back a text kept from a session that ended without saving it: the
// editor gets `texte`, linked to the file `chemin` (empty: a new program).
void restaurerProgramme(TdonneesCommunes& d, const std::string& texte, const std::string& chemin);

void itemNouveauClick(TdonneesCommunes& d);
void itemOuvrirClick(TdonneesCommunes& d);
void itemEnregistrerClick(TdonneesCommunes& d);
void itemEnregistrerSousClick(TdonneesCommunes& d);
