// The two system steps of a safe file write that differ between systems: the
// written bytes forced onto the disk, then the new file put in place of the
// old one in one step (a crash leaves the old file or the new one, never half).
#pragma once

#include <cstdio>
#include <string>

// Forces what was written to the open file onto the disk; false on failure.
bool forcerSurDisque(std::FILE* fichier);

// Puts the file provisoire in place of chemin, replacing it if it exists.
bool remplacerFichier(const std::string& provisoire, const std::string& chemin);
