// The record has one trace observer (`TdonneesCommunes::suivi`); the window
// has several followers of the run (the Variables panel, the gutter marks).
// This one tells each of them, in the order they were given.
#pragma once

#include "execution/suivi.h"

#include <initializer_list>
#include <vector>

class TsuivisFenetre : public Tsuivi {
public:
    TsuivisFenetre(std::initializer_list<Tsuivi*> suivis) : suivis(suivis) {}

    void commencer(const TdonneesCommunes& d) override {
        for (Tsuivi* suivi : suivis)
            suivi->commencer(d);
    }
    void noterPas(const TdonneesCommunes& d, int32_t ligne) override {
        for (Tsuivi* suivi : suivis)
            suivi->noterPas(d, ligne);
    }
    bool suitExecutionNormale() const override {
        for (const Tsuivi* suivi : suivis)
            if (suivi->suitExecutionNormale())
                return true;
        return false;
    }
    void retirerPas(const TdonneesCommunes& d) override {
        for (Tsuivi* suivi : suivis)
            suivi->retirerPas(d);
    }
    void oublierProgramme() override {
        for (Tsuivi* suivi : suivis)
            suivi->oublierProgramme();
    }

private:
    std::vector<Tsuivi*> suivis;
};
