// The normal-mode burst: up to 10,000,000 steps without handing control back
// to the window, so this loop is what a learner waits for. It runs the stream
// of micro-operations built when the run started (execution/formes.h), one
// indirect jump per micro-operation; the lines left general, and every line
// whose micro-operations cannot finish, go through the general step.
#include "analysis/donnees.h"
#include "execution/formes.h"
#include "execution/pas.h"
#include "execution/pas_en_ligne.h"
#include "execution/reels_surs.h"
#include "expressions/calculs.h"
#include "expressions/evaluation_en_ligne.h"

#include <iterator>

namespace {

// Adds the steps of the stream to the run's counts (the run's count wraps at
// 2^32 and is shown unsigned).
inline void compter(TdonneesCommunes& d, int32_t faits) {
    d.nbPas = static_cast<int32_t>(static_cast<uint32_t>(d.nbPas) + static_cast<uint32_t>(faits));
    d.nbPasTranche += faits;
}

inline long double reel(const TdonneesCommunes& d, int32_t cellule) { return valeurReelle(d, cellule); }

// Index `i` against a lower bound and a span: the offset from the first cell,
// or false outside the bounds.
inline bool decalage(int32_t i, int32_t min, int32_t etendue, int32_t& k) {
    const uint32_t u = static_cast<uint32_t>(i) - static_cast<uint32_t>(min);
    k = static_cast<int32_t>(u);
    return u <= static_cast<uint32_t>(etendue);
}

} // namespace

// Operand loaders of the real forms: an integer cell or a real cell.
#define TREVANE_E(n) e[n]
#define TREVANE_R(n) caseReelle(d, n)
// One label per form, `M(label, first loader, second loader, ...)`.
#define TREVANE_FORMES(M, nom, ...)                  \
    M(nom##EE, TREVANE_E, TREVANE_E, __VA_ARGS__)    \
    M(nom##ER, TREVANE_E, TREVANE_R, __VA_ARGS__)    \
    M(nom##RE, TREVANE_R, TREVANE_E, __VA_ARGS__)    \
    M(nom##RR, TREVANE_R, TREVANE_R, __VA_ARGS__)
#define TREVANE_ADRESSES(nom) &&nom##EE, &&nom##ER, &&nom##RE, &&nom##RR

#define TREVANE_INF_EGAL(x, y) ((x) <= (y))
#define TREVANE_SUP_EGAL(x, y) ((x) >= (y))
#define TREVANE_DIFFERENT(x, y) (!egalReels((x), (y)))
#define TREVANE_INF(x, y) ((x) < (y))
#define TREVANE_SUP(x, y) ((x) > (y))
#define TREVANE_EGAL(x, y) (egalReels((x), (y)))

void executerTranche(TdonneesCommunes& d) {
    if (d.erreurExecution != 0)
        return;
    // ORDRE: Tmicrocode (execution/formes.h).
    static void* const etiquettes[] = {
        &&general, &&arret,
        &&plusE, &&moinsE, &&foisE, &&opposeE, &&absE, &&minE, &&maxE,
        &&quot, &&reste,
        &&infEgalE, &&supEgalE, &&differentE, &&infE, &&supE, &&egalE,
        &&divise,
        TREVANE_ADRESSES(infEgalR), TREVANE_ADRESSES(supEgalR), TREVANE_ADRESSES(differentR),
        TREVANE_ADRESSES(infR), TREVANE_ADRESSES(supR), TREVANE_ADRESSES(egalR),
        &&ou, &&et, &&non, &&valeurCondition,
        TREVANE_ADRESSES(plusR), TREVANE_ADRESSES(moinsR), TREVANE_ADRESSES(foisR),
        TREVANE_ADRESSES(divisionR),
        &&listeE, &&listeR,
        &&autre,
        &&finAffectationE, &&finAffectationR, &&finListeE, &&finListeR,
        &&finTableauE, &&finTableauR, &&finAller, &&finSi,
        &&finPlusE, &&finMoinsE, &&finFoisE,
        TREVANE_ADRESSES(finPlusR), TREVANE_ADRESSES(finMoinsR),
        TREVANE_ADRESSES(finFoisR), TREVANE_ADRESSES(finDivisionR),
        &&finSiInfEgalE, &&finSiSupEgalE, &&finSiDifferentE, &&finSiInfE, &&finSiSupE, &&finSiEgalE,
        TREVANE_ADRESSES(finSiInfEgalR), TREVANE_ADRESSES(finSiSupEgalR),
        TREVANE_ADRESSES(finSiDifferentR), TREVANE_ADRESSES(finSiInfR),
        TREVANE_ADRESSES(finSiSupR), TREVANE_ADRESSES(finSiEgalR),
    };
    static_assert(std::size(etiquettes) == nbCodesMicro);

    int32_t* const e = d.entiers;
    uint8_t* const c = d.conditions;
    const Tmicro* const flux = d.micros;
    // The engine's own entries, whatever the record held before.
    d.micros[fluxGeneral].code = mGeneral;
    d.micros[fluxArret].code = mArret;
    d.micros[fluxArret].ligne = aucuneLigne;
    // Each micro-operation carries the address of its entry, which saves a
    // table look-up per micro-operation; linked once per stream.
    if (d.sautsDe != etiquettes) {
        const int32_t nb = d.nbMicros < nbMicrosMax ? d.nbMicros : nbMicrosMax;
        for (int32_t k = 0; k < nb; ++k) {
            Tmicro& micro = d.micros[k];
            micro.saut = micro.code < nbCodesMicro ? etiquettes[micro.code] : &&general;
        }
        d.sautsDe = etiquettes;
    }
    d.micros[fluxGeneral].saut = &&general;
    d.micros[fluxArret].saut = &&arret;

    // The line is known from the micro-operation, except at the shared
    // general entry, which only a line outside the program reaches.
    int32_t ligne = d.ligneCourante;
    int32_t restant = tailleTranche - d.nbPasTranche;
    int32_t compte = restant;   // `restant` when the counts were last brought up to date
    const Tmicro* p = flux + fluxDeLigne(d, ligne);
    long double v = 0;
    if (restant <= 0)
        goto sortie;

#define SUIVANTE() goto* p->saut
#define OPERATION(calcul) \
    calcul;               \
    ++p;                  \
    SUIVANTE()
    // One step done: on to the micro-operation `distance` bytes away.
#define LIGNE_FAITE(distance)                                                         \
    p = reinterpret_cast<const Tmicro*>(reinterpret_cast<const char*>(p) + (distance)); \
    if (--restant == 0)                                                               \
        goto sortie;                                                                  \
    SUIVANTE()

    SUIVANTE();

plusE: OPERATION(e[p->r] = plusEntier(e[p->a], e[p->b]));
moinsE: OPERATION(e[p->r] = moinsEntier(e[p->a], e[p->b]));
foisE: OPERATION(e[p->r] = foisEntier(e[p->a], e[p->b]));
opposeE: OPERATION(e[p->r] = opposeEntier(e[p->a]));
absE: OPERATION(e[p->r] = absEntier(e[p->a]));
minE: OPERATION(e[p->r] = e[p->b] < e[p->a] ? e[p->b] : e[p->a]);
maxE: OPERATION(e[p->r] = e[p->b] > e[p->a] ? e[p->b] : e[p->a]);
quot:
    if (divisionImpossible(e[p->a], e[p->b]))
        goto general;
    OPERATION(e[p->r] = e[p->a] / e[p->b]);
reste:
    if (divisionImpossible(e[p->a], e[p->b]))
        goto general;
    OPERATION(e[p->r] = e[p->a] % e[p->b]);
infEgalE: OPERATION(c[p->r] = e[p->a] <= e[p->b]);
supEgalE: OPERATION(c[p->r] = e[p->a] >= e[p->b]);
differentE: OPERATION(c[p->r] = e[p->a] != e[p->b]);
infE: OPERATION(c[p->r] = e[p->a] < e[p->b]);
supE: OPERATION(c[p->r] = e[p->a] > e[p->b]);
egalE: OPERATION(c[p->r] = e[p->a] == e[p->b]);
divise:
    // «x divise y»: x is the divisor.
    if (divisionImpossible(e[p->b], e[p->a]))
        goto general;
    OPERATION(c[p->r] = e[p->b] % e[p->a] == 0);

    // Real comparisons between doubles, as the evaluator makes them.
#define COMPARAISON(etiquette, A, B, comparer) \
    etiquette:                                 \
    OPERATION(c[p->r] = comparer(static_cast<double>(A(p->a)), static_cast<double>(B(p->b))));
    TREVANE_FORMES(COMPARAISON, infEgalR, TREVANE_INF_EGAL)
    TREVANE_FORMES(COMPARAISON, supEgalR, TREVANE_SUP_EGAL)
    TREVANE_FORMES(COMPARAISON, differentR, TREVANE_DIFFERENT)
    TREVANE_FORMES(COMPARAISON, infR, TREVANE_INF)
    TREVANE_FORMES(COMPARAISON, supR, TREVANE_SUP)
    TREVANE_FORMES(COMPARAISON, egalR, TREVANE_EGAL)
#undef COMPARAISON

ou: OPERATION(c[p->r] = c[p->a] || c[p->b]);
et: OPERATION(c[p->r] = c[p->a] && c[p->b]);
non: OPERATION(c[p->r] = !c[p->a]);
valeurCondition: OPERATION(e[p->r] = c[p->a] ? 1 : 0);

    // Real arithmetic: in doubles where that provably gives the value of the
    // extended computation (execution/reels_surs.h), else in extended
    // precision, rounded once when stored by `suite`.
#define TREVANE_STOCKER_OPERATION(valeur) \
    caseReelle(d, p->r) = (valeur);       \
    ++p;                                  \
    SUIVANTE()
#define TREVANE_STOCKER_FIN(valeur)   \
    caseReelle(d, p->r) = (valeur);   \
    caseReelle(d, p->x) = (valeur);   \
    LIGNE_FAITE(p->w)
#define ARITHMETIQUE(etiquette, A, B, op, sur, stocker, suite)                    \
    etiquette: {                                                                  \
        const auto x = A(p->a);                                                   \
        const auto y = B(p->b);                                                   \
        double r;                                                                 \
        if (reels::sur(x, y, r)) {                                                \
            stocker(r);                                                           \
        }                                                                         \
        v = static_cast<long double>(x) op static_cast<long double>(y);           \
        goto suite;                                                               \
    }
#define DIVISION(etiquette, A, B, stocker, suite)                                 \
    etiquette: {                                                                  \
        const auto x = A(p->a);                                                   \
        const auto y = B(p->b);                                                   \
        if (y == 0)                                                               \
            goto general;                                                         \
        double r;                                                                 \
        if (reels::quotient(x, y, r)) {                                           \
            stocker(r);                                                           \
        }                                                                         \
        v = static_cast<long double>(x) / static_cast<long double>(y);            \
        goto suite;                                                               \
    }
    TREVANE_FORMES(ARITHMETIQUE, plusR, +, somme, TREVANE_STOCKER_OPERATION, stockerReel)
    TREVANE_FORMES(ARITHMETIQUE, moinsR, -, difference, TREVANE_STOCKER_OPERATION, stockerReel)
    TREVANE_FORMES(ARITHMETIQUE, foisR, *, produit, TREVANE_STOCKER_OPERATION, stockerReel)
    TREVANE_FORMES(DIVISION, divisionR, TREVANE_STOCKER_OPERATION, stockerReel)
stockerReel: {
    double resultat;
    if (!versDouble(v, resultat))
        goto general;   // out of range: the general step reports it
    caseReelle(d, p->r) = resultat;
    ++p;
    SUIVANTE();
}

listeE: {
    int32_t k;
    if (!decalage(e[p->a], p->y, p->z, k))
        goto general;
    OPERATION(e[p->r] = e[p->x + k]);
}
listeR: {
    int32_t k;
    if (!decalage(e[p->a], p->y, p->z, k))
        goto general;
    OPERATION(caseReelle(d, p->r) = valeurReelle(d, p->x + k));
}
autre: {
    int32_t mot = p->a;
    if (!evaluation::executerOperation(d, mot)) {
        d.erreurExecution = 0;   // the general step sets it again
        goto general;
    }
    ++p;
    SUIVANTE();
}

finAffectationE:
    e[p->x] = e[p->a];
    LIGNE_FAITE(p->w);
finAffectationR:
    caseReelle(d, p->x) = valeurReelle(d, p->a);
    LIGNE_FAITE(p->w);
finListeE: {
    int32_t k;
    if (!decalage(e[p->b], p->y, p->r, k))
        goto general;
    e[p->x + k] = e[p->a];
    LIGNE_FAITE(p->w);
}
finListeR: {
    int32_t k;
    if (!decalage(e[p->b], p->y, p->r, k))
        goto general;
    caseReelle(d, p->x + k) = valeurReelle(d, p->a);
    LIGNE_FAITE(p->w);
}
finTableauE:
finTableauR: {
    const Tinstruction& I = d.instructions[p->ligne];
    int32_t i, j;
    if (!decalage(e[p->b], I.borneMin1, I.borneMax1 - I.borneMin1, i) ||
        !decalage(e[p->r], I.borneMin2, I.borneMax2 - I.borneMin2, j))
        goto general;
    const int32_t cellule = p->x + i * (I.borneMax2 - I.borneMin2 + 1) + j;
    if (p->code == mFinTableauE)
        e[cellule] = e[p->a];
    else
        caseReelle(d, cellule) = valeurReelle(d, p->a);
    LIGNE_FAITE(p->w);
}
finAller:
    LIGNE_FAITE(p->w);
finSi:
    if (c[p->a]) {
        LIGNE_FAITE(p->y);
    }
    LIGNE_FAITE(p->w);

finPlusE:
    e[p->x] = e[p->r] = plusEntier(e[p->a], e[p->b]);
    LIGNE_FAITE(p->w);
finMoinsE:
    e[p->x] = e[p->r] = moinsEntier(e[p->a], e[p->b]);
    LIGNE_FAITE(p->w);
finFoisE:
    e[p->x] = e[p->r] = foisEntier(e[p->a], e[p->b]);
    LIGNE_FAITE(p->w);
    TREVANE_FORMES(ARITHMETIQUE, finPlusR, +, somme, TREVANE_STOCKER_FIN, finStockerReel)
    TREVANE_FORMES(ARITHMETIQUE, finMoinsR, -, difference, TREVANE_STOCKER_FIN, finStockerReel)
    TREVANE_FORMES(ARITHMETIQUE, finFoisR, *, produit, TREVANE_STOCKER_FIN, finStockerReel)
    TREVANE_FORMES(DIVISION, finDivisionR, TREVANE_STOCKER_FIN, finStockerReel)
#undef DIVISION
#undef ARITHMETIQUE
#undef TREVANE_STOCKER_FIN
#undef TREVANE_STOCKER_OPERATION
finStockerReel: {
    double resultat;
    if (!versDouble(v, resultat))
        goto general;
    caseReelle(d, p->r) = resultat;
    caseReelle(d, p->x) = resultat;
    LIGNE_FAITE(p->w);
}

#define BRANCHEMENT(condition)     \
    if ((c[p->r] = (condition))) { \
        LIGNE_FAITE(p->y);         \
    }                              \
    LIGNE_FAITE(p->w)
finSiInfEgalE: BRANCHEMENT(e[p->a] <= e[p->b]);
finSiSupEgalE: BRANCHEMENT(e[p->a] >= e[p->b]);
finSiDifferentE: BRANCHEMENT(e[p->a] != e[p->b]);
finSiInfE: BRANCHEMENT(e[p->a] < e[p->b]);
finSiSupE: BRANCHEMENT(e[p->a] > e[p->b]);
finSiEgalE: BRANCHEMENT(e[p->a] == e[p->b]);
#define SI_REEL(etiquette, A, B, comparer) \
    etiquette:                             \
    BRANCHEMENT(comparer(static_cast<double>(A(p->a)), static_cast<double>(B(p->b))));
    TREVANE_FORMES(SI_REEL, finSiInfEgalR, TREVANE_INF_EGAL)
    TREVANE_FORMES(SI_REEL, finSiSupEgalR, TREVANE_SUP_EGAL)
    TREVANE_FORMES(SI_REEL, finSiDifferentR, TREVANE_DIFFERENT)
    TREVANE_FORMES(SI_REEL, finSiInfR, TREVANE_INF)
    TREVANE_FORMES(SI_REEL, finSiSupR, TREVANE_SUP)
    TREVANE_FORMES(SI_REEL, finSiEgalR, TREVANE_EGAL)
#undef SI_REEL

general:
    // A line left general, or one whose micro-operations could not finish:
    // the general step runs it from the start and reports any failure.
    if (p != flux + fluxGeneral)
        ligne = p->ligne;
    compter(d, compte - restant);
    d.ligneCourante = ligne;
    execution::pas<false>(d);
    if (d.erreurExecution != 0)
        return;
    ligne = d.ligneCourante;
    compte = --restant;
    if (restant == 0)
        return;
    p = flux + fluxDeLigne(d, ligne);
    SUIVANTE();

arret:
sortie:
    if (p != flux + fluxGeneral)
        ligne = p->ligne;
    compter(d, compte - restant);
    d.ligneCourante = ligne;

#undef BRANCHEMENT
#undef LIGNE_FAITE
#undef OPERATION
#undef SUIVANTE
}
