// Checking many programs at once. The core keeps no state outside its
// workspace record (the random source included), so each worker thread runs
// its programs in records of its own.
#pragma once

#include "tools/verifier/verification.h"

#include <vector>

// The verdicts in the order of `programmes`, checked by `travailleurs` threads.
std::vector<Tverdict> verifierTous(const std::vector<Tprogramme>& programmes, const Tattendu& attendu,
                                   const Tparametres& p, unsigned travailleurs);
