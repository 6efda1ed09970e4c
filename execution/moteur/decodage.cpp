#include "execution/moteur/decodage.h"

#include "base/donnees.h"
#include "base/operations.h"

#include <iterator>
#include <span>
#include <vector>

namespace {

// How an operation of the compiled code becomes a micro-operation; its
// words and their kinds come from the operation table.
struct Tsignature {
    int32_t operation;
    Tmicrocode micro;
};

// How many forms start at each code: nbVariantes at the first form of a real
// operation (X4 in the lists of decodage.h), 0 at its other forms, 1 elsewhere.
#define TREVANE_UNE_FORME(code, etiquette) 1,
#define TREVANE_QUATRE_FORMES(code, etiquette) nbVariantes, 0, 0, 0,
constexpr int8_t nbFormes[] = {
    TREVANE_MICROS(TREVANE_UNE_FORME, TREVANE_QUATRE_FORMES)
    TREVANE_MICROS_FINS(TREVANE_UNE_FORME, TREVANE_QUATRE_FORMES)
};
#undef TREVANE_UNE_FORME
#undef TREVANE_QUATRE_FORMES
static_assert(std::size(nbFormes) == nbCodesMicro);

// Real operations come in one form per place of their operands.
bool aVariantes(Tmicrocode micro) { return nbFormes[micro] == nbVariantes; }

// Operations absent from this table (displays, random draws) keep the line
// on the general step: a random draw run twice would not give the same value.
constexpr Tsignature signatures[] = {
    {opPlusReel, mPlusREE},
    {opPlusEntier, mPlusE},
    {opOpposeReel, mAutre},
    {opOpposeEntier, mOpposeE},
    {opMoinsReel, mMoinsREE},
    {opMoinsEntier, mMoinsE},
    {opFoisReel, mFoisREE},
    {opFoisEntier, mFoisE},
    {opArrondi, mAutre},
    {opDivision, mDivisionREE},
    {opPuissanceReel, mAutre},
    {opPuissanceEntier, mAutre},
    {opFactorielle, mAutre},
    {opPremier, mAutre},
    {opPartieEntiere, mAutre},
    {opMinReel, mAutre},
    {opMinEntier, mMinE},
    {opMaxReel, mAutre},
    {opMaxEntier, mMaxE},
    {opAbsReel, mAutre},
    {opAbsEntier, mAbsE},
    {opQuot, mQuot},
    {opReste, mReste},
    {opValeurCondition, mValeurCondition},
    {opRac, mAutre},
    {opLn, mAutre},
    {opExp, mAutre},
    {opCos, mAutre},
    {opSin, mAutre},
    {opTan, mAutre},
    {opOu, mOu},
    {opEt, mEt},
    {opNon, mNon},
    {opInfEgalReel, mInfEgalREE},
    {opInfEgalEntier, mInfEgalE},
    {opSupEgalReel, mSupEgalREE},
    {opSupEgalEntier, mSupEgalE},
    {opDifferentReel, mDifferentREE},
    {opDifferentEntier, mDifferentE},
    {opInfReel, mInfREE},
    {opInfEntier, mInfE},
    {opSupReel, mSupREE},
    {opSupEntier, mSupE},
    {opEgalReel, mEgalREE},
    {opEgalEntier, mEgalE},
    {opDivise, mDivise},
    {opElementListeEntier, mListeE},
    {opElementListeReel, mListeR},
    {opElementTableauEntier, mAutre},
    {opElementTableauReel, mAutre},
};

// Every signature's operation reads one or two cells into a result cell.
constexpr bool signaturesConformes() {
    for (const Tsignature& s : signatures) {
        const TfaitsOperation* o = faitsOperation(s.operation);
        if (o == nullptr || o->resultat == Tmot::aucun || o->nbEntrees() < 1 || o->nbEntrees() > 2)
            return false;
    }
    return true;
}
static_assert(signaturesConformes());

const Tsignature* signatureDe(int32_t operation) {
    for (const Tsignature& s : signatures)
        if (s.operation == operation)
            return &s;
    return nullptr;
}

bool dans(int64_t n, int64_t min, int64_t max) { return n >= min && n <= max; }

bool caseValide(int64_t cellule, Tmot genre) {
    switch (genre) {
    case Tmot::entier: return dans(cellule, 0, derniereCaseEntiere);
    case Tmot::nombre: return dans(cellule, 0, derniereCaseReelle);
    case Tmot::reel: return dans(cellule, premiereCaseReelle, derniereCaseReelle);
    case Tmot::condition: return dans(cellule, 0, nbConditionsMax);
    case Tmot::aucun: case Tmot::valeur: break;
    }
    return false;
}

// The cells from `premiere` to `premiere + etendue` all fit `genre`.
bool plageValide(int64_t premiere, int64_t etendue, Tmot genre) {
    return etendue >= 0 && caseValide(premiere, genre) && caseValide(premiere + etendue, genre);
}

bool estCondition(Tmot genre) { return genre == Tmot::condition; }

// A cell read by an operation of the line being decoded.
struct Tlue {
    int32_t cellule;
    bool condition;
};

// Decodes lines into the stream; a line that does not fit any rule is left
// to the general step.
class Tdecodeur {
public:
    Tdecodeur(TdonneesCommunes& d, Tflux& flux) : d_(d), flux_(flux) {}

    bool decoderLigne(int32_t ligne);

private:
    bool decoderOperation(const int32_t* m, int32_t mot, int32_t fin);
    bool decoderFin(const Tinstruction& I);
    bool ecritureSure(int32_t cellule, bool condition) const;
    Tmicro& ajouter(Tmicrocode code);
    int32_t ligneDecodee_ = 0;

    TdonneesCommunes& d_;
    Tflux& flux_;
    std::vector<Tmicro> ligne_;
    std::vector<Tlue> lues_;
};

Tmicro& Tdecodeur::ajouter(Tmicrocode code) {
    ligne_.push_back(Tmicro{});
    ligne_.back().code = code;
    ligne_.back().ligne = static_cast<int16_t>(ligneDecodee_);
    return ligne_.back();
}

// Running the line again from its start must give the same values: an
// operation may not write a cell the line read before (or reads in the same
// operation), nor any variable's cell, which an element read may reach.
bool Tdecodeur::ecritureSure(int32_t cellule, bool condition) const {
    for (const Tlue& lue : lues_)
        if (lue.cellule == cellule && lue.condition == condition)
            return false;
    if (condition)
        return true;
    for (int32_t v = 1; v <= d_.nbVariables && v <= nbVariablesMax; ++v) {
        const Tvariable& variable = d_.variables[v];
        if (cellule >= variable.premiereCase && int64_t{cellule} < int64_t{variable.premiereCase} + variable.nbCases)
            return false;
    }
    return true;
}

bool Tdecodeur::decoderOperation(const int32_t* m, int32_t mot, int32_t fin) {
    const Tsignature* s = signatureDe(m[0]);
    if (s == nullptr)
        return false;
    const TfaitsOperation& o = *faitsOperation(m[0]);
    const int32_t nbEntrees = o.nbEntrees();
    const int32_t longueur = o.longueur();
    if (nbEntrees < 1 || nbEntrees > 2 || o.resultat == Tmot::aucun || mot + longueur > fin)
        return false;
    const int32_t a = m[1];
    const int32_t b = nbEntrees == 2 ? m[2] : 0;
    const int32_t r = m[nbEntrees + 1];
    if (!caseValide(a, o.entrees[0]) || (nbEntrees == 2 && !caseValide(b, o.entrees[1])) ||
        !caseValide(r, o.resultat))
        return false;
    lues_.push_back({a, estCondition(o.entrees[0])});
    if (nbEntrees == 2)
        lues_.push_back({b, estCondition(o.entrees[1])});

    Tmicro& micro = ajouter(s->micro);
    if (aVariantes(s->micro))
        micro.code = static_cast<uint16_t>(s->micro + (a > derniereCaseEntiere ? 2 : 0) + (b > derniereCaseEntiere ? 1 : 0));
    micro.a = a;
    micro.b = b;
    micro.r = r;
    if (o.variable) {
        const int32_t numero = m[nbEntrees + 2];
        if (numero < 1 || numero > nbVariablesMax)
            return false;
        const Tvariable& v = d_.variables[numero];
        const int64_t etendue1 = int64_t{v.borneMax1} - v.borneMin1;
        const int64_t etendue2 = nbEntrees == 1 ? 0 : int64_t{v.borneMax2} - v.borneMin2;
        if (etendue1 < 0 || etendue2 < 0 || etendue1 > derniereCaseReelle || etendue2 > derniereCaseReelle)
            return false;
        const Tmot genreElement = o.resultat == Tmot::entier ? Tmot::entier : Tmot::nombre;
        if (!plageValide(v.premiereCase, (etendue1 + 1) * (etendue2 + 1) - 1, genreElement))
            return false;
        micro.x = v.premiereCase;
        micro.y = v.borneMin1;
        micro.z = static_cast<int32_t>(etendue1);
    }
    if (s->micro == mAutre) {
        micro.a = mot;   // the evaluator reads the operation's own words
        micro.b = 0;
        micro.r = 0;
    }
    return ecritureSure(r, estCondition(o.resultat));
}

// The fused end when the line's last operation computes its value; real
// forms carry their variant over.
struct Tfusion {
    Tmicrocode operation;
    Tmicrocode fin;
};
constexpr Tfusion fusionsEntieres[] = {{mPlusE, mFinPlusE}, {mMoinsE, mFinMoinsE}, {mFoisE, mFinFoisE}};
constexpr Tfusion fusionsReelles[] = {
    {mPlusREE, mFinPlusREE}, {mMoinsREE, mFinMoinsREE}, {mFoisREE, mFinFoisREE}, {mDivisionREE, mFinDivisionREE}};
constexpr Tfusion fusionsBranchements[] = {
    {mInfEgalE, mFinSiInfEgalE}, {mSupEgalE, mFinSiSupEgalE}, {mDifferentE, mFinSiDifferentE},
    {mInfE, mFinSiInfE}, {mSupE, mFinSiSupE}, {mEgalE, mFinSiEgalE},
    {mInfEgalREE, mFinSiInfEgalREE}, {mSupEgalREE, mFinSiSupEgalREE}, {mDifferentREE, mFinSiDifferentREE},
    {mInfREE, mFinSiInfREE}, {mSupREE, mFinSiSupREE}, {mEgalREE, mFinSiEgalREE}};

// An operation and its fused end have the same forms.
constexpr bool fusionsConformes(std::span<const Tfusion> fusions) {
    for (const Tfusion& f : fusions)
        if (nbFormes[f.operation] < 1 || nbFormes[f.operation] != nbFormes[f.fin])
            return false;
    return true;
}
static_assert(fusionsConformes(fusionsEntieres) && fusionsConformes(fusionsReelles) &&
              fusionsConformes(fusionsBranchements));

// Turns the last micro-operation into the fused end when it computes `valeur`.
bool fusionner(std::vector<Tmicro>& ligne, int32_t valeur, std::span<const Tfusion> fusions) {
    if (ligne.empty() || ligne.back().r != valeur)
        return false;
    const int32_t code = ligne.back().code;
    for (const Tfusion& f : fusions) {
        if (code >= f.operation && code < f.operation + nbFormes[f.operation]) {
            ligne.back().code = static_cast<uint16_t>(f.fin + (code - f.operation));
            return true;
        }
    }
    return false;
}

// A successor the stream can reach: a line of the program, or its end.
bool successeurValide(int32_t ligne) { return ligne == aucuneLigne || dans(ligne, 0, nbLignesMax - 1); }

bool Tdecodeur::decoderFin(const Tinstruction& I) {
    if (!successeurValide(I.suivante) || (I.nature == natAllerSi && !successeurValide(I.cibleBranchement)))
        return false;
    const bool entier = I.typeCible == typeEntier;
    const Tmot genreValeur = entier ? Tmot::entier : Tmot::nombre;
    const Tmot genreCible = entier ? Tmot::entier : Tmot::reel;
    const bool affectation = I.nature >= natAffectation && I.nature <= natAffectationTableau;
    if (affectation && ((I.typeCible != typeEntier && I.typeCible != typeReel) || !caseValide(I.caseValeur, genreValeur)))
        return false;

    Tmicro* fin = nullptr;
    switch (I.nature) {
    case natAffectation:
        if (!caseValide(I.caseCible, genreCible))
            return false;
        if (fusionner(ligne_, I.caseValeur, entier ? std::span<const Tfusion>(fusionsEntieres) : std::span<const Tfusion>(fusionsReelles))) {
            fin = &ligne_.back();
        } else {
            fin = &ajouter(entier ? mFinAffectationE : mFinAffectationR);
            fin->a = I.caseValeur;
        }
        fin->x = I.caseCible;
        break;
    case natAffectationListe: {
        const int64_t etendue = int64_t{I.borneMax1} - I.borneMin1;
        if (!caseValide(I.caseIndice1, Tmot::entier) || etendue > derniereCaseReelle ||
            !plageValide(I.caseCible, etendue, genreCible))
            return false;
        fin = &ajouter(entier ? mFinListeE : mFinListeR);
        fin->a = I.caseValeur;
        fin->b = I.caseIndice1;
        fin->r = static_cast<int32_t>(etendue);
        fin->x = I.caseCible;
        fin->y = I.borneMin1;
        break;
    }
    case natAffectationTableau: {
        const int64_t etendue1 = int64_t{I.borneMax1} - I.borneMin1;
        const int64_t etendue2 = int64_t{I.borneMax2} - I.borneMin2;
        if (!caseValide(I.caseIndice1, Tmot::entier) || !caseValide(I.caseIndice2, Tmot::entier) ||
            etendue1 < 0 || etendue2 < 0 || etendue1 > derniereCaseReelle || etendue2 > derniereCaseReelle ||
            !plageValide(I.caseCible, (etendue1 + 1) * (etendue2 + 1) - 1, genreCible))
            return false;
        fin = &ajouter(entier ? mFinTableauE : mFinTableauR);
        fin->a = I.caseValeur;
        fin->b = I.caseIndice1;
        fin->r = I.caseIndice2;
        fin->x = I.caseCible;
        break;
    }
    case natAller:
        fin = &ajouter(mFinAller);
        break;
    case natAllerSi:
        if (!caseValide(I.caseValeur, Tmot::condition))
            return false;
        if (fusionner(ligne_, I.caseValeur, fusionsBranchements)) {
            fin = &ligne_.back();
        } else {
            fin = &ajouter(mFinSi);
            fin->a = I.caseValeur;
        }
        fin->x = I.cibleBranchement;
        break;
    case natAfficher: case natAllerEtRevenir: case natRevenir:
        // Displays, calls and returns (whose successor changes) stay general.
        return false;
    case natNonClassee: case natVide: case natCommentaire: case natEtiquette: case natDeclaration:
        return false;   // not executable
    }
    if (fin == nullptr)
        return false;
    fin->z = I.suivante;
    return true;
}

bool Tdecodeur::decoderLigne(int32_t ligne) {
    const Tinstruction& I = d_.instructions[ligne];
    ligneDecodee_ = ligne;
    ligne_.clear();
    lues_.clear();
    if (I.finCode > I.debutCode) {
        if (I.debutCode < 1 || I.finCode > nbMotsCode + 1)
            return false;
        for (int32_t mot = I.debutCode; mot < I.finCode; mot += longueurInstruction(d_.code[mot]))
            if (!decoderOperation(d_.code + mot, mot, I.finCode))
                return false;
    }
    if (!decoderFin(I))
        return false;
    // Room is kept for a general entry per line.
    if (flux_.nbMicros + static_cast<int64_t>(ligne_.size()) > nbMicrosMax - nbLignesMax)
        return false;
    flux_.fluxLignes[ligne] = flux_.nbMicros;
    for (const Tmicro& micro : ligne_)
        flux_.micros[flux_.nbMicros++] = micro;
    return true;
}

bool estFin(uint16_t code) { return code >= mFinAffectationE && code < nbCodesMicro; }
bool estBranchement(uint16_t code) { return code == mFinSi || (code >= mFinSiInfEgalE && code < nbCodesMicro); }

// Byte distance from micro-operation `de` to `vers`.
int32_t distance(int32_t de, int32_t vers) { return (vers - de) * static_cast<int32_t>(sizeof(Tmicro)); }

} // namespace

void choisirFormes(TdonneesCommunes& d) {
    Tflux& f = fluxDe(d);
    f.sautsDe = nullptr;   // the engine links the new stream to its entries
    for (int32_t ligne = 0; ligne < nbLignesMax; ++ligne)
        f.fluxLignes[ligne] = fluxGeneral;
    f.micros[fluxGeneral] = Tmicro{};
    f.micros[fluxGeneral].code = mGeneral;
    f.micros[fluxArret] = Tmicro{};
    f.micros[fluxArret].code = mArret;
    f.micros[fluxArret].ligne = aucuneLigne;
    f.nbMicros = fluxArret + 1;
    if (d.formesRapides) {
        Tdecodeur decodeur(d, f);
        for (int32_t ligne = 0; ligne <= d.derniereLigne && ligne < nbLignesMax; ++ligne)
            if (estExecutable(d.instructions[ligne]) && !d.arrets[ligne])
                decodeur.decoderLigne(ligne);
    }
    // Every other line gets a general entry that knows its number, so the
    // stream always knows the line it is on.
    for (int32_t ligne = 0; ligne < nbLignesMax && f.nbMicros < nbMicrosMax; ++ligne) {
        if (f.fluxLignes[ligne] != fluxGeneral)
            continue;
        Tmicro& entree = f.micros[f.nbMicros];
        entree = Tmicro{};
        entree.code = d.arrets[ligne] ? mPointArret : mGeneral;
        entree.ligne = static_cast<int16_t>(ligne);
        f.fluxLignes[ligne] = f.nbMicros++;
    }
    // The successors, now that every line has its place in the stream.
    for (int32_t k = fluxArret + 1; k < f.nbMicros; ++k) {
        Tmicro& micro = f.micros[k];
        if (!estFin(micro.code))
            continue;
        micro.w = distance(k, fluxDeLigne(f, micro.z));
        if (estBranchement(micro.code))
            micro.y = distance(k, fluxDeLigne(f, micro.x));
    }
}

Tflux& fluxDe(TdonneesCommunes& d) {
    if (!d.flux)
        d.flux.reset(new Tflux());
    return *d.flux;
}

void TliberationFlux::operator()(Tflux* flux) const { delete flux; }
