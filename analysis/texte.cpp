#include "analysis/texte.h"

#include "base/compatibilite.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace {

// The characters next to which a declaration line keeps no blank.
constexpr std::string_view separateurs = ":,#=;.[]()";

bool estSeparateur(char c) { return separateurs.find(c) != std::string_view::npos; }

// The integer conversion proper: optional leading blanks, optional sign,
// then decimal digits or hexadecimal digits after "$", "x" or "0x". Nothing
// may follow. The magnitude is gathered in 64 bits and refused as soon as it
// leaves the 32-bit range of its sign, so no length of digits overflows.
bool convertirEntier(std::string_view texte, int32_t& valeur) {
    size_t i = 0;
    while (i < texte.size() && texte[i] == ' ')
        ++i;
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        negatif = texte[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < texte.size() && (texte[i] == '$' || texte[i] == 'x')) {
        base = 16;
        ++i;
    } else if (i + 1 < texte.size() && texte[i] == '0' && texte[i + 1] == 'x') {
        base = 16;
        i += 2;
    }
    if (i >= texte.size())
        return false;
    const int64_t limite = negatif ? int64_t{2147483648} : int64_t{2147483647};
    int64_t magnitude = 0;
    for (; i < texte.size(); ++i) {
        const int chiffre = base == 16 ? valeurHexa(texte[i]) : (estChiffre(texte[i]) ? texte[i] - '0' : -1);
        if (chiffre < 0)
            return false;
        magnitude = magnitude * base + chiffre;
        if (magnitude > limite)
            return false;
    }
    valeur = static_cast<int32_t>(negatif ? -magnitude : magnitude);
    return true;
}

// True when the whole text is a decimal real: optional sign, digits with at
// most one ".", at least one digit, then an optional exponent "E" or "e" with
// an optional sign and at least one digit.
bool formeReelle(std::string_view texte) {
    size_t i = 0;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-'))
        ++i;
    size_t chiffres = 0;
    while (i < texte.size() && estChiffre(texte[i])) {
        ++i;
        ++chiffres;
    }
    if (i < texte.size() && texte[i] == '.') {
        ++i;
        while (i < texte.size() && estChiffre(texte[i])) {
            ++i;
            ++chiffres;
        }
    }
    if (chiffres == 0)
        return false;
    if (i < texte.size() && (texte[i] == 'E' || texte[i] == 'e')) {
        ++i;
        if (i < texte.size() && (texte[i] == '+' || texte[i] == '-'))
            ++i;
        size_t chiffresExposant = 0;
        while (i < texte.size() && estChiffre(texte[i])) {
            ++i;
            ++chiffresExposant;
        }
        if (chiffresExposant == 0)
            return false;
    }
    return i == texte.size();
}

// Rough decimal order of a nonzero number of the form above (the power of
// ten of its first nonzero digit), saturated; only its sign is used, to
// tell a number too large for a double from one too small.
int64_t ordreDeGrandeur(std::string_view texte) {
    size_t i = (texte.front() == '+' || texte.front() == '-') ? 1 : 0;
    int64_t ordre = 0;
    bool trouve = false;
    bool apresPoint = false;
    for (; i < texte.size() && texte[i] != 'E' && texte[i] != 'e'; ++i) {
        if (texte[i] == '.') {
            apresPoint = true;
        } else if (!trouve && texte[i] != '0') {
            trouve = true;
            ordre = apresPoint ? ordre - 1 : 0;
        } else if (trouve && !apresPoint) {
            ++ordre;
        } else if (!trouve && apresPoint) {
            --ordre;
        }
    }
    int64_t exposant = 0;
    bool exposantNegatif = false;
    if (i < texte.size()) {
        ++i;
        if (i < texte.size() && (texte[i] == '+' || texte[i] == '-'))
            exposantNegatif = texte[i++] == '-';
        for (; i < texte.size(); ++i)
            exposant = std::min<int64_t>(exposant * 10 + (texte[i] - '0'), int64_t{1} << 40);
    }
    return ordre + (exposantNegatif ? -exposant : exposant);
}

} // namespace

int valeurHexa(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string_view sansBlancsVue(std::string_view texte) {
    const size_t debut = texte.find_first_not_of(' ');
    if (debut == std::string_view::npos)
        return {};
    const size_t fin = texte.find_last_not_of(' ');
    return texte.substr(debut, fin - debut + 1);
}

void supprimerBlancs(std::string& texte) {
    const size_t fin = texte.find_last_not_of(' ');
    if (fin == std::string::npos) {
        texte.clear();
        return;
    }
    texte.erase(fin + 1);
    texte.erase(0, texte.find_first_not_of(' '));
}

std::string sansBlancs(std::string_view texte) { return std::string(sansBlancsVue(texte)); }

bool parenthesesEquilibrees(std::string_view texte) {
    int64_t profondeur = 0;
    for (const char c : texte) {
        if (c == '(') {
            ++profondeur;
        } else if (c == ')') {
            if (profondeur == 0)
                return false;
            --profondeur;
        }
    }
    return profondeur == 0;
}

bool entreParentheses(std::string_view texte) {
    return texte.size() >= 2 && texte.front() == '(' && texte.back() == ')' &&
           parenthesesEquilibrees(texte.substr(1, texte.size() - 2));
}

// Replacing the first occurrence again and again, literally, costs a pass
// over the text per replacement. Instead the text is read once: `resultat`
// is the part already read, which holds no occurrence; the first occurrence
// of the whole text is therefore the first one to end, and it shows up as a
// suffix of `resultat` the moment its last character is read. Its
// replacement goes back in front of the unread text (`enAttente`, kept
// reversed), since it may form a new occurrence with what precedes it.
void remplacerTout(std::string& texte, std::string_view motif, std::string_view remplacement) {
    if (motif.empty())
        return;
    if (remplacement.size() >= motif.size()) {
        // Not a shortening: the literal rule might never end; replace the
        // occurrences of the original text once each, from the left.
        std::string resultat;
        size_t debut = 0;
        for (size_t p = texte.find(motif); p != std::string::npos; p = texte.find(motif, debut)) {
            resultat.append(texte, debut, p - debut);
            resultat += remplacement;
            debut = p + motif.size();
        }
        if (debut == 0)
            return;
        resultat.append(texte, debut);
        texte = std::move(resultat);
        return;
    }
    if (texte.find(motif) == std::string::npos)
        return;
    std::string resultat;
    resultat.reserve(texte.size());
    std::string enAttente;
    size_t lu = 0;
    while (!enAttente.empty() || lu < texte.size()) {
        if (!enAttente.empty()) {
            resultat += enAttente.back();
            enAttente.pop_back();
        } else {
            resultat += texte[lu++];
        }
        if (resultat.size() >= motif.size() &&
            std::string_view(resultat).substr(resultat.size() - motif.size()) == motif) {
            resultat.resize(resultat.size() - motif.size());
            enAttente.append(remplacement.rbegin(), remplacement.rend());
        }
    }
    texte = std::move(resultat);
}

// Literally: trim, make "..." "..", then for blank and each separator in
// turn delete the blank of every "c " and then of every " c". The blank
// step leaves single blanks, and deleting a single blank never changes the
// neighbours of another one, so the later steps delete exactly the blanks
// that have a separator on either side. Two passes do it all.
void serrerSeparateurs(std::string& texte) {
    supprimerBlancs(texte);
    remplacerTout(texte, "...", "..");
    std::string simples;
    simples.reserve(texte.size());
    for (const char c : texte)
        if (c != ' ' || simples.empty() || simples.back() != ' ')
            simples += c;
    texte.clear();
    for (size_t i = 0; i < simples.size(); ++i) {
        const char c = simples[i];
        if (c == ' ' && ((i > 0 && estSeparateur(simples[i - 1])) ||
                         (i + 1 < simples.size() && estSeparateur(simples[i + 1]))))
            continue;
        texte += c;
    }
}

bool lirePlage(std::string_view texte, int32_t& borneMin, int32_t& borneMax) {
    const std::string_view plage = sansBlancsVue(texte);
    const size_t p = plage.find("..");
    // Something before and something after the "..".
    if (p == std::string_view::npos || p == 0 || p + 2 >= plage.size())
        return false;
    int32_t bas = 0;
    int32_t haut = 0;
    if (!convertirEntier(plage.substr(0, p), bas) || !convertirEntier(plage.substr(p + 2), haut))
        return false;
    if (bas < 0 || bas >= haut)
        return false;
    borneMin = bas;
    borneMax = haut;
    return true;
}

bool lireEntier(std::string_view texte, int32_t& valeur) {
    return convertirEntier(sansBlancsVue(texte), valeur);
}

// The grammar is checked here, so the conversion never sees "inf", "nan",
// hexadecimal or a comma; a value beyond the double range is refused.
bool lireReel(std::string_view texte, double& valeur) {
    const std::string_view nombre = sansBlancsVue(texte);
    if (!formeReelle(nombre))
        return false;
    // The reading takes no leading "+".
    const std::string_view sansPlus = nombre.front() == '+' ? nombre.substr(1) : nombre;
    double resultat = 0.0;
    const auto [fin, erreur] = lireDouble(sansPlus.data(), sansPlus.data() + sansPlus.size(), resultat);
    if (erreur == std::errc::result_out_of_range) {
        // Beyond the doubles: too large is refused, too small reads as a zero of its sign.
        if (ordreDeGrandeur(sansPlus) > 0)
            return false;
        resultat = sansPlus.front() == '-' ? -0.0 : 0.0;
    } else if (erreur != std::errc() || fin != sansPlus.data() + sansPlus.size() || !std::isfinite(resultat)) {
        return false;
    }
    valeur = resultat;
    return true;
}

bool separerIndices(std::string_view texte, std::string& premier, std::string& second) {
    const std::string_view groupe = sansBlancsVue(texte);
    if (!entreParentheses(groupe))
        return false;
    const std::string_view dedans = sansBlancsVue(groupe.substr(1, groupe.size() - 2));
    if (dedans.empty() || dedans.front() == ',' || dedans.back() == ',' ||
        dedans.find(',') == std::string_view::npos)
        return false;
    int64_t profondeur = 0;
    for (size_t i = dedans.size(); i-- > 0;) {
        const char c = dedans[i];
        if (c == ')') {
            ++profondeur;
        } else if (c == '(') {
            --profondeur;
        } else if (c == ',' && profondeur == 0) {
            premier = std::string(dedans.substr(0, i));
            second = std::string(dedans.substr(i + 1));
            return true;
        }
    }
    return false;
}

size_t premiereOccurrence(std::string_view texte, std::string_view motif) {
    if (motif.empty())
        return 0;
    // Knuth-Morris-Pratt: bord[k] is the length of the longest proper border
    // of the motif's first k + 1 characters.
    std::vector<size_t> bord(motif.size(), 0);
    for (size_t k = 1, n = 0; k < motif.size(); ++k) {
        while (n > 0 && motif[k] != motif[n])
            n = bord[n - 1];
        if (motif[k] == motif[n])
            ++n;
        bord[k] = n;
    }
    for (size_t i = 0, n = 0; i < texte.size(); ++i) {
        while (n > 0 && texte[i] != motif[n])
            n = bord[n - 1];
        if (texte[i] == motif[n] && ++n == motif.size())
            return i + 1 - n;
    }
    return std::string_view::npos;
}
