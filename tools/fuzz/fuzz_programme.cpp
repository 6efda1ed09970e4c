// libFuzzer target: any bytes as a program text, analysed and run in both
// modes with a step cap. Nothing may crash, hang or trip a sanitizer, and the
// normal-mode engine must leave exactly what the general step leaves.
#include "analysis/programme.h"
#include "base/donnees.h"
#include "base/lignes.h"
#include "commands/session.h"
#include "execution/controle.h"
#include "execution/moteur/decodage.h"
#include "execution/pas.h"
#include "tools/fenetre_memoire.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int32_t pasMax = 20000;

// Records reused across inputs, as the window keeps one for its whole life:
// 0 runs with the engine, 1 with the general step only, 2 in commented mode.
TdonneesCommunes& donnees(int k) {
    static std::unique_ptr<TdonneesCommunes> d[3] = {std::make_unique<TdonneesCommunes>(),
                                                     std::make_unique<TdonneesCommunes>(),
                                                     std::make_unique<TdonneesCommunes>()};
    return *d[k];
}

// Starts a run as the window does and runs a capped normal-mode burst; returns the pane's lines.
std::vector<std::string> burst(TdonneesCommunes& d, const std::string& texte, bool formes) {
    TfenetreMemoire fenetre;
    d.fenetre = &fenetre;
    d.formesRapides = formes;
    demarrerSession(d, 12345);
    fenetre.lignesEditeur = decouperLignes(texte);
    if (preparerExecution(d, executionNormale)) {
        d.nbPasTranche = tailleTranche - pasMax;   // the burst stops after pasMax steps
        executerTranche(d);
    }
    d.fenetre = nullptr;
    return fenetre.lignesAffichage;
}

void comparer(const TdonneesCommunes& a, const TdonneesCommunes& b) {
    if (a.codeErreur != b.codeErreur || a.erreurExecution != b.erreurExecution || a.nbPas != b.nbPas ||
        a.ligneCourante != b.ligneCourante || a.ligneErreur != b.ligneErreur || a.nbRetours != b.nbRetours ||
        std::memcmp(a.entiers, b.entiers, sizeof a.entiers) != 0 ||
        std::memcmp(a.reels, b.reels, sizeof a.reels) != 0)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* octets, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(octets), taille);
    const auto avec = burst(donnees(0), texte, true);
    const auto sans = burst(donnees(1), texte, false);
    if (avec != sans)
        std::abort();
    if (donnees(0).codeErreur == 0)
        comparer(donnees(0), donnees(1));

    // Commented mode through run control, a few steps.
    TfenetreMemoire fenetre;
    TdonneesCommunes& d = donnees(2);
    d.fenetre = &fenetre;
    demarrerSession(d, 12345);
    fenetre.lignesEditeur = decouperLignes(texte);
    lancerExecution(d, executionCommentee);
    for (int k = 0; k < 30 && fenetre.poursuivreActif; ++k)
        poursuivreExecution(d);
    if (fenetre.poursuivreActif)
        arreterExecution(d);
    d.fenetre = nullptr;
    return 0;
}
