// The normal-mode burst: up to 10,000,000 steps without handing control back
// to the window, so this loop is what a learner waits for. It runs the stream
// of micro-operations built when the run started (execution/moteur/decodage.h),
// one indirect jump per micro-operation (execution/moteur/aiguillage.h); the
// lines left general, and every line whose micro-operations cannot finish,
// go through the general step.
#include "base/donnees.h"
#include "evaluation/calculs.h"
#include "evaluation/evaluation_en_ligne.h"
#include "evaluation/reels_surs.h"
#include "execution/moteur/aiguillage.h"
#include "execution/moteur/decodage.h"
#include "execution/pas.h"
#include "execution/pas_en_ligne.h"

#include <iterator>

namespace {

// Adds the steps of the stream to the run's counts (the run's count wraps at
// 2^32 and is shown unsigned).
inline void compter(TdonneesCommunes& d, int32_t faits) {
    d.nbPas = static_cast<int32_t>(static_cast<uint32_t>(d.nbPas) + static_cast<uint32_t>(faits));
    d.nbPasTranche += faits;
}

// Index `i` against a lower bound and a span: the offset from the first cell,
// or false outside the bounds.
inline bool decalage(int32_t i, int32_t min, int32_t etendue, int32_t& k) {
    const uint32_t u = static_cast<uint32_t>(i) - static_cast<uint32_t>(min);
    k = static_cast<int32_t>(u);
    return u <= static_cast<uint32_t>(etendue);
}

} // namespace

// In WebAssembly the engine's loop is compiled again by the browser's
// optimizer, which keeps no register across a call: a call anywhere in the
// loop sends the loop's own values (the micro-operation, the steps left, the
// records' addresses) to the stack, reloaded at every use. There the loop
// makes no call: the general step and the evaluator's other operations run
// between two passes of the loop (executerTranche), and the operations that
// would call (the extended reals) leave the line to the general step, which
// runs it from the start as it does for any micro-operation that cannot
// finish.
// The browser also compiles the loop twice, quickly first, and a new
// compilation serves from the next call on: there the loop hands back
// control every `pasParPassage` steps.
#if defined(__wasm__)
#define TREVANE_BOUCLE_SANS_APPEL 1
#define TREVANE_PARCOURS [[gnu::noinline]]
constexpr int32_t pasParPassage = 1 << 16;
#else
#define TREVANE_BOUCLE_SANS_APPEL 0
#define TREVANE_PARCOURS
constexpr int32_t pasParPassage = tailleTranche;
#endif

// Operand loaders of the real forms: an integer cell or a real cell.
#define TREVANE_E(n) e[n]
#define TREVANE_R(n) caseReelle(d, n)
// One label per form, `M(label, first loader, second loader, ...)`.
#define TREVANE_FORMES(M, nom, ...)                  \
    M(nom##EE, TREVANE_E, TREVANE_E, __VA_ARGS__)    \
    M(nom##ER, TREVANE_E, TREVANE_R, __VA_ARGS__)    \
    M(nom##RE, TREVANE_R, TREVANE_E, __VA_ARGS__)    \
    M(nom##RR, TREVANE_R, TREVANE_R, __VA_ARGS__)
// Entries of the micro-operation codes (execution/moteur/decodage.h), and of the ends'
// second copy, whose labels end in "Contigue" and whose numbers follow the codes.
#define TREVANE_ADRESSE(code, etiquette) TREVANE_ENTREE(etiquette, code),
#define TREVANE_ADRESSE4(code, etiquette)                                                   \
    TREVANE_ADRESSE(code##EE, etiquette##EE) TREVANE_ADRESSE(code##ER, etiquette##ER)         \
    TREVANE_ADRESSE(code##RE, etiquette##RE) TREVANE_ADRESSE(code##RR, etiquette##RR)
#define TREVANE_NUMERO_CONTIGU(code) (nbCodesMicro + (code) - mFinAffectationE)
#define TREVANE_CONTIGUE(code, etiquette) TREVANE_ENTREE(etiquette##Contigue, TREVANE_NUMERO_CONTIGU(code)),
#define TREVANE_CONTIGUE4(code, etiquette)                                                  \
    TREVANE_CONTIGUE(code##EE, etiquette##EE) TREVANE_CONTIGUE(code##ER, etiquette##ER)       \
    TREVANE_CONTIGUE(code##RE, etiquette##RE) TREVANE_CONTIGUE(code##RR, etiquette##RR)
// The same lists as the cases of the `switch` form.
#define TREVANE_CAS_CODE(code, etiquette) TREVANE_CAS(etiquette, code)
#define TREVANE_CAS_CODE4(code, etiquette)                                                  \
    TREVANE_CAS_CODE(code##EE, etiquette##EE) TREVANE_CAS_CODE(code##ER, etiquette##ER)       \
    TREVANE_CAS_CODE(code##RE, etiquette##RE) TREVANE_CAS_CODE(code##RR, etiquette##RR)
#define TREVANE_CAS_CONTIGUE(code, etiquette) TREVANE_CAS(etiquette##Contigue, TREVANE_NUMERO_CONTIGU(code))
#define TREVANE_CAS_CONTIGUE4(code, etiquette)                                              \
    TREVANE_CAS_CONTIGUE(code##EE, etiquette##EE) TREVANE_CAS_CONTIGUE(code##ER, etiquette##ER) \
    TREVANE_CAS_CONTIGUE(code##RE, etiquette##RE) TREVANE_CAS_CONTIGUE(code##RR, etiquette##RR)

#define TREVANE_INF_EGAL(x, y) ((x) <= (y))
#define TREVANE_SUP_EGAL(x, y) ((x) >= (y))
#define TREVANE_INF(x, y) ((x) < (y))
#define TREVANE_SUP(x, y) ((x) > (y))
#if TREVANE_BOUCLE_SANS_APPEL
// Decided in doubles, else the general step.
#define TREVANE_EGAL(x, y)                                      \
    ({                                                          \
        const int egalite = reels::egaliteDecidee((x), (y));    \
        if (egalite < 0)                                        \
            goto general;                                       \
        egalite == 1;                                           \
    })
#define TREVANE_DIFFERENT(x, y) (!TREVANE_EGAL(x, y))
// An extended result, computed by calls: the general step.
#define TREVANE_ETENDU(calcul, suite) goto general
#else
#define TREVANE_EGAL(x, y) (egalReels((x), (y)))
#define TREVANE_DIFFERENT(x, y) (!egalReels((x), (y)))
#define TREVANE_ETENDU(calcul, suite) \
    v = (calcul);                     \
    goto FIN(suite)
#endif

namespace {

// How a pass of the loop ended; the steps done are counted and
// d.ligneCourante is the line to go on from.
enum class Tissue {
    fin,       // the burst is over (its steps, the program, a breakpoint, an error)
    general,   // only without calls in the loop: the general step is to run that line
    suite,     // only with passes shorter than the burst: the next pass goes on
    autre,     // only without calls in the loop: `reprise` is an mAutre to run, the pass goes on after it
};

// A pass from the start of d.ligneCourante, or from `reprise` inside it.
TREVANE_PARCOURS Tissue parcourir(TdonneesCommunes& d, const Tmicro*& reprise) {
    if (d.erreurExecution != 0)
        return Tissue::fin;
    static const Tsaut etiquettes[] = {
        TREVANE_MICROS(TREVANE_ADRESSE, TREVANE_ADRESSE4)
        TREVANE_MICROS_FINS(TREVANE_ADRESSE, TREVANE_ADRESSE4)
    };
    // The same ends for a line whose successor in sequence comes right after
    // it in the stream: the step to it is a constant, not a load, which
    // shortens the chain of addresses from one line to the next.
    static const Tsaut etiquettesContigues[] = {TREVANE_MICROS_FINS(TREVANE_CONTIGUE, TREVANE_CONTIGUE4)};
    static_assert(std::size(etiquettes) == nbCodesMicro);
    static_assert(std::size(etiquettesContigues) == nbCodesMicro - mFinAffectationE);

    int32_t* const e = d.entiers;
    uint8_t* const c = d.conditions;
    Tflux& F = fluxDe(d);
    const Tmicro* const flux = F.micros;
    // The engine's own entries, whatever the record held before.
    F.micros[fluxGeneral].code = mGeneral;
    F.micros[fluxArret].code = mArret;
    F.micros[fluxArret].ligne = aucuneLigne;
    // Each micro-operation carries the address of its entry, which saves a
    // table look-up per micro-operation; linked once per stream.
    if (F.sautsDe != etiquettes) {
        const int32_t nb = F.nbMicros < nbMicrosMax ? F.nbMicros : nbMicrosMax;
        for (int32_t k = 0; k < nb; ++k) {
            Tmicro& micro = F.micros[k];
            if (micro.code >= nbCodesMicro)
                micro.saut = etiquettes[mGeneral];
            else if (micro.code >= mFinAffectationE && micro.w == static_cast<int32_t>(sizeof(Tmicro)))
                micro.saut = etiquettesContigues[micro.code - mFinAffectationE];
            else
                micro.saut = etiquettes[micro.code];
        }
        F.sautsDe = etiquettes;
    }
    F.micros[fluxGeneral].saut = etiquettes[mGeneral];
    F.micros[fluxArret].saut = etiquettes[mArret];

    // The line is known from the micro-operation, except at the shared
    // general entry, which only a line outside the program reaches.
    int32_t ligne = d.ligneCourante;
    int32_t restant = tailleTranche - d.nbPasTranche;
    if (restant > pasParPassage)
        restant = pasParPassage;
    int32_t compte = restant;   // `restant` when the counts were last brought up to date
    const Tmicro* p = reprise ? reprise : flux + fluxDeLigne(F, ligne);
    [[maybe_unused]] Tetendu v = 0.0;
    if (restant <= 0)
        goto sortie;

#define SUIVANTE() TREVANE_SUIVANTE(p)
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

    TREVANE_AIGUILLAGE(p, TREVANE_MICROS(TREVANE_CAS_CODE, TREVANE_CAS_CODE4)
                          TREVANE_MICROS_FINS(TREVANE_CAS_CODE, TREVANE_CAS_CODE4)
                          TREVANE_MICROS_FINS(TREVANE_CAS_CONTIGUE, TREVANE_CAS_CONTIGUE4))

    // Labels as they are named in the first copy of the ends (below).
#define FIN(nom) nom

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
    // extended computation (evaluation/reels_surs.h), else in extended
    // precision, rounded once when stored by `suite`.
#define TREVANE_STOCKER_OPERATION(valeur) \
    caseReelle(d, p->r) = (valeur);       \
    ++p;                                  \
    SUIVANTE()
#define TREVANE_STOCKER_FIN(valeur)   \
    caseReelle(d, p->r) = (valeur);   \
    caseReelle(d, p->x) = (valeur);   \
    LIGNE_FAITE(SUITE)
#define ARITHMETIQUE(etiquette, A, B, op, sur, stocker, suite)                    \
    FIN(etiquette): {                                                             \
        const auto x = A(p->a);                                                   \
        const auto y = B(p->b);                                                   \
        double r;                                                                 \
        if (reels::sur(x, y, r)) {                                                \
            stocker(r);                                                           \
        }                                                                         \
        TREVANE_ETENDU(Tetendu(x) op Tetendu(y), suite);                          \
    }
#define DIVISION(etiquette, A, B, stocker, suite)                                 \
    FIN(etiquette): {                                                             \
        const auto x = A(p->a);                                                   \
        const auto y = B(p->b);                                                   \
        if (y == 0)                                                               \
            goto general;                                                         \
        double r;                                                                 \
        if (reels::quotient(x, y, r)) {                                           \
            stocker(r);                                                           \
        }                                                                         \
        TREVANE_ETENDU(Tetendu(x) / Tetendu(y), suite);                           \
    }
    TREVANE_FORMES(ARITHMETIQUE, plusR, +, somme, TREVANE_STOCKER_OPERATION, stockerReel)
    TREVANE_FORMES(ARITHMETIQUE, moinsR, -, difference, TREVANE_STOCKER_OPERATION, stockerReel)
    TREVANE_FORMES(ARITHMETIQUE, foisR, *, produit, TREVANE_STOCKER_OPERATION, stockerReel)
    TREVANE_FORMES(DIVISION, divisionR, TREVANE_STOCKER_OPERATION, stockerReel)
#if !TREVANE_BOUCLE_SANS_APPEL
stockerReel: {
    double resultat;
    if (!versDouble(v, resultat))
        goto general;   // out of range: the general step reports it
    caseReelle(d, p->r) = resultat;
    ++p;
    SUIVANTE();
}
#endif

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
#if TREVANE_BOUCLE_SANS_APPEL
    compter(d, compte - restant);
    d.ligneCourante = p->ligne;
    reprise = p;
    return Tissue::autre;
#else
    int32_t mot = p->a;
    if (!evaluation::executerOperation(d, mot)) {
        d.erreurExecution = 0;   // the general step sets it again
        goto general;
    }
    ++p;
    SUIVANTE();
#endif
}

    // The ends of lines, twice over: `SUITE` is the distance to the next
    // line in sequence, and `FIN` names the labels of each copy.
#define COLLER_(a, b) a##b
#define COLLER(a, b) COLLER_(a, b)
#define SUITE (p->w)
#include "execution/moteur/fins_de_ligne.inc"
#undef SUITE
#undef FIN
#define SUITE static_cast<int32_t>(sizeof(Tmicro))
#define FIN(nom) COLLER(nom, Contigue)
#include "execution/moteur/fins_de_ligne.inc"
#undef SUITE
#undef FIN
#undef COLLER
#undef COLLER_
#undef DIVISION
#undef ARITHMETIQUE
#undef TREVANE_STOCKER_FIN
#undef TREVANE_STOCKER_OPERATION

general:
    // A line left general, or one whose micro-operations could not finish:
    // the general step runs it from the start and reports any failure.
    if (p != flux + fluxGeneral)
        ligne = p->ligne;
    compter(d, compte - restant);
    d.ligneCourante = ligne;
#if TREVANE_BOUCLE_SANS_APPEL
    return Tissue::general;
#else
    execution::pas<false>(d);
    if (d.erreurExecution != 0)
        return Tissue::fin;
    ligne = d.ligneCourante;
    // Counted from the run's record, which a step may set to end the burst.
    compte = restant = tailleTranche - d.nbPasTranche;
    if (restant <= 0)
        return Tissue::fin;
    p = flux + fluxDeLigne(F, ligne);
    SUIVANTE();
#endif

pointArret:
    // A breakpoint line: the run stops before it, except on the line it
    // resumes from, which the general step runs.
    if (p->ligne != d.ligneReprise) {
        d.arretAtteint = true;
        goto sortie;
    }
    d.ligneReprise = aucuneLigne;
    goto general;

arret:
sortie:
    if (p != flux + fluxGeneral)
        ligne = p->ligne;
    compter(d, compte - restant);
    d.ligneCourante = ligne;
    // The steps of the pass are done, not those of the burst.
    return restant == 0 && d.nbPasTranche < tailleTranche ? Tissue::suite : Tissue::fin;

#undef LIGNE_FAITE
#undef OPERATION
#undef SUIVANTE
}

#if TREVANE_BOUCLE_SANS_APPEL
// The general step, false when it ends the burst (an error, or its count).
// A function of its own, so that its optimized form serves from its next
// call on, where the loop below is entered once per burst.
TREVANE_PARCOURS bool pasGeneral(TdonneesCommunes& d) {
    execution::pas<false>(d);
    return d.erreurExecution == 0 && d.nbPasTranche < tailleTranche;
}
#endif

} // namespace

void executerTranche(TdonneesCommunes& d) {
    const Tmicro* reprise = nullptr;
#if TREVANE_BOUCLE_SANS_APPEL
    // parcourir and pasGeneral each called from two places, so that the
    // optimizer of the WebAssembly module does not put them back inline.
    Tissue issue = parcourir(d, reprise);
    while (issue != Tissue::fin) {
        if (issue == Tissue::autre) {
            int32_t mot = reprise->a;
            if (evaluation::executerOperation(d, mot)) {
                ++reprise;
            } else {
                d.erreurExecution = 0;   // the general step sets it again
                reprise = nullptr;
                if (!pasGeneral(d))
                    return;
            }
        } else if (issue == Tissue::general && !pasGeneral(d)) {
            return;
        }
        issue = parcourir(d, reprise);
        reprise = issue == Tissue::autre ? reprise : nullptr;
    }
#else
    parcourir(d, reprise);
#endif
}
