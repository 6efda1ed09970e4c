#include "tools/sortie_programme.h"

#include "base/codage.h"
#include "base/lecture_programme.h"
#include "base/messages.h"
#include "execution/controle.h"
#include "tools/sortie_console.h"
#include "tools/statuts_runner.h"
#include "tools/verifier/verification.h"

#include <string>

namespace {

// Each line straight to the stream; a failed write stops the run.
class TsortieDirecte : public Trecepteur {
public:
    explicit TsortieDirecte(TfluxVerifie& flux) : flux_(flux) {}
    void recevoir(std::string_view ligne) override {
        flux_.ecrire(versUtf8(ligne));
        flux_.ecrire("\n");
    }
    bool assez() const override { return flux_.echoue(); }

private:
    TfluxVerifie& flux_;
};

// ", ligne N : MESSAGE" (UTF-8), without the line when there is none.
std::string ligneEtMessage(const Tissue& issue, const std::string& message) {
    const std::string ligne = issue.ligne != aucuneLigne ? ", ligne " + std::to_string(issue.ligne + 1) : "";
    return ligne + " : " + versUtf8(message);
}

} // namespace

int executerSortieProgramme(std::string_view texte, uint32_t graine, std::optional<uint64_t> maxInstructions,
                            std::FILE* sortie, std::FILE* erreurs) {
    std::setvbuf(sortie, nullptr, _IOFBF, 1 << 16);
    TfluxVerifie flux(sortie);
    TsortieDirecte recepteur(flux);
    Tparametres p;
    p.graine = graine;
    p.maxInstructions = maxInstructions.value_or(p.maxInstructions);
    const Tissue issue = executerProgramme(lignesAExecuter(texte), recepteur, p);

    std::string raison;
    int statut = sortieTerminee;
    switch (issue.fin) {
    case Tfin::terminee:
    case Tfin::assez:   // a write failed: said below
        break;
    case Tfin::erreurAnalyse:
        raison = "Erreur à l'analyse du programme" + ligneEtMessage(issue, messageAnalyse(issue.code));
        statut = sortieErreurAnalyse;
        break;
    case Tfin::erreurExecution:
        raison = "Erreur d'exécution" + ligneEtMessage(issue, messageExecution(issue.code));
        statut = sortieErreurExecution;
        break;
    case Tfin::tropLongue:
        raison = messageTropLong(issue.instructions);
        statut = sortieEnAttente;
        break;
    }
    // The output first, then the reason: a console that shows both keeps
    // their order.
    TfluxVerifie fluxErreurs(erreurs);
    if (!flux.terminer()) {
        fluxErreurs.ecrire("Impossible d'écrire la sortie standard\n");   // as the runner's other mode says it
        fluxErreurs.terminer();
        return sortieEcritureImpossible;
    }
    if (!raison.empty())
        fluxErreurs.ecrire(raison + "\n");
    return fluxErreurs.terminer() ? statut : sortieEcritureImpossible;
}
