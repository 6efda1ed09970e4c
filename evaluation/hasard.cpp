#include "evaluation/hasard.h"

#include "base/donnees.h"

// A permuted congruential generator: a 64-bit linear congruential state,
// each draw a rotated xor-shift of it. Uniform over the 32-bit values, with
// a period of 2^64, and a handful of instructions per draw.
namespace {

constexpr uint64_t multiplicateur = 6364136223846793005ull;
constexpr uint64_t increment = 1442695040888963407ull;

} // namespace

void initialiserHasard(TdonneesCommunes& d, uint32_t graine) {
    d.etatHasard = 0;
    tirerHasard(d);
    d.etatHasard += graine;
    tirerHasard(d);
}

uint32_t tirerHasard(TdonneesCommunes& d) {
    const uint64_t ancien = d.etatHasard;
    d.etatHasard = ancien * multiplicateur + increment;
    const uint32_t melange = static_cast<uint32_t>(((ancien >> 18) ^ ancien) >> 27);
    const uint32_t rotation = static_cast<uint32_t>(ancien >> 59);
    return (melange >> rotation) | (melange << ((32u - rotation) & 31u));
}
