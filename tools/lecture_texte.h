// Reading a program or a text file for the console tools as the window reads
// it: the bytes decoded (analysis/decodage_fichier.h) and cut into the
// editor's lines. The size is bounded (analysis/lecture_programme.h), so that
// a huge or endless file (a device, a pipe) never exhausts memory or hangs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TlectureTexte : uint8_t { lu, illisible, tropVolumineux };

// Only a regular file is read. `lignes` (Windows-1252) is set when the result is `lu`.
TlectureTexte lireTexte(const std::string& chemin, std::vector<std::string>& lignes);
// The same for a program to run: read up to the first text past the last
// program line, and without the blank lines after that line
// (lignesAExecuter), which the analysis would not look at.
TlectureTexte lireProgrammeTexte(const std::string& chemin, std::vector<std::string>& lignes);
