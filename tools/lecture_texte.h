// Reading a program or a text file for the console tools as the window reads
// it: the bytes decoded (UTF-8, UTF-16 or Windows-1252, analysis/decodage.h)
// and cut into the editor's lines. The size is bounded, so that a huge or
// endless file (a device, a pipe) never exhausts memory or hangs.
#pragma once

#include "analysis/decodage.h"

#include <cstddef>
#include <string>
#include <vector>

enum class Tlecture : uint8_t { lu, illisible, tropVolumineux };

constexpr size_t tailleTexteMax = 8u << 20;   // bytes

// Only a regular file is read. `lignes` (Windows-1252) and `codage` are set
// when the result is `lu`.
Tlecture lireTexte(const std::string& chemin, std::vector<std::string>& lignes, Tcodage& codage);
