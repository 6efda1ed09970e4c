// The programs to check, from the command line's entries: a file stands for
// itself, a folder for every entry named "*.txt" below it, sorted by path,
// whatever it is (a link, a pipe, a device: each gets its row).
#pragma once

#include <string>
#include <vector>

struct Tprogramme {
    std::string chemin;        // to open (the system's bytes)
    std::string affiche;       // as the reports name it: the entry, then the path below it
    // Why it is `illisible` without being opened (UTF-8): a folder that
    // could not be searched, a link out of the class folder. Empty otherwise.
    std::string refus;
};

std::vector<Tprogramme> listerProgrammes(const std::vector<std::string>& entrees);
