// Program files: New, Open, Save, Save under a new name. Toolkit-free: the
// dialogs, boxes and file access are window operations.
#pragma once

#include <cstddef>
#include <string>

struct TdonneesCommunes;

// The editor takes seconds per hundred thousand lines, and no program runs
// past line 1000: a file of more lines than this, with text after line
// 1000, is refused before the editor is touched rather than freezing the
// window for minutes.
constexpr size_t lignesOuvrablesMax = 100000;

// "Impossible de créer le fichier CHEMIN." and, on a line of its own, why
// (`raison`, when not empty). Windows-1252; the path in UTF-8.
std::string messageEchecCreation(const std::string& chemin, const std::string& raison);
// The question asked before a file is replaced (Windows-1252).
std::string questionRemplacement(const std::string& chemin);

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
// Fichier › Exemples: like New, with the example's text (Windows-1252, CR LF)
// in place of the template: the question about unsaved changes first, then a
// program with no file, whose first save asks for a name.
void ouvrirExemple(TdonneesCommunes& d, const std::string& texte);

void itemNouveauClick(TdonneesCommunes& d);
void itemOuvrirClick(TdonneesCommunes& d);
void itemEnregistrerClick(TdonneesCommunes& d);
void itemEnregistrerSousClick(TdonneesCommunes& d);
