// Reading a program or a text file for the console tools as the window reads
// it: the bytes decoded (base/decodage_fichier.h), ready to be cut into
// the editor's lines. The size is bounded (base/lecture_programme.h), so
// that a huge or endless file (a device, a pipe) never exhausts memory or hangs.
#pragma once

#include "base/decodage_fichier.h"

#include <cstdint>
#include <string>

enum class TlectureTexte : uint8_t { lu, illisible, tropVolumineux };

// Only a regular file is read. `fichier` is set when the result is `lu`.
TlectureTexte lireTexte(const std::string& chemin, TfichierDecode& fichier);
// The same for a program to run: read up to the first text past the last
// program line; lignesAExecuter (base/lecture_programme.h) then gives
// its lines without the blank ones after that line.
TlectureTexte lireProgrammeTexte(const std::string& chemin, TfichierDecode& fichier);
