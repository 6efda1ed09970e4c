#include "execution/formes.h"

#include "analysis/donnees.h"
#include "expressions/operations.h"

#include <array>
#include <utility>

namespace {

// The one operation of an assignment or a branch, and the shortcut it takes.
constexpr std::array<std::pair<int32_t, Tforme>, 13> formesParOperation = {{
    {opPlusEntier, formePlusEntier},
    {opMoinsEntier, formeMoinsEntier},
    {opFoisEntier, formeFoisEntier},
    {opPlusReel, formePlusReel},
    {opMoinsReel, formeMoinsReel},
    {opFoisReel, formeFoisReel},
    {opDivision, formeDivisionReel},
    {opInfEgalEntier, formeSiInfEgalEntier},
    {opSupEgalEntier, formeSiSupEgalEntier},
    {opDifferentEntier, formeSiDifferentEntier},
    {opInfEntier, formeSiInfEntier},
    {opSupEntier, formeSiSupEntier},
    {opEgalEntier, formeSiEgalEntier},
}};

Tforme formeDeOperation(int32_t code) {
    for (const auto& [operation, forme] : formesParOperation)
        if (operation == code)
            return forme;
    return formeGenerale;
}

bool estAffectationEntiere(Tforme f) { return f >= formePlusEntier && f <= formeFoisEntier; }
bool estAffectationReelle(Tforme f) { return f >= formePlusReel && f <= formeDivisionReel; }
bool estBranchement(Tforme f) { return f >= formeSiInfEgalEntier && f <= formeSiEgalEntier; }

TpasRapide choisirForme(const TdonneesCommunes& d, const Tinstruction& I) {
    TpasRapide p;
    p.suivante = I.suivante;
    p.branchement = I.cibleBranchement;
    p.cible = I.caseCible;
    if (I.nature == natAller) {
        p.forme = formeAller;
        return p;
    }
    const int32_t longueur = I.finCode - I.debutCode;
    if (I.nature == natAffectation && longueur == 0) {
        p.a = I.caseValeur;
        if (I.typeCible == typeEntier && I.typeExpression == typeEntier)
            p.forme = formeCopieEntier;
        else if (I.typeCible == typeReel)
            p.forme = formeCopieReel;
        return p;
    }
    // One two-operand operation whose result is the line's value.
    if (longueur != 4 || I.debutCode < 1 || I.finCode > nbMotsCode + 1)
        return p;
    const int32_t* m = d.code + I.debutCode;
    if (m[3] != I.caseValeur)
        return p;
    const Tforme f = formeDeOperation(m[0]);
    const bool convient =
        (I.nature == natAffectation && I.typeCible == typeEntier && estAffectationEntiere(f)) ||
        (I.nature == natAffectation && I.typeCible == typeReel && estAffectationReelle(f)) ||
        (I.nature == natAllerSi && estBranchement(f));
    if (convient) {
        p.forme = f;
        p.a = m[1];
        p.b = m[2];
        p.r = m[3];
    }
    return p;
}

} // namespace

void choisirFormes(TdonneesCommunes& d) {
    for (int32_t ligne = 0; ligne < nbLignesMax; ++ligne)
        d.rapides[ligne] = TpasRapide{};
    if (!d.formesRapides)
        return;
    for (int32_t ligne = 0; ligne <= d.derniereLigne && ligne < nbLignesMax; ++ligne) {
        const Tinstruction& I = d.instructions[ligne];
        if (estExecutable(I))
            d.rapides[ligne] = choisirForme(d, I);
    }
}
