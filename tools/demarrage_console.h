// What every console program of Trevane does first, in one call at the top
// of its main, before it reads its options or any file.
#pragma once

#include <optional>
#include <string_view>

// - A write past the file-size limit fails with an error, which the program
//   reports, instead of killing it with SIGXFSZ half-way through.
// - A standard descriptor closed at start is taken by /dev/null, opened so
//   that using it still fails (stdout and stderr read-only): no file the
//   program opens becomes its stdout, and a lost output is still reported.
// - stdout and stderr write their bytes as they are (sorties_binaires.h).
// - On Windows, the arguments come from the wide command line, in UTF-8.
// - An exception that nothing caught ends the program with its reason on
//   stderr and status 70, on any thread.
// - --help and --version are answered (ligne_commande.h).
// Returns the exit status when the program must stop there: after --help or
// --version, or `statutSortieImpossible` when they could not be written or a
// closed descriptor could not be taken.
std::optional<int> demarrerConsole(int& argc, char**& argv, std::string_view nom, std::string_view aide,
                                   int statutSortieImpossible);

// The status of a program ended by an exception that nothing caught.
constexpr int statutErreurInterne = 70;
