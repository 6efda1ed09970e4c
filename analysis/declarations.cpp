#include "analysis/declarations.h"

#include "analysis/cellules.h"
#include "analysis/motscles.h"
#include "analysis/texte.h"
#include "base/donnees.h"
#include "base/messages.h"

#include <algorithm>
#include <array>

namespace {

// Names that a list or a table may not take: with brackets after them they
// would read as a call. A simple variable may take them.
constexpr std::array<std::string_view, 12> nomsReserves = {
    "cos", "sin", "tan", "E", "rac", "ln", "exp", "min", "max", "ou", "et", "non"};

// A letter "A".."Z" or "a".."z" first, then letters or digits.
bool nomValide(std::string_view nom) {
    if (nom.empty() || !estLettre(nom.front()))
        return false;
    return std::all_of(nom.begin(), nom.end(), [](char c) { return estLettre(c) || estChiffre(c); });
}

} // namespace

void analyserDeclaration(TdonneesCommunes& d, int32_t ligne, const std::string& texte) {
    const bool reel = texte.starts_with(motReel);
    if (!reel && !texte.starts_with(motEntier)) {
        signalerErreur(d, errDeclaration, ligne);
        return;
    }
    std::string reste = texte.substr(reel ? motReel.size() : motEntier.size());
    serrerSeparateurs(reste);
    if (reste.empty()) {
        signalerErreur(d, errDeclaration, ligne);
        return;
    }
    if (reste.back() != ';')
        reste += ';';
    size_t debut = 0;
    while (debut < reste.size()) {
        const size_t fin = reste.find(';', debut);
        const std::string_view element = std::string_view(reste).substr(debut, fin - debut);
        const bool reussi = element.empty() ? signalerErreur(d, errDeclaration)
                                            : declarerVariable(d, std::string(element), reel);
        if (!reussi) {
            d.ligneErreur = ligne;
            return;
        }
        debut = fin + 1;
    }
}

bool declarerVariable(TdonneesCommunes& d, std::string item, bool reel) {
    if (d.nbVariables >= nbVariablesMax)
        return signalerErreur(d, errTropDeVariables);
    const int32_t numero = ++d.nbVariables;
    Tvariable& v = d.variables[numero];

    supprimerBlancs(item);
    const size_t parenthese = item.find('(');
    const bool avecIndices = parenthese != std::string::npos;
    // Characters past the fourth are dropped without a word: «compteur» is «comp».
    v.nom = sansBlancs(std::string_view(item).substr(0, avecIndices ? parenthese : item.size()).substr(0, 4));
    if (!nomValide(v.nom))
        return signalerErreur(d, errDeclaration);
    for (int32_t k = 1; k < numero; ++k)
        if (d.variables[k].nom == v.nom)
            return signalerErreur(d, errDeclareeDeuxFois);

    int64_t nbCases = 1;
    if (!avecIndices) {
        if (v.nom == "pi")
            return signalerErreur(d, errDeclaration);
        v.nbIndices = 0;
    } else {
        if (std::find(nomsReserves.begin(), nomsReserves.end(), v.nom) != nomsReserves.end())
            return signalerErreur(d, errDeclaration);
        if (item.back() != ')')
            return signalerErreur(d, errDeclaration);
        std::string_view plages = std::string_view(item).substr(parenthese + 1);
        plages.remove_suffix(1);
        v.nbIndices = 1;
        const size_t virgule = plages.find(',');
        if (virgule != std::string_view::npos) {
            v.nbIndices = 2;
            if (!lirePlage(plages.substr(virgule + 1), v.borneMin2, v.borneMax2))
                return signalerErreur(d, errDeclaration);
            plages = plages.substr(0, virgule);
        }
        if (!lirePlage(plages, v.borneMin1, v.borneMax1))
            return signalerErreur(d, errDeclaration);
        // Exact in 64 bits: two ranges of 2^31 cells multiply to 2^62 at most.
        nbCases = int64_t{v.borneMax1} - v.borneMin1 + 1;
        if (v.nbIndices == 2)
            nbCases *= int64_t{v.borneMax2} - v.borneMin2 + 1;
    }

    v.typeVariable = reel ? typeReel : typeEntier;
    v.premiereCase = reel ? d.reelLibre : d.entierLibre;
    const bool alloue = reel ? allouerReels(d, nbCases, 0.0) : allouerEntiers(d, nbCases, 0);
    if (!alloue)
        return false;
    v.nbCases = static_cast<int32_t>(nbCases);
    return true;
}

int32_t chercherVariable(const TdonneesCommunes& d, std::string_view nom) {
    for (int32_t k = 1; k <= d.nbVariables; ++k)
        if (d.variables[k].nom == nom)
            return k;
    return 0;
}
