#include "expressions/desassembleur.h"

#include "analysis/donnees.h"
#include "expressions/operations.h"

#include <iterator>
#include <string_view>

namespace {

struct TnomOperation {
    int32_t code;
    std::string_view nom;
};

// ORDRE: operations, as listed in operations.h.
constexpr TnomOperation nomsOperations[] = {
    {opPlusReel, "opPlusReel"},
    {opPlusEntier, "opPlusEntier"},
    {opOpposeReel, "opOpposeReel"},
    {opOpposeEntier, "opOpposeEntier"},
    {opMoinsReel, "opMoinsReel"},
    {opMoinsEntier, "opMoinsEntier"},
    {opFoisReel, "opFoisReel"},
    {opFoisEntier, "opFoisEntier"},
    {opArrondi, "opArrondi"},
    {opDivision, "opDivision"},
    {opPuissanceReel, "opPuissanceReel"},
    {opPuissanceEntier, "opPuissanceEntier"},
    {opFactorielle, "opFactorielle"},
    {opPremier, "opPremier"},
    {opPartieEntiere, "opPartieEntiere"},
    {opMinReel, "opMinReel"},
    {opMinEntier, "opMinEntier"},
    {opMaxReel, "opMaxReel"},
    {opMaxEntier, "opMaxEntier"},
    {opAbsReel, "opAbsReel"},
    {opAbsEntier, "opAbsEntier"},
    {opEhasard, "opEhasard"},
    {opRhasard, "opRhasard"},
    {opQuot, "opQuot"},
    {opReste, "opReste"},
    {opValeurCondition, "opValeurCondition"},
    {opRac, "opRac"},
    {opLn, "opLn"},
    {opExp, "opExp"},
    {opCos, "opCos"},
    {opSin, "opSin"},
    {opTan, "opTan"},
    {opOu, "opOu"},
    {opEt, "opEt"},
    {opNon, "opNon"},
    {opInfEgalReel, "opInfEgalReel"},
    {opInfEgalEntier, "opInfEgalEntier"},
    {opSupEgalReel, "opSupEgalReel"},
    {opSupEgalEntier, "opSupEgalEntier"},
    {opDifferentReel, "opDifferentReel"},
    {opDifferentEntier, "opDifferentEntier"},
    {opInfReel, "opInfReel"},
    {opInfEntier, "opInfEntier"},
    {opSupReel, "opSupReel"},
    {opSupEntier, "opSupEntier"},
    {opEgalReel, "opEgalReel"},
    {opEgalEntier, "opEgalEntier"},
    {opDivise, "opDivise"},
    {opAfficherTexte, "opAfficherTexte"},
    {opAfficherEntier, "opAfficherEntier"},
    {opAfficherReel, "opAfficherReel"},
    {opAfficherCondition, "opAfficherCondition"},
    {opAfficherListe, "opAfficherListe"},
    {opAfficherLigneTableau, "opAfficherLigneTableau"},
    {opAfficherColonneTableau, "opAfficherColonneTableau"},
    {opElementListeEntier, "opElementListeEntier"},
    {opElementListeReel, "opElementListeReel"},
    {opElementTableauEntier, "opElementTableauEntier"},
    {opElementTableauReel, "opElementTableauReel"},
};
static_assert(std::size(nomsOperations) == 59);

std::string_view nomOperation(int32_t code) {
    for (const TnomOperation& o : nomsOperations)
        if (o.code == code)
            return o.nom;
    return "?";
}

} // namespace

std::string desassembler(const TdonneesCommunes& d, int32_t debut, int32_t fin) {
    std::string listing;
    if (debut < 1)
        debut = 1;
    if (fin > nbMotsCode + 1)
        fin = nbMotsCode + 1;
    for (int32_t w = debut; w < fin;) {
        const int32_t code = d.code[w];
        listing += std::to_string(w);
        listing += ' ';
        if (nomOperation(code) == "?") {
            // An unknown word is shown as it is, alone on its line.
            listing += "? ";
            listing += std::to_string(code);
            listing += '\n';
            ++w;
            continue;
        }
        listing += nomOperation(code);
        const int32_t longueur = longueurInstruction(code);
        for (int32_t k = 1; k < longueur && w + k < fin; ++k) {
            listing += ' ';
            listing += std::to_string(d.code[w + k]);
        }
        listing += '\n';
        w += longueur;
    }
    return listing;
}
