// The run's marks (commands/marques_execution.h) painted in the editor's
// gutter: the rule follows the run beside the Variables panel, and its
// value goes to the margin whenever it may have changed (a run starting, a
// new program, after each run command, a toggle, an edit).
#pragma once

#include "commands/marques_execution.h"

class TediteurProgramme;

class TmarquesMarge : public Tsuivi {
public:
    // Follows the editor's edits, which make the run's marks stale.
    explicit TmarquesMarge(TediteurProgramme* editeur);

    // After a run command (Normale, Commentée pas à pas, Poursuivre, Arrêter...).
    void apresExecution(const TdonneesCommunes& d);
    // After a breakpoint was toggled.
    void montrerPointsArret(const TdonneesCommunes& d);

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes& d, int32_t ligne) override { regle.noterPas(d, ligne); }
    bool suitExecutionNormale() const override { return false; }
    void oublierProgramme() override;
    void retirerPas(const TdonneesCommunes& d) override { regle.retirerPas(d); }

private:
    void appliquer();

    TediteurProgramme* editeur;
    TmarquesExecution regle;
};
