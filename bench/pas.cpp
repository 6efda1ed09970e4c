// Micro-benchmarks of one step and of the normal-mode engine, so that a
// change to the evaluator or the executor can be judged in seconds:
// `build/bench/trevane-bench`.
#include "analysis/programme.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/lignes.h"
#include "execution/moteur/decodage.h"
#include "execution/pas.h"
#include "tools/fenetre_memoire.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

struct Tprogramme {
    TfenetreMemoire fenetre;
    std::unique_ptr<TdonneesCommunes> d = std::make_unique<TdonneesCommunes>();

    explicit Tprogramme(const char* texteUtf8) {
        d->fenetre = &fenetre;
        fenetre.lignesEditeur = decouperLignes(depuisUtf8(texteUtf8));
        analyserProgramme(*d);
        d->modeExecution = executionNormale;
        d->ligneCourante = d->premiereInstruction;
    }
};

// Steps of a loop that never ends, 1000 per iteration: one by one through
// the general step, or as bursts of the engine.
void mesurerBoucle(benchmark::State& etat, const char* texte) {
    Tprogramme p(texte);
    if (p.d->codeErreur != 0) {
        etat.SkipWithError("analysis failed");
        return;
    }
    const bool moteur = etat.range(0) != 0;
    if (moteur)
        choisirFormes(*p.d);
    for (auto _ : etat) {
        if (moteur) {
            // A burst runs up to its limit: start each one 1000 steps short of it.
            p.d->nbPasTranche = tailleTranche - 1000;
            executerTranche(*p.d);
        } else {
            for (int k = 0; k < 1000; ++k)
                executerPas(*p.d);
        }
        benchmark::DoNotOptimize(p.d->entiers[2]);
    }
    if (p.d->erreurExecution != 0)
        etat.SkipWithError("run failed");
    etat.SetItemsProcessed(etat.iterations() * 1000);
}

void BM_pasEntiers(benchmark::State& etat) {
    mesurerBoucle(etat,
                  "Entier i ; s\n"
                  "[b]\n"
                  "Donner à s la valeur s + i\n"
                  "Donner à i la valeur i + 1\n"
                  "Aller à [b] si i > 0 ou i <= 0\n"
                  "Afficher s\n");
}
BENCHMARK(BM_pasEntiers)->Arg(0)->Arg(1);

void BM_pasReels(benchmark::State& etat) {
    mesurerBoucle(etat,
                  "Entier k\n"
                  "Réel s\n"
                  "[b]\n"
                  "Donner à s la valeur s + 1/(k*k+1)\n"
                  "Donner à k la valeur reste(k + 1, 1000)\n"
                  "Aller à [b] si k >= 0\n"
                  "Afficher s\n");
}
BENCHMARK(BM_pasReels)->Arg(0)->Arg(1);

void BM_pasListe(benchmark::State& etat) {
    mesurerBoucle(etat,
                  "Entier L (0..99) ; j ; t\n"
                  "[b]\n"
                  "Donner à t la valeur L(j)\n"
                  "Donner à L(j) la valeur t + 1\n"
                  "Donner à j la valeur reste(j + 1, 100)\n"
                  "Aller à [b] si j >= 0\n"
                  "Afficher t\n");
}
BENCHMARK(BM_pasListe)->Arg(0)->Arg(1);

} // namespace
