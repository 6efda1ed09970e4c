// The exit statuses of trevane-run, in every output mode (the README and the
// man page list them; tools/demarrage_console.h has the internal error's).
#pragma once

constexpr int sortieTerminee = 0;
constexpr int sortieErreurAnalyse = 1;
constexpr int sortieErreurExecution = 2;
constexpr int sortieEnAttente = 3;          // waiting for Poursuivre; with --sortie-programme, stopped by the bound
constexpr int sortieFichierIlisible = 4;
constexpr int sortieEcritureImpossible = 5;
constexpr int sortieUsage = 64;
