#include "evaluation/formats.h"

#include "evaluation/reel_etendu.h"
#include "evaluation/reels_surs.h"

#include "base/compatibilite.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Longest text: a sign, 11 integer digits, "." and 11 decimals in the fixed
// form; a sign, 18 digits, "." and " x 10^(-324)" in the power-of-ten form.
constexpr size_t tailleTampon = 64;

struct Tmorceau {
    const char* debut;
    size_t longueur;
};

char* sansZerosFinaux(char* debut, char* fin) {
    if (!std::memchr(debut, '.', static_cast<size_t>(fin - debut)))
        return fin;
    while (fin[-1] == '0')
        --fin;
    if (fin[-1] == '.')
        --fin;
    return fin;
}

// k / unite written with d decimals, unite being 10^d.
char* ecrireDecimales(char* debut, char* limite, uint64_t k, uint64_t unite, int d) {
    char* fin = std::to_chars(debut, limite, k / unite).ptr;
    if (d == 0)
        return fin;
    *fin++ = '.';
    uint64_t reste = k % unite;
    for (int i = d; i-- > 0; reste /= 10)
        fin[i] = static_cast<char>('0' + reste % 10);
    return fin + d;
}

// k, a × p rounded to an integer, halves up, as from the extended product,
// found from the exact product in doubles (evaluation/reels_surs.h) while
// it is below 2^52. There the extended product is the exact one rounded to 64
// bits, less than 2^-13 away, so it lies on the same side of every integer
// and every half unless the exact product lies just below one of them
// (rounding never crosses a value it can hold): false then, and for an `a`
// too small to split. a and p are at most 10^11.
bool entierDecimal(double a, double p, uint64_t& k) {
    if (a == 0) {
        k = 0;
        return true;
    }
    if (a < 0x1p-900)
        return false;
    double y, erreur;
    reels::produitExact(a, p, y, erreur);
    if (!(y < 0x1p52))
        return false;
    const double n = std::floor(y);
    // Within 2^-52 of the exact fraction, and in (-1/4, 5/4): the error is at
    // most half the spacing of doubles at y.
    const double fraction = (y - n) + erreur;
    constexpr double marge = 0x1p-12;
    if (std::fabs(fraction) < marge || std::fabs(fraction - 0.5) < marge || std::fabs(fraction - 1) < marge)
        return false;
    k = static_cast<uint64_t>(n) + (fraction >= 0.5 ? 1 : 0);
    return true;
}

// Fixed form: the value rounded to d decimals, halves up, the product taken
// in extended precision. Below 10^15 the text is k's digits: the double
// nearest k / 10^d, less than 0.12 of the last decimal away, would print them
// back.
char* ecrireFixe(char* debut, char* limite, double a, int d) {
    double p = 1.0;
    for (int i = 0; i < d; ++i)
        p *= 10.0;
    constexpr uint64_t limiteChiffres = 1'000'000'000'000'000;
    uint64_t k64;
    if (!entierDecimal(a, p, k64) || k64 >= limiteChiffres) {
        // k stays an extended real: with 11 decimals it may go far beyond any
        // 64-bit integer.
        const Tetendu y = Tetendu(a) * Tetendu(p);
        Tetendu k = tronque(y);
        if (y - k >= Tetendu(0.5))
            k += Tetendu(1.0);
        const double entier = static_cast<double>(k);
        if (!(entier < limiteChiffres))
            return sansZerosFinaux(debut, ecrireDouble(debut, limite, static_cast<double>(k / p), false, d == 0 ? 1 : d));
        k64 = static_cast<uint64_t>(entier);
    }
    return sansZerosFinaux(debut, ecrireDecimales(debut, limite, k64, static_cast<uint64_t>(p), d));
}

// Power-of-ten form: 18 significant digits of the stored double.
char* ecrirePuissance(char* debut, char* limite, double a) {
    char* const finTexte = ecrireDouble(debut, limite, a, true, 17);
    char* e = static_cast<char*>(std::memchr(debut, 'e', static_cast<size_t>(finTexte - debut)));
    int exposant = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, finTexte, exposant);
    char* fin = sansZerosFinaux(debut, e);
    if (exposant != 0) {
        static constexpr char avant[] = " x 10^(";
        std::memcpy(fin, avant, sizeof avant - 1);
        fin += sizeof avant - 1;
        fin = std::to_chars(fin, limite, exposant).ptr;
        *fin++ = ')';
    }
    return fin;
}

Tmorceau ecrireReel(char (&tampon)[tailleTampon], double x, int32_t decimales) {
    const int d = decimales < 0 ? 0 : (decimales > 11 ? 11 : decimales);
    // Never reached by the system's arithmetic, which fails instead.
    if (std::isnan(x))
        return {"nan", 3};
    if (std::isinf(x))
        return x < 0 ? Tmorceau{"-inf", 4} : Tmorceau{"inf", 3};
    const double a = std::fabs(x);
    char* debut = tampon + 1;                 // room for the sign
    char* limite = tampon + tailleTampon;
    char* fin = (a >= 1e11 || (a <= 1e-11 && d == 11)) ? ecrirePuissance(debut, limite, a)
                                                       : ecrireFixe(debut, limite, a, d);
    const bool zero = fin - debut == 1 && *debut == '0';
    if (x < 0 && !zero)
        *--debut = '-';
    return {debut, static_cast<size_t>(fin - debut)};
}

} // namespace

std::string entierEnTexte(int32_t valeur) {
    char tampon[12];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    return std::string(tampon, r.ptr);
}

std::string naturelEnTexte(uint32_t valeur) {
    char tampon[12];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    return std::string(tampon, r.ptr);
}

std::string conditionEnTexte(uint8_t valeur) { return valeur ? "V" : "F"; }

std::string reelEnTexte(double x, int32_t decimales) {
    char tampon[tailleTampon];
    const Tmorceau m = ecrireReel(tampon, x, decimales);
    return std::string(m.debut, m.longueur);
}

std::string reelAffiche(double x) { return reelEnTexte(x, 8); }

void ajouterEntier(std::string& texte, int32_t valeur) {
    char tampon[12];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    texte.append(tampon, r.ptr);
}

void ajouterReel(std::string& texte, double x) {
    char tampon[tailleTampon];
    const Tmorceau m = ecrireReel(tampon, x, 8);
    texte.append(m.debut, m.longueur);
}

void ajouterValeur(std::string& texte, int32_t type, double valeur) {
    if (type == 1)
        ajouterEntier(texte, static_cast<int32_t>(valeur));
    else
        ajouterReel(texte, valeur);
}
