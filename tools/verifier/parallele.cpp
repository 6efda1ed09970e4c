#include "tools/verifier/parallele.h"

#include <atomic>
#include <system_error>
#include <thread>

std::vector<Tverdict> verifierTous(const std::vector<Tprogramme>& programmes, const Tattendu& attendu,
                                   const Tparametres& p, unsigned travailleurs) {
    std::vector<Tverdict> verdicts(programmes.size());
    std::atomic<size_t> suivant{0};
    const auto travailler = [&] {
        for (size_t i = suivant++; i < programmes.size(); i = suivant++)
            verdicts[i] = verifierProgramme(programmes[i], attendu, p);
    };
    if (travailleurs > programmes.size())
        travailleurs = static_cast<unsigned>(programmes.size());
    std::vector<std::thread> fils;
    for (unsigned k = 1; k < travailleurs; ++k) {
        try {
            fils.emplace_back(travailler);
        } catch (const std::system_error&) {
            break;   // fewer threads than asked: the others share the work
        }
    }
    travailler();
    for (std::thread& f : fils)
        f.join();
    return verdicts;
}
