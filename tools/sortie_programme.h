// The runner's --sortie-programme mode, for graders that compare a program's
// output with the expected one (VPL, CodeRunner: integrations/): stdout gets
// only the lines the program's display instructions write, as the checker
// compares them; stderr only the reason when the run does not end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

// Runs the program text `texte` (decoded as the window's Open decodes it,
// nothing noted) in normal mode from a session seeded with `graine`,
// for at most `maxInstructions` instructions (by default the checker's
// bound, tools/verifier/verification.h). Each output line goes to
// `sortie` in UTF-8 as it is written; a failure is one line on `erreurs`:
//   "Erreur à l'analyse du programme, ligne N : MESSAGE"  status 1
//   "Erreur d'exécution, ligne N : MESSAGE"               status 2
//   "Arrêté après N instructions."                        status 3
// Gives the runner's exit status: 0 the run ended, or as above, or 5 when
// a stream could not be written.
int executerSortieProgramme(std::string_view texte, uint32_t graine, std::optional<uint64_t> maxInstructions,
                            std::FILE* sortie, std::FILE* erreurs);
