#include "evaluation/formats.h"

#include "evaluation/reel_etendu.h"

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

// Fixed form: the value rounded to d decimals, halves up, the product taken
// in extended precision. k stays an extended real: with 11 decimals it may go
// far beyond any 64-bit integer.
char* ecrireFixe(char* debut, char* limite, double a, int d) {
    double p = 1.0;
    for (int i = 0; i < d; ++i)
        p *= 10.0;
    const Tetendu y = Tetendu(a) * Tetendu(p);
    Tetendu k = tronque(y);
    if (y - k >= Tetendu(0.5))
        k += Tetendu(1.0);
    // Below 10^15 the text is k's digits: the double nearest k / 10^d, less
    // than 0.12 of the last decimal away, would print them back.
    const double entier = static_cast<double>(k);
    if (entier < 1e15)
        return sansZerosFinaux(debut, ecrireDecimales(debut, limite, static_cast<uint64_t>(entier),
                                                        static_cast<uint64_t>(p), d));
    const double arrondi = static_cast<double>(k / p);
    return sansZerosFinaux(debut, ecrireDouble(debut, limite, arrondi, false, d == 0 ? 1 : d));
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
