#include "analysis/compilation.h"

#include "analysis/cellules.h"
#include "analysis/declarations.h"
#include "analysis/texte.h"
#include "base/donnees.h"
#include "base/messages.h"
#include "base/operations.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <vector>

// The compiler works on the text itself: it looks for the operator of lowest
// priority outside every bracket, cuts the text there and compiles the pieces,
// the right-hand one first. Priorities come from the order in which the
// operators are searched, not from a grammar.
//
// Each text is read once to index where every operator, function name,
// bracket and comma occurs, with its bracket depth. A piece of the text is
// then a range [debut, fin) at a known depth, and finding the rightmost
// operator outside its brackets is a binary search instead of a scan, so no
// shape of expression costs more than n log n.

namespace {

enum class Tgenre : uint8_t {
    infixe,     // between two operands
    prefixe,    // before its operand
    postfixe,   // after its operand
    fonction1,  // name followed by one bracketed argument
    fonction2,  // name followed by «(a , b)»
};

struct Toperateur {
    std::string_view texte;
    Tgenre genre;
    int32_t base;   // code before typing
};

// ORDRE: operateurs. Searched in this order; the first one found is applied
// last, so it has the lowest priority. A "-" that starts its text is the
// unary minus (base code 4).
constexpr Toperateur operateurs[] = {
    {"et", Tgenre::infixe, opEt},
    {"ou", Tgenre::infixe, opOu},
    {"non", Tgenre::prefixe, opNon},
    {"<=", Tgenre::infixe, opInfEgalReel},
    {">=", Tgenre::infixe, opSupEgalReel},
    {"<>", Tgenre::infixe, opDifferentReel},
    {"<", Tgenre::infixe, opInfReel},
    {">", Tgenre::infixe, opSupReel},
    {"=", Tgenre::infixe, opEgalReel},
    {"divise", Tgenre::infixe, opDivise},
    {"premier", Tgenre::postfixe, opPremier},
    {"+", Tgenre::infixe, opPlusReel},
    {"-", Tgenre::infixe, opMoinsReel},
    {"*", Tgenre::infixe, opFoisReel},
    {"/", Tgenre::infixe, opDivision},
    {"^", Tgenre::infixe, opPuissanceReel},
    {"!", Tgenre::postfixe, opFactorielle},
};
constexpr int32_t nbOperateurs = std::size(operateurs);

// Names kept for functions the language does not have: the typing refuses them.
constexpr int32_t nomReserve = 0;

// ORDRE: fonctions. Searched in this order when no operator is found; the
// first name found decides. "\xB5" is "µ" (one Windows-1252 byte).
constexpr Toperateur fonctions[] = {
    {"quot", Tgenre::fonction2, opQuot},
    {"arrondi", Tgenre::fonction2, opArrondi},
    {"reste", Tgenre::fonction2, opReste},
    {"min", Tgenre::fonction2, opMinReel},
    {"max", Tgenre::fonction2, opMaxReel},
    {"rac", Tgenre::fonction1, opRac},
    {"exp", Tgenre::fonction1, opExp},
    {"ln", Tgenre::fonction1, opLn},
    {"cos", Tgenre::fonction1, opCos},
    {"sin", Tgenre::fonction1, opSin},
    {"tan", Tgenre::fonction1, opTan},
    {"arccos", Tgenre::fonction1, nomReserve},
    {"arcsin", Tgenre::fonction1, nomReserve},
    {"arctan", Tgenre::fonction1, nomReserve},
    {"cosh", Tgenre::fonction1, nomReserve},
    {"sinh", Tgenre::fonction1, nomReserve},
    {"tanh", Tgenre::fonction1, nomReserve},
    {"arccosh", Tgenre::fonction1, nomReserve},
    {"arcsinh", Tgenre::fonction1, nomReserve},
    {"arctanh", Tgenre::fonction1, nomReserve},
    {"abs", Tgenre::fonction1, opAbsReel},
    {"Rhasard", Tgenre::fonction2, opRhasard},
    {"Ehasard", Tgenre::fonction2, opEhasard},
    {"E", Tgenre::fonction1, opPartieEntiere},
    {"ent", Tgenre::fonction1, opPartieEntiere},
    {"int", Tgenre::fonction1, opPartieEntiere},
    {"\xB5", Tgenre::fonction1, opValeurCondition},
};
constexpr int32_t nbFonctions = std::size(fonctions);

// Typing, from the operation table: an operand of kind entier must be an
// integer, nombre an integer or a real, condition a condition.
bool accepte(Tmot genre, int32_t type) {
    switch (genre) {
    case Tmot::entier: return type == typeEntier;
    case Tmot::nombre: case Tmot::reel: return type == typeEntier || type == typeReel;
    case Tmot::condition: return type == typeCondition;
    case Tmot::aucun: case Tmot::valeur: break;
    }
    return false;
}

int32_t typeDe(Tmot genre) {
    switch (genre) {
    case Tmot::entier: return typeEntier;
    case Tmot::nombre: case Tmot::reel: return typeReel;
    case Tmot::condition: return typeCondition;
    case Tmot::aucun: case Tmot::valeur: break;
    }
    return 0;
}

struct Ttypage {
    int32_t code = 0;
    int32_t type = 0;
};

// Final code and result type of the operation `base` on operands of the
// given types; false for a type the operation refuses, and for the reserved
// names.
bool typer(int32_t base, std::span<const int32_t> types, Ttypage& typage) {
    const TfaitsOperation* o = faitsOperation(base);
    if (o == nullptr || o->typage == Tregle::non || o->nbEntrees() != static_cast<int32_t>(types.size()))
        return false;
    bool entiers = true;
    for (size_t k = 0; k < types.size(); ++k) {
        if (!accepte(o->entrees[k], types[k]))
            return false;
        entiers = entiers && types[k] == typeEntier;
    }
    const bool variante = (o->typage == Tregle::entiers && entiers) ||
                          (o->typage == Tregle::secondEntier && types.back() == typeEntier);
    const TfaitsOperation* final = variante ? faitsOperation(o->variante) : o;
    if (final == nullptr)
        return false;
    typage.code = final->code;
    typage.type = typeDe(final->resultat);
    return true;
}

// Motifs of the index: the operators, the function names, then the comma and
// the two brackets.
constexpr int32_t motifVirgule = nbOperateurs + nbFonctions;
constexpr int32_t motifOuvrante = motifVirgule + 1;
constexpr int32_t motifFermante = motifVirgule + 2;

std::string_view texteMotif(int32_t motif) {
    return motif < nbOperateurs ? operateurs[motif].texte : fonctions[motif - nbOperateurs].texte;
}

// The operators and names that begin with each byte.
const std::array<std::vector<int8_t>, 256>& motifsParPremierOctet() {
    static const std::array<std::vector<int8_t>, 256> table = [] {
        std::array<std::vector<int8_t>, 256> t;
        for (int32_t m = 0; m < nbOperateurs + nbFonctions; ++m)
            t[static_cast<unsigned char>(texteMotif(m)[0])].push_back(static_cast<int8_t>(m));
        return t;
    }();
    return table;
}

// An index key: motif, bracket depth, position, so that the occurrences of
// one motif at one depth are consecutive and sorted by position.
constexpr int32_t bitsPosition = 28;
constexpr int64_t longueurMax = int64_t{1} << bitsPosition;
constexpr uint64_t masquePosition = (uint64_t{1} << bitsPosition) - 1;

constexpr uint64_t cle(int32_t motif, int32_t profondeur, int32_t position) {
    return (static_cast<uint64_t>(motif) << (2 * bitsPosition)) |
           (static_cast<uint64_t>(profondeur) << bitsPosition) | static_cast<uint64_t>(position);
}

// A piece of the text: positions [debut, fin), and the bracket depth of its
// outermost level in the whole text.
struct Tplage {
    int32_t debut = 0;
    int32_t fin = 0;
    int32_t profondeur = 0;
};

// Deeper than this, an expression could not fit in the code area anyway
// (each level appends at least three words); stopping here keeps the
// recursion within the stack.
constexpr int32_t niveauxMax = 5000;

struct Tcompilateur {
    TdonneesCommunes& d;
    std::string_view texte;
    std::vector<uint64_t> occurrences;   // sorted keys
    int32_t niveau = 0;

    // Reads the text (balanced, shorter than longueurMax) once. A bracket
    // is indexed at the depth outside it, so both brackets of a pair share
    // a depth; a letter-led motif only where no letter or digit touches it.
    Tcompilateur(TdonneesCommunes& donnees, std::string_view t) : d(donnees), texte(t) {
        const auto& parOctet = motifsParPremierOctet();
        const int32_t longueur = static_cast<int32_t>(texte.size());
        int32_t profondeur = 0;
        for (int32_t i = 0; i < longueur; ++i) {
            const char c = texte[i];
            if (c == '(') {
                occurrences.push_back(cle(motifOuvrante, profondeur++, i));
                continue;
            }
            if (c == ')') {
                occurrences.push_back(cle(motifFermante, --profondeur, i));
                continue;
            }
            if (c == ',')
                occurrences.push_back(cle(motifVirgule, profondeur, i));
            for (const int8_t m : parOctet[static_cast<unsigned char>(c)]) {
                const std::string_view motif = texteMotif(m);
                const int32_t n = static_cast<int32_t>(motif.size());
                if (texte.substr(static_cast<size_t>(i), motif.size()) != motif)
                    continue;
                if (estLettre(motif[0]) && ((i > 0 && estAlphanumerique(texte[i - 1])) ||
                                            (i + n < longueur && estAlphanumerique(texte[i + n]))))
                    continue;
                occurrences.push_back(cle(m, profondeur, i));
            }
        }
        std::sort(occurrences.begin(), occurrences.end());
    }

    static bool estAlphanumerique(char c) { return estLettre(c) || estChiffre(c); }

    // Position of the rightmost occurrence of `motif` at `profondeur` that
    // starts between `debut` and `dernier`, or -1.
    int32_t plusADroite(int32_t motif, int32_t profondeur, int32_t debut, int32_t dernier) const {
        if (dernier < debut)
            return -1;
        auto it = std::upper_bound(occurrences.begin(), occurrences.end(), cle(motif, profondeur, dernier));
        if (it == occurrences.begin())
            return -1;
        --it;
        if ((*it >> bitsPosition) != (cle(motif, profondeur, 0) >> bitsPosition))
            return -1;
        const int32_t position = static_cast<int32_t>(*it & masquePosition);
        return position >= debut ? position : -1;
    }

    // The leftmost one, or -1.
    int32_t plusAGauche(int32_t motif, int32_t profondeur, int32_t debut, int32_t dernier) const {
        if (dernier < debut)
            return -1;
        const auto it = std::lower_bound(occurrences.begin(), occurrences.end(), cle(motif, profondeur, debut));
        if (it == occurrences.end() || (*it >> bitsPosition) != (cle(motif, profondeur, 0) >> bitsPosition))
            return -1;
        const int32_t position = static_cast<int32_t>(*it & masquePosition);
        return position <= dernier ? position : -1;
    }

    std::string_view vue(Tplage e) const {
        return texte.substr(static_cast<size_t>(e.debut), static_cast<size_t>(e.fin - e.debut));
    }
};

// The range without its leading and trailing blanks.
Tplage rogner(const Tcompilateur& c, Tplage e) {
    while (e.debut < e.fin && c.texte[e.debut] == ' ')
        ++e.debut;
    while (e.fin > e.debut && c.texte[e.fin - 1] == ' ')
        --e.fin;
    return e;
}

// True when the range is one bracketed group: its first "(" closes at its
// last character.
bool estGroupe(const Tcompilateur& c, Tplage e) {
    return e.fin - e.debut >= 2 && c.texte[e.debut] == '(' && c.texte[e.fin - 1] == ')' &&
           c.plusAGauche(motifFermante, e.profondeur, e.debut + 1, e.fin - 1) == e.fin - 1;
}

// Trims, then drops leading "+" and redundant outer brackets, one at a time.
// False, with error 2, when nothing is left.
bool normaliser(const Tcompilateur& c, Tplage& e) {
    for (;;) {
        e = rogner(c, e);
        if (e.debut == e.fin)
            return signalerErreur(c.d, errSyntaxe);
        if (c.texte[e.debut] == '+')
            ++e.debut;
        else if (estGroupe(c, e))
            e = {e.debut + 1, e.fin - 1, e.profondeur + 1};
        else
            return true;
    }
}

// «(a , b)» cut at its last comma outside inner brackets, with the rules of
// `separerIndices`; the parts are left untrimmed.
bool couperArguments(const Tcompilateur& c, Tplage groupe, Tplage& premier, Tplage& second) {
    groupe = rogner(c, groupe);
    if (!estGroupe(c, groupe))
        return false;
    const Tplage dedans = rogner(c, {groupe.debut + 1, groupe.fin - 1, groupe.profondeur + 1});
    if (dedans.debut == dedans.fin || c.texte[dedans.debut] == ',' || c.texte[dedans.fin - 1] == ',')
        return false;
    const int32_t virgule = c.plusADroite(motifVirgule, dedans.profondeur, dedans.debut, dedans.fin - 1);
    if (virgule < 0)
        return false;
    premier = {dedans.debut, virgule, dedans.profondeur};
    second = {virgule + 1, dedans.fin, dedans.profondeur};
    return true;
}

// What one level of the text turned out to be.
struct Tnoeud {
    int32_t code = 0;          // base code before typing (element codes are final)
    int32_t nbOperandes = 0;
    int32_t variable = 0;      // element read: the variable's number, appended last
    Tplage premier;
    Tplage second;
};

enum class Trecherche { rien, trouve, erreur };

Trecherche echec(TdonneesCommunes& d) {
    signalerErreur(d, errSyntaxe);
    return Trecherche::erreur;
}

// The search for one operator or function name in the range: the rightmost
// occurrence outside every bracket is examined, and it either cuts the text
// into operand ranges, is not an operator (the sign of a number), or is
// misplaced (error 2).
Trecherche chercherOperateur(const Tcompilateur& c, int32_t motif, Tplage e, Tnoeud& noeud) {
    const Toperateur& op = motif < nbOperateurs ? operateurs[motif] : fonctions[motif - nbOperateurs];
    const int32_t n = static_cast<int32_t>(op.texte.size());
    const int32_t p = c.plusADroite(motif, e.profondeur, e.debut, e.fin - n);
    if (p < 0)
        return Trecherche::rien;
    const bool finDuTexte = p + n == e.fin;
    if (op.texte == "!" && !finDuTexte)
        return echec(c.d);
    Tgenre genre = op.genre;
    if (genre != Tgenre::postfixe && finDuTexte)
        return echec(c.d);
    const bool moinsUnaire = op.texte == "-" && p == e.debut;
    if (moinsUnaire)
        genre = Tgenre::prefixe;
    if (genre == Tgenre::infixe && p == e.debut)
        return echec(c.d);
    // A prefix, or a function name, must start its text.
    if (genre != Tgenre::infixe && genre != Tgenre::postfixe && p > e.debut)
        return echec(c.d);
    if (moinsUnaire && estChiffre(c.texte[p + 1]))
        return Trecherche::rien;   // the sign of a number: «-5*x» is (-5) * x

    noeud.code = moinsUnaire ? opOpposeReel : op.base;
    noeud.variable = 0;
    switch (genre) {
    case Tgenre::infixe:
        noeud.nbOperandes = 2;
        noeud.premier = {e.debut, p, e.profondeur};
        noeud.second = {p + n, e.fin, e.profondeur};
        break;
    case Tgenre::prefixe:
        noeud.nbOperandes = 1;
        noeud.premier = {e.debut + n, e.fin, e.profondeur};
        break;
    case Tgenre::postfixe:
        // Nothing may follow "premier" either: «n premier + 1» is refused.
        if (!finDuTexte)
            return echec(c.d);
        noeud.nbOperandes = 1;
        noeud.premier = {e.debut, p, e.profondeur};
        break;
    case Tgenre::fonction1:
    case Tgenre::fonction2: {
        const Tplage argument = rogner(c, {e.debut + n, e.fin, e.profondeur});
        if (argument.debut == argument.fin || c.texte[argument.debut] != '(')
            return echec(c.d);
        if (genre == Tgenre::fonction1) {
            noeud.nbOperandes = 1;
            noeud.premier = argument;
        } else {
            if (!couperArguments(c, argument, noeud.premier, noeud.second))
                return echec(c.d);
            noeud.nbOperandes = 2;
        }
        break;
    }
    }
    return Trecherche::trouve;
}

// A number, a variable or pi. No word is emitted: the result is the
// variable's own cell, pi's cell, or a new cell holding the constant.
bool compilerFeuille(const Tcompilateur& c, Tplage e, TexpressionCompilee& resultat) {
    TdonneesCommunes& d = c.d;
    const std::string_view t = c.vue(e);
    if (estLettre(t[0])) {
        if (t == "pi") {
            resultat = {typeReel, premiereCaseReelle};
            return true;
        }
        const int32_t v = chercherVariable(d, t);
        if (v == 0 || d.variables[v].nbIndices != 0)
            return signalerErreur(d, errSyntaxe);
        resultat = {d.variables[v].typeVariable, d.variables[v].premiereCase};
        return true;
    }
    if (t.find('.') != std::string_view::npos) {
        double valeur = 0.0;
        if (!lireReel(t, valeur))
            return signalerErreur(d, errSyntaxe);
        const int32_t cellule = d.reelLibre;
        if (!allouerReels(d, 1, valeur))
            return false;
        resultat = {typeReel, cellule};
        return true;
    }
    int32_t valeur = 0;
    if (!lireEntier(t, valeur))
        return signalerErreur(d, errSyntaxe);
    const int32_t cellule = d.entierLibre;
    if (!allouerEntiers(d, 1, valeur))
        return false;
    resultat = {typeEntier, cellule};
    return true;
}

// A text with a "(" and no operator: an element of a declared list or
// table, else a function call.
bool analyserAppel(const Tcompilateur& c, Tplage e, int32_t ouvrante, Tnoeud& noeud) {
    TdonneesCommunes& d = c.d;
    const Tplage nom = rogner(c, {e.debut, ouvrante, e.profondeur});
    const Tplage argument = {ouvrante, e.fin, e.profondeur};
    // A declared variable hides a function of the same name.
    if (const int32_t v = chercherVariable(d, c.vue(nom)); v != 0) {
        const Tvariable& variable = d.variables[v];
        const bool entier = variable.typeVariable == typeEntier;
        noeud.variable = v;
        if (variable.nbIndices == 1) {
            noeud.code = entier ? opElementListeEntier : opElementListeReel;
            noeud.nbOperandes = 1;
            noeud.premier = argument;
            return true;
        }
        if (variable.nbIndices == 2 && couperArguments(c, argument, noeud.premier, noeud.second)) {
            noeud.code = entier ? opElementTableauEntier : opElementTableauReel;
            noeud.nbOperandes = 2;
            return true;
        }
        return signalerErreur(d, errSyntaxe);
    }
    for (int32_t k = 0; k < nbFonctions; ++k) {
        switch (chercherOperateur(c, nbOperateurs + k, e, noeud)) {
        case Trecherche::trouve:
            return true;
        case Trecherche::erreur:
            return false;
        case Trecherche::rien:
            break;
        }
    }
    return signalerErreur(d, errSyntaxe);
}

enum class Tanalyse { erreur, feuille, operation };

// Normalises the range and finds what it is: a leaf (compiled at once into
// `feuille`) or an operation on operand ranges (`noeud`). Kept out of the
// recursive procedure so that its locals do not weigh on every level.
[[gnu::noinline]] Tanalyse analyserNoeud(const Tcompilateur& c, Tplage e, Tnoeud& noeud,
                                         TexpressionCompilee& feuille) {
    if (!normaliser(c, e))
        return Tanalyse::erreur;
    for (int32_t k = 0; k < nbOperateurs; ++k) {
        switch (chercherOperateur(c, k, e, noeud)) {
        case Trecherche::trouve:
            return Tanalyse::operation;
        case Trecherche::erreur:
            return Tanalyse::erreur;
        case Trecherche::rien:
            break;
        }
    }
    // In a balanced range no ")" comes before the first "(": it is at the
    // range's own depth.
    const int32_t ouvrante = c.plusAGauche(motifOuvrante, e.profondeur, e.debut, e.fin - 1);
    if (ouvrante < 0)
        return compilerFeuille(c, e, feuille) ? Tanalyse::feuille : Tanalyse::erreur;
    return analyserAppel(c, e, ouvrante, noeud) ? Tanalyse::operation : Tanalyse::erreur;
}

// A new result cell of the type, or 0 with error 3.
int32_t allouerResultat(TdonneesCommunes& d, int32_t type) {
    if (type == typeCondition)
        return allouerCondition(d);
    if (type == typeEntier) {
        const int32_t cellule = d.entierLibre;
        return allouerEntiers(d, 1, 0) ? cellule : 0;
    }
    const int32_t cellule = d.reelLibre;
    return allouerReels(d, 1, 0.0) ? cellule : 0;
}

// Types the operation, allocates its result cell and appends its words:
// code, operand cells, result cell, and the variable number of an element.
[[gnu::noinline]] TexpressionCompilee emettre(TdonneesCommunes& d, const Tnoeud& noeud,
                                              const TexpressionCompilee (&operandes)[2]) {
    Ttypage typage;
    const int32_t types[2] = {operandes[0].type, operandes[1].type};
    if (!typer(noeud.code, std::span<const int32_t>(types, noeud.nbOperandes == 1 ? 1 : 2), typage)) {
        signalerErreur(d, errSyntaxe);
        return {};
    }
    const int32_t resultat = allouerResultat(d, typage.type);
    if (d.codeErreur != 0)
        return {};
    int32_t mots[5];
    int32_t nbMots = 0;
    mots[nbMots++] = typage.code;
    mots[nbMots++] = operandes[0].cellule;
    if (noeud.nbOperandes == 2)
        mots[nbMots++] = operandes[1].cellule;
    mots[nbMots++] = resultat;
    if (noeud.variable != 0)
        mots[nbMots++] = noeud.variable;
    for (int32_t k = 0; k < nbMots; ++k)
        if (!ajouterMot(d, mots[k]))
            return {};
    return {typage.type, resultat};
}

// One level: its operands (the second one first), then its own words.
TexpressionCompilee compilerPlage(Tcompilateur& c, Tplage e) {
    TdonneesCommunes& d = c.d;
    if (d.codeErreur != 0)
        return {};
    if (c.niveau >= niveauxMax) {
        signalerErreur(d, errCapacites);
        return {};
    }
    Tnoeud noeud;
    TexpressionCompilee feuille;
    switch (analyserNoeud(c, e, noeud, feuille)) {
    case Tanalyse::erreur:
        return {};
    case Tanalyse::feuille:
        return feuille;
    case Tanalyse::operation:
        break;
    }
    TexpressionCompilee operandes[2];
    ++c.niveau;
    if (noeud.nbOperandes == 2)
        operandes[1] = compilerPlage(c, noeud.second);
    operandes[0] = compilerPlage(c, noeud.premier);
    --c.niveau;
    if (d.codeErreur != 0)
        return {};
    return emettre(d, noeud, operandes);
}

// Compiles one (sub)expression; does nothing when `codeErreur` is set.
TexpressionCompilee compilerSousExpression(TdonneesCommunes& d, std::string_view texte) {
    if (d.codeErreur != 0)
        return {};
    // The index relies on balanced brackets, which every caller has checked.
    if (!parenthesesEquilibrees(texte)) {
        signalerErreur(d, errParenthesage);
        return {};
    }
    if (static_cast<int64_t>(texte.size()) >= longueurMax) {
        signalerErreur(d, errCapacites);
        return {};
    }
    Tcompilateur c(d, texte);
    return compilerPlage(c, {0, static_cast<int32_t>(texte.size()), 0});
}

} // namespace

TexpressionCompilee compilerExpression(TdonneesCommunes& d, std::string_view texte) {
    if (d.codeErreur != 0)
        return {};
    if (!parenthesesEquilibrees(texte)) {
        signalerErreur(d, errParenthesage);
        return {};
    }
    return compilerSousExpression(d, texte);
}

bool ajouterMot(TdonneesCommunes& d, int32_t mot) {
    if (d.codeLibre < 1 || d.codeLibre > nbMotsCode)
        return signalerErreur(d, errCapacites);
    d.code[d.codeLibre++] = mot;
    return true;
}

int32_t allouerCondition(TdonneesCommunes& d) {
    if (d.conditionLibre < 1 || d.conditionLibre > nbConditionsMax) {
        signalerErreur(d, errCapacites);
        return 0;
    }
    return d.conditionLibre++;
}
