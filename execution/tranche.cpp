// The normal-mode burst: up to 10,000,000 steps without handing control back
// to the window, so this loop is what a learner waits for. Lines with a
// shortcut run here in a few loads and stores; every other line, and every
// shortcut that cannot finish, goes through the general step.
#include "analysis/donnees.h"
#include "execution/formes.h"
#include "execution/pas.h"
#include "execution/pas_en_ligne.h"
#include "expressions/calculs.h"

namespace {

// Adds the steps the shortcuts made to the run's counts (the run's count
// wraps at 2^32 and is shown unsigned).
inline void compter(TdonneesCommunes& d, int32_t faits) {
    d.nbPas = static_cast<int32_t>(static_cast<uint32_t>(d.nbPas) + static_cast<uint32_t>(faits));
    d.nbPasTranche += faits;
}

inline long double reel(const TdonneesCommunes& d, int32_t cellule) { return valeurReelle(d, cellule); }

} // namespace

void executerTranche(TdonneesCommunes& d) {
    if (d.erreurExecution != 0)
        return;
    int32_t* const e = d.entiers;
    int32_t ligne = d.ligneCourante;
    int32_t restant = tailleTranche - d.nbPasTranche;
    int32_t faits = 0;   // shortcut steps not yet added to the counts

    while (ligne != aucuneLigne && restant > 0) {
        if (static_cast<uint32_t>(ligne) >= static_cast<uint32_t>(nbLignesMax))
            break;   // the general step reports a line outside the program
        const TpasRapide& p = d.rapides[ligne];
        long double v = 0;
        switch (p.forme) {
        case formeAller:
            ligne = p.suivante;
            break;
        case formeCopieEntier:
            e[p.cible] = e[p.a];
            ligne = p.suivante;
            break;
        case formePlusEntier:
            e[p.cible] = e[p.r] = plusEntier(e[p.a], e[p.b]);
            ligne = p.suivante;
            break;
        case formeMoinsEntier:
            e[p.cible] = e[p.r] = moinsEntier(e[p.a], e[p.b]);
            ligne = p.suivante;
            break;
        case formeFoisEntier:
            e[p.cible] = e[p.r] = foisEntier(e[p.a], e[p.b]);
            ligne = p.suivante;
            break;
        case formeCopieReel:
            caseReelle(d, p.cible) = valeurReelle(d, p.a);
            ligne = p.suivante;
            break;
        case formePlusReel:
            v = reel(d, p.a) + reel(d, p.b);
            goto stockerReel;
        case formeMoinsReel:
            v = reel(d, p.a) - reel(d, p.b);
            goto stockerReel;
        case formeFoisReel:
            v = reel(d, p.a) * reel(d, p.b);
            goto stockerReel;
        case formeDivisionReel: {
            const long double b = reel(d, p.b);
            if (b == 0.0L)
                goto general;
            v = reel(d, p.a) / b;
            goto stockerReel;
        }
        case formeSiInfEgalEntier:
            ligne = (d.conditions[p.r] = e[p.a] <= e[p.b]) ? p.branchement : p.suivante;
            break;
        case formeSiSupEgalEntier:
            ligne = (d.conditions[p.r] = e[p.a] >= e[p.b]) ? p.branchement : p.suivante;
            break;
        case formeSiDifferentEntier:
            ligne = (d.conditions[p.r] = e[p.a] != e[p.b]) ? p.branchement : p.suivante;
            break;
        case formeSiInfEntier:
            ligne = (d.conditions[p.r] = e[p.a] < e[p.b]) ? p.branchement : p.suivante;
            break;
        case formeSiSupEntier:
            ligne = (d.conditions[p.r] = e[p.a] > e[p.b]) ? p.branchement : p.suivante;
            break;
        case formeSiEgalEntier:
            ligne = (d.conditions[p.r] = e[p.a] == e[p.b]) ? p.branchement : p.suivante;
            break;
        default:
            goto general;
        }
        ++faits;
        --restant;
        continue;

    stockerReel: {
        double resultat;
        if (!versDouble(v, resultat))
            goto general;   // out of range: the general step reports it
        caseReelle(d, p.r) = resultat;
        caseReelle(d, p.cible) = resultat;
        ligne = p.suivante;
        ++faits;
        --restant;
        continue;
    }

    general:
        compter(d, faits);
        faits = 0;
        d.ligneCourante = ligne;
        execution::pas<false>(d);
        if (d.erreurExecution != 0)
            return;
        ligne = d.ligneCourante;
        --restant;
    }
    compter(d, faits);
    d.ligneCourante = ligne;
    // A line outside the program: the general step stops the run.
    if (ligne != aucuneLigne && restant > 0)
        executerPasNormal(d);
}
