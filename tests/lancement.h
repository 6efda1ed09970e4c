// The console programs started from the tests as a user's shell would start
// them, on POSIX systems and under Wine alike: each word quoted for the
// system's shell, stdout and stderr caught in files, the exit status.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct Tlancement {
    int statut = -1;       // the exit status; -1 when the program did not exit normally
    std::string sortie;    // stdout, byte for byte
    std::string erreurs;   // stderr
};

// Runs `programme` with `arguments`, in the folder `dossier` when one is given.
Tlancement lancer(const std::string& programme, const std::vector<std::string>& arguments,
                  const std::filesystem::path& dossier = {});

// The names, without ".txt", of the programs in a folder of test cases, sorted.
std::vector<std::string> programmesDuDossier(const std::filesystem::path& dossier);

// A whole file's bytes; empty when it cannot be read.
std::string lireFichier(const std::filesystem::path& chemin);
