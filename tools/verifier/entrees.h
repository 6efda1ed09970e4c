// The programs to check, from the command line's entries: a file stands for
// itself, a folder for every "*.txt" below it, sorted by path.
#pragma once

#include <string>
#include <vector>

struct Tprogramme {
    std::string chemin;        // to open (the system's bytes)
    std::string affiche;       // as the reports name it: the entry, then the path below it
    bool dossierIlisible = false;  // a folder that could not be searched: a row of its own
};

std::vector<Tprogramme> listerProgrammes(const std::vector<std::string>& entrees);
