// The one workspace record: the analysed program, its variables, storage
// cells, compiled code, display texts, analysis results and run registers.
// Exactly one instance lives for the whole program (allocate it on the heap:
// it is several hundred kilobytes). Every capacity is fixed; nothing grows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class Tfenetre;
class Tsuivi;

// Capacities.
constexpr int32_t nbLignesMax = 1001;          // program lines 0..1000
constexpr int32_t nbVariablesMax = 50;         // variables 1..50
constexpr int32_t derniereCaseEntiere = 10000; // integer cells 1..10000
constexpr int32_t premiereCaseReelle = 10001;  // real cells 10001..20000
constexpr int32_t derniereCaseReelle = 20000;
constexpr int32_t nbConditionsMax = 500;       // condition cells 1..500
constexpr int32_t nbMotsCode = 10000;          // code words 1..10000
constexpr int32_t nbRetoursMax = 10;           // pending returns 1..10
constexpr int32_t tailleTranche = 10000000;    // instructions per normal burst

// Sentinel: end of program, or no line to select.
constexpr int32_t aucuneLigne = -1;

// Line kinds (`nature`). 7, 8 and 9 are never produced.
enum Tnature : int32_t {
    natNonClassee = 0,  // only during the analysis
    natVide = 1,
    natCommentaire = 2,
    natEtiquette = 3,
    natAffectation = 4,         // simple variable
    natAffectationListe = 5,    // list element
    natAffectationTableau = 6,  // table element
    natAller = 10,              // unconditional branch
    natAllerSi = 11,            // conditional branch
    natAfficher = 12,
    natAllerEtRevenir = 13,     // branch and return
    natRevenir = 14,
    natDeclaration = 15,
};

// Variable types, and value types of compiled expressions.
constexpr int32_t typeEntier = 1;
constexpr int32_t typeReel = 2;
constexpr int32_t typeCondition = 4;

// Run modes.
constexpr int32_t executionNormale = 1;
constexpr int32_t executionCommentee = 2;

// Display modes.
constexpr uint8_t modeInformations = 0;
constexpr uint8_t modeResultats = 1;

// One analysed program line, indexed by line number from 0.
struct Tinstruction {
    std::string etiquette;        // label line: its text without brackets, trimmed
    uint8_t classee = 0;          // classified by an earlier pass (analysis only)
    Tnature nature = natNonClassee;
    int32_t debutCode = 0;        // first code word of the line
    int32_t finCode = 0;          // one past its last word
    int32_t numVariable = 0;      // assignment: variable number
    int32_t nbIndicesCible = 0;   // assignment: 0, 1 or 2 indices written
    int32_t typeCible = 0;        // assignment: 1 integer, 2 real
    int32_t typeExpression = 0;   // assignment: type of the expression
    int32_t caseCible = 0;        // assignment: first cell of the variable
    int32_t cibleBranchement = 0; // kinds 11, 13: line reached by the branch; -1 end
    int32_t suivante = 0;         // next line in sequence (kind 10: its target); -1 end
    int32_t ligneEtiquette = 0;   // kinds 10, 11, 13: the label line the branch names (the flowchart's arrow)
    int32_t caseValeur = 0;       // assignment: value cell; kind 11: condition cell
    int32_t caseIndice1 = 0;      // element assignment: cell of the first index
    int32_t caseIndice2 = 0;      // table element assignment: cell of the second index
    int32_t borneMin1 = 0;
    int32_t borneMin2 = 0;
    int32_t borneMax1 = 0;
    int32_t borneMax2 = 0;
};

// One declared variable, numbered from 1 in order of declaration.
struct Tvariable {
    int32_t typeVariable = 0;     // 1 integer, 2 real
    std::string nom;              // at most 4 characters, compared byte for byte
    int32_t premiereCase = 0;
    int32_t nbIndices = 0;        // 0 simple, 1 list, 2 table
    int32_t nbCases = 0;
    int32_t borneMin1 = 0;
    int32_t borneMin2 = 0;
    int32_t borneMax1 = 0;
    int32_t borneMax2 = 0;
};

// Tables are stored row after row: the cells of row borneMin1, columns
// borneMin2..borneMax2, then the next row. `t` is a variable, or the
// instruction that assigns one of its elements (it carries its bounds).
// Computed in the type of the indices: 32 bits in the engine and the
// evaluator, 64 where the caller checks the cell it gets.
template <class Tentier, class Tbornes>
constexpr Tentier largeurLigne(const Tbornes& t) {
    return Tentier{t.borneMax2} - t.borneMin2 + 1;
}
// How many cells after the table's first one element (i, j) lies, for
// indices within the bounds.
template <class Tentier, class Tbornes>
constexpr Tentier rangElement(const Tbornes& t, Tentier i, Tentier j) {
    return (i - t.borneMin1) * largeurLigne<Tentier>(t) + (j - t.borneMin2);
}
// The indices of the element `rang` cells after the table's first one, the
// inverse of rangElement (a list's `j` is its borneMin2), for 0 <= rang < nbCases.
template <class Tentier>
struct TindicesElement {
    Tentier i;
    Tentier j;
};
template <class Tentier, class Tbornes>
constexpr TindicesElement<Tentier> indicesElement(const Tbornes& t, Tentier rang) {
    const Tentier largeur = largeurLigne<Tentier>(t);
    return {t.borneMin1 + rang / largeur, t.borneMin2 + rang % largeur};
}

// The normal-mode engine's stream (execution/moteur/decodage.h), made by the first
// run of a record and freed with it.
struct Tflux;
struct TliberationFlux {
    void operator()(Tflux* flux) const;
};

struct Thistorique;
struct TliberationHistorique {
    void operator()(Thistorique* historique) const;
};

struct TdonneesCommunes {
    std::string nomFichier;       // path of the program file open or last saved (UTF-8, as the system names it)
    std::string resultatsSauves;  // results text kept while the information is shown
    std::string fichierChoisi;    // path chosen in the open or save dialog (UTF-8)

    // The window's controls, reached only through the window operations.
    Tfenetre* fenetre = nullptr;
    // Working copy of the program lines (the hidden line list): line i is
    // the editor's line i, trimmed and stripped of comments by the analysis.
    std::vector<std::string> copieDeTravail;

    uint8_t modeAffichage = modeInformations;
    int32_t codeErreur = 0;       // analysis error, 0 = none
    int32_t entierLibre = 0;      // next free integer cell
    int32_t reelLibre = 0;        // next free real cell
    int32_t conditionLibre = 0;   // next free condition cell
    int32_t codeLibre = 0;        // next free code word
    int32_t nbVariables = 0;
    int32_t derniereLigne = 0;    // index of the last non-empty program line

    Tinstruction instructions[nbLignesMax];
    Tvariable variables[nbVariablesMax + 1];              // 1..50
    int32_t entiers[derniereCaseEntiere + 1] = {};        // cells 1..10000
    double reels[derniereCaseReelle - derniereCaseEntiere + 1] = {}; // cell n at reels[n - 10000]
    uint8_t conditions[nbConditionsMax + 1] = {};         // 1..500
    int32_t code[nbMotsCode + 1 + 8] = {};                // 1..10000, padded so an operand read never leaves the array

    std::string textesAffiches;   // pool of the texts display lines show; kept across analyses

    int32_t premiereInstruction = aucuneLigne;
    int32_t derniereInstruction = aucuneLigne;
    int32_t ligneErreur = aucuneLigne;
    int32_t ligneCourante = aucuneLigne;
    int32_t erreurExecution = 0;  // run-time error, 0 = none
    int32_t modeExecution = 0;
    int32_t nbPas = 0;
    int32_t nbPasTranche = 0;
    std::string ligneAffichee;    // output or commentary line under construction
    int32_t pileRetours[nbRetoursMax + 1] = {};           // 1..10
    int32_t nbRetours = 0;

    uint64_t etatHasard = 0;      // state of the random source, seeded once at start-up

    // Breakpoints (execution/points_arret.h): the lines the user marked, the
    // run to the cursor's one-off line, and the instruction lines a run stops
    // before, made from both after each analysis.
    uint8_t arretsMarques[nbLignesMax] = {};
    int32_t arretCurseur = aucuneLigne;
    uint8_t arrets[nbLignesMax] = {};
    int32_t ligneReprise = aucuneLigne;   // the breakpoint line a stopped run resumes from: it runs
    bool arretAtteint = false;            // the last burst stopped before a breakpoint line

    std::unique_ptr<Tflux, TliberationFlux> flux;   // the normal-mode engine's stream, null before the first run
    bool formesRapides = true;    // false runs every step by the general path (tests compare both)
    Tsuivi* suivi = nullptr;      // told of every step when a trace is kept (execution/suivi.h)
    uint64_t nbLignesAjoutees = 0;        // pane lines added since start-up, but a normal run's outputs (the step back counts them)
    // The steps of a commented run, for the step back (execution/historique.h); null before the first.
    std::unique_ptr<Thistorique, TliberationHistorique> historique;
};

// True for the kinds that run (4..14).
inline bool estExecutable(const Tinstruction& instruction) {
    return instruction.nature >= natAffectation && instruction.nature <= natRevenir;
}

// Value of a numeric cell as a real: integer cells up to 10000, real cells above.
inline double valeurReelle(const TdonneesCommunes& d, int32_t cellule) {
    return cellule <= derniereCaseEntiere ? static_cast<double>(d.entiers[cellule])
                                          : d.reels[std::ptrdiff_t{cellule} - derniereCaseEntiere];
}

// Real cell n (10001..20000).
inline double& caseReelle(TdonneesCommunes& d, int32_t cellule) {
    // Indexed in 64 bits so that the offset folds into the address.
    return d.reels[std::ptrdiff_t{cellule} - derniereCaseEntiere];
}
