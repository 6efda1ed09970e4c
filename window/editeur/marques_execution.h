// The run's marks in the editor's gutter: the line just executed and the
// line that runs next in a commented run, the line of an error. It follows
// the run as the core's trace observer, beside the Variables panel, and sets
// the marks after each run command (never during a burst). The marks are
// cleared when a run command analyses the program.
#pragma once

#include "execution/suivi.h"

class TmargeLignes;

class TmarquesExecution : public Tsuivi {
public:
    explicit TmarquesExecution(TmargeLignes* marge) : marge(marge) {}

    // After a run command (Normale, Commentée pas à pas, Poursuivre, Arrêter).
    void apresExecution(const TdonneesCommunes& d);
    // The breakpoint discs: where the run stops after a successful analysis
    // of this program, else on the lines marked.
    void montrerPointsArret(const TdonneesCommunes& d);

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes&, int32_t ligne) override { derniereExecutee = ligne; }
    bool suitExecutionNormale() const override { return false; }
    void oublierProgramme() override;
    void retirerPas(const TdonneesCommunes&) override { derniereExecutee = -1; }

private:
    TmargeLignes* marge;
    bool lancement = false;        // a run command analysed since the last marks
    bool analyseReussie = false;   // the last analysis succeeded and the program is still the same
    int32_t derniereExecutee = -1; // line of the last step of the commented run
};
