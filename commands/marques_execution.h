// The run's marks in the editor's gutter, as one value for any front end:
// the line just executed and the line that runs next in a commented run,
// the line that runs next in a normal run waiting at a breakpoint, the line
// of an error, the breakpoint discs. It follows the run as the core's trace
// observer and sets the marks after each run command (never during a
// burst). A run command that analyses the program, or any edit, clears the
// run's marks; a new program clears the discs.
#pragma once

#include "execution/suivi.h"

#include <cstdint>
#include <vector>

// Editor lines from 0, -1: no mark.
struct TmarquesLignes {
    int32_t executee = -1;
    int32_t suivante = -1;
    int32_t erreur = -1;
    std::vector<int32_t> pointsArret;   // in order
    bool operator==(const TmarquesLignes&) const = default;
};

class TmarquesExecution : public Tsuivi {
public:
    const TmarquesLignes& marques() const { return valeur; }

    // After a run command (Normale, Commentée pas à pas, Poursuivre, Arrêter,
    // and the breakpoint commands).
    void apresExecution(const TdonneesCommunes& d);
    // The discs after a breakpoint was toggled: where the run stops after a
    // successful analysis of this program, else on the lines marked.
    void montrerPointsArret(const TdonneesCommunes& d);
    // The editor's text changed: the run's marks are stale (not the discs).
    void texteModifie();

    void commencer(const TdonneesCommunes& d) override;
    void noterPas(const TdonneesCommunes&, int32_t ligne) override { derniereExecutee = ligne; }
    bool suitExecutionNormale() const override { return false; }
    void oublierProgramme() override;
    void retirerPas(const TdonneesCommunes&) override { derniereExecutee = -1; }

private:
    TmarquesLignes valeur;
    bool lancement = false;        // a run command analysed since the last marks
    bool analyseReussie = false;   // the last analysis succeeded and the program is still the same
    int32_t derniereExecutee = -1; // line of the last step of the commented run
};
