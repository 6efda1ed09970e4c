#include "analysis/ecriture_durable.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef _WIN32

bool forcerSurDisque(std::FILE* fichier) { return _commit(_fileno(fichier)) == 0; }

// Windows' rename refuses an existing target.
bool remplacerFichier(const std::string& provisoire, const std::string& chemin) {
    return MoveFileExA(provisoire.c_str(), chemin.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else

bool forcerSurDisque(std::FILE* fichier) { return fsync(fileno(fichier)) == 0; }

bool remplacerFichier(const std::string& provisoire, const std::string& chemin) {
    return std::rename(provisoire.c_str(), chemin.c_str()) == 0;
}

#endif
