// Files named by the bytes of a path as the tools hold it: the system's own
// bytes on POSIX systems, UTF-8 on Windows, whose narrow calls would read the
// path in the ANSI code page and lose every name outside it ("Élodie" on a
// machine set to another language, "Ωmega" anywhere).
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

// std::fopen for such a path.
std::FILE* ouvrirFichier(const std::string& chemin, const char* mode);
// True when the path names a regular file; its size in `taille`.
bool fichierOrdinaire(const std::string& chemin, uint64_t& taille);
// The two system steps of a safe file write: the written bytes forced onto
// the disk, then the new file put in place of the old one in one step (a
// crash leaves the old file or the new one, never half of one).
bool forcerSurDisque(std::FILE* fichier);
// A new file of an unpredictable name beside `chemin` (same folder, so that
// it can replace it in one step; a short name, so that it fits wherever
// `chemin` fits), created exclusively: never an existing file nor a link
// planted under that name. Open for writing; its path in `provisoire`.
// Null when it cannot be created.
std::FILE* creerProvisoire(const std::string& chemin, std::string& provisoire);
bool remplacerFichier(const std::string& provisoire, const std::string& chemin);
bool supprimerFichier(const std::string& chemin);
// Between such a path and std::filesystem's.
std::filesystem::path versCheminFs(const std::string& chemin);
std::string depuisCheminFs(const std::filesystem::path& chemin);
