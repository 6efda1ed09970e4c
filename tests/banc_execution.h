// The bench the core's tests share: a workspace on an in-memory window,
// and hand-made lines and variables.
#pragma once

#include "analysis/cellules.h"
#include "analysis/programme.h"
#include "base/codage.h"
#include "base/donnees.h"
#include "base/lignes.h"
#include "base/operations.h"
#include "commands/session.h"
#include "evaluation/affichage_valeurs.h"
#include "evaluation/hasard.h"
#include "execution/affichages.h"
#include "execution/controle.h"
#include "execution/pas.h"
#include "execution/textes.h"
#include "tools/fenetre_memoire.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace banc {

using Vlignes = std::vector<std::string>;

// A workspace with an in-memory window (a TfenetreMemoire, or a test's own
// kind of it); texts given and read back in UTF-8.
template <class Tf = TfenetreMemoire>
struct TbancSur {
    Tf f;
    std::unique_ptr<TdonneesCommunes> d = std::make_unique<TdonneesCommunes>();

    TbancSur() { d->fenetre = &f; }

    // The start-up of the window, as far as the core sees it.
    void demarrer() {
        demarrerSession(*d, 1);
        modeleNouveauProgramme(*d);
    }

    void taper(const char* texteUtf8) { f.taper(depuisUtf8(texteUtf8)); }

    // A hand-made program: the working copy and the editor hold these lines.
    void lignes(std::initializer_list<const char*> textesUtf8) {
        d->copieDeTravail.clear();
        for (const char* t : textesUtf8)
            d->copieDeTravail.push_back(depuisUtf8(t));
        f.lignesEditeur = d->copieDeTravail;
    }

    // The editor holds this text, in the core's bytes (as typed, without the
    // modified flag).
    void editeur(std::string_view texte) { f.lignesEditeur = decouperLignes(texte); }
    void analyser() { analyserProgramme(*d); }
    // Runs the editor's program, then Poursuivre while it is offered, at most
    // `poursuites` times.
    void executer(int32_t mode, int poursuites = 0) {
        lancerExecution(*d, mode);
        for (int k = 0; k < poursuites && f.poursuivreActif; ++k)
            poursuivreExecution(*d);
    }

    Tinstruction& ligne(int32_t i) { return d->instructions[i]; }
    const Tinstruction& ligne(int32_t i) const { return d->instructions[i]; }

    void commencer(int32_t mode, int32_t premiere = 0) {
        d->premiereInstruction = premiere;
        remettreRegistres(*d, mode);
    }

    Vlignes affichage() const {
        Vlignes v;
        for (const std::string& l : f.lignesAffichage)
            v.push_back(versUtf8(l));
        return v;
    }

    // The pane's lines from index `depuis` on.
    Vlignes affichageDepuis(size_t depuis) const {
        const Vlignes tout = affichage();
        return depuis >= tout.size() ? Vlignes{} : Vlignes(tout.begin() + static_cast<long>(depuis), tout.end());
    }
};

using Tbanc = TbancSur<>;

// A record without a window, its cells as an analysis starts them: for the
// tests that declare and compile by hand.
inline std::unique_ptr<TdonneesCommunes> espaceAnalyse() {
    auto d = std::make_unique<TdonneesCommunes>();
    recommencerAllocations(*d);
    return d;
}

inline Tinstruction affectation(Tnature nature, int32_t variable, int32_t typeCible, int32_t caseCible, int32_t caseValeur,
                         int32_t suivante) {
    Tinstruction I;
    I.nature = nature;
    I.numVariable = variable;
    I.typeCible = typeCible;
    I.caseCible = caseCible;
    I.caseValeur = caseValeur;
    I.suivante = suivante;
    return I;
}

inline Tinstruction simple(Tnature nature, int32_t suivante, int32_t cible = aucuneLigne) {
    Tinstruction I;
    I.nature = nature;
    I.suivante = suivante;
    I.cibleBranchement = cible;
    return I;
}

inline Tvariable variable(const char* nom, int32_t type, int32_t premiere, int32_t min1 = 0, int32_t max1 = 0,
                   int32_t min2 = 0, int32_t max2 = 0) {
    Tvariable v;
    v.nom = nom;
    v.typeVariable = type;
    v.premiereCase = premiere;
    v.nbIndices = max1 == 0 ? 0 : (max2 == 0 ? 1 : 2);
    v.borneMin1 = min1;
    v.borneMax1 = max1;
    v.borneMin2 = min2;
    v.borneMax2 = max2;
    return v;
}

} // namespace banc
