#include "analysis/decodage_fichier.h"

#include "analysis/codage.h"

#include <optional>

namespace {

constexpr char32_t remplacement = 0xFFFD;   // any malformed sequence

// One character of UTF-8 from `i`, which it moves past; nullopt (and `i`
// past the first byte) for a malformed sequence: an overlong form, a
// surrogate, a value past U+10FFFF, a missing or stray continuation byte.
std::optional<char32_t> caractereUtf8(std::string_view octets, size_t& i) {
    const auto c = static_cast<unsigned char>(octets[i++]);
    if (c < 0x80)
        return c;
    int suite;
    char32_t point;
    char32_t minimum;
    if (c >= 0xC2 && c <= 0xDF) {
        suite = 1, point = c & 0x1F, minimum = 0x80;
    } else if (c >= 0xE0 && c <= 0xEF) {
        suite = 2, point = c & 0x0F, minimum = 0x800;
    } else if (c >= 0xF0 && c <= 0xF4) {
        suite = 3, point = c & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    size_t j = i;
    for (int k = 0; k < suite; ++k, ++j) {
        if (j >= octets.size())
            return std::nullopt;
        const auto s = static_cast<unsigned char>(octets[j]);
        if ((s & 0xC0) != 0x80)
            return std::nullopt;
        point = (point << 6) | (s & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return std::nullopt;
    i = j;
    return point;
}

// Valid UTF-8 with at least one byte of 0x80 or more: plain ASCII and
// Windows-1252 text with accents are not.
bool plainementUtf8(std::string_view octets) {
    bool auDelaAscii = false;
    for (size_t i = 0; i < octets.size();) {
        auDelaAscii = auDelaAscii || static_cast<unsigned char>(octets[i]) >= 0x80;
        if (!caractereUtf8(octets, i))
            return false;
    }
    return auDelaAscii;
}

void ajouter(TfichierDecode& f, char32_t point) {
    const int octet = point == remplacement ? -1 : octetDe1252(point);
    if (octet < 0)
        ++f.caracteresRemplaces;
    f.texte += octet < 0 ? '?' : static_cast<char>(octet);
}

void decoderUtf8(TfichierDecode& f, std::string_view octets) {
    f.texte.reserve(octets.size());
    for (size_t i = 0; i < octets.size();)
        ajouter(f, caractereUtf8(octets, i).value_or(remplacement));
}

void decoderUtf16(TfichierDecode& f, std::string_view octets, bool grandBoutiste) {
    const auto unite = [&](size_t i) {
        const auto a = static_cast<unsigned char>(octets[i]);
        const auto b = static_cast<unsigned char>(octets[i + 1]);
        return static_cast<char32_t>(grandBoutiste ? (a << 8) | b : (b << 8) | a);
    };
    f.texte.reserve(octets.size() / 2);
    size_t i = 0;
    for (; i + 1 < octets.size(); i += 2) {
        const char32_t u = unite(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < octets.size() && unite(i + 2) >= 0xDC00 && unite(i + 2) <= 0xDFFF) {
            ajouter(f, 0x10000 + ((u - 0xD800) << 10) + (unite(i + 2) - 0xDC00));
            i += 2;
        } else {
            ajouter(f, u >= 0xD800 && u <= 0xDFFF ? remplacement : u);
        }
    }
    if (i < octets.size())   // an odd last byte
        ajouter(f, remplacement);
}

bool commencePar(std::string_view octets, std::string_view marque) { return octets.substr(0, marque.size()) == marque; }

std::string pluriel(size_t n, const char* singulier, const char* plurielUtf8) {
    return std::to_string(n) + " " + depuisUtf8(n > 1 ? plurielUtf8 : singulier);
}

} // namespace

TfichierDecode decoderFichier(std::string_view octets) {
    TfichierDecode f;
    if (commencePar(octets, "\xEF\xBB\xBF")) {
        f.codage = codageUtf8;
        decoderUtf8(f, octets.substr(3));
    } else if (commencePar(octets, "\xFF\xFE") || commencePar(octets, "\xFE\xFF")) {
        f.codage = codageUtf16;
        decoderUtf16(f, octets.substr(2), octets[0] == '\xFE');
    } else if (plainementUtf8(octets)) {
        f.codage = codageUtf8;
        decoderUtf8(f, octets);
    } else {
        f.texte.assign(octets);
    }
    f.tabulations = remplacerTabulations(f.texte);
    for (size_t i = 0; i < f.texte.size(); ++i) {
        if (f.texte[i] == '\n')
            ++f.finsLf;
        else if (f.texte[i] == '\r' && (i + 1 == f.texte.size() || f.texte[i + 1] != '\n'))
            ++f.finsCr;
        else if (f.texte[i] == '\r')
            ++i;   // CR LF, as the file format has it
    }
    return f;
}

size_t remplacerTabulations(std::string& texte, size_t colonne) {
    if (texte.find('\t') == std::string::npos)
        return 0;
    std::string sortie;
    sortie.reserve(texte.size() + texte.size() / 4);
    size_t tabulations = 0;
    for (const char c : texte) {
        if (c == '\t') {
            const size_t blancs = largeurTabulation - colonne % largeurTabulation;
            sortie.append(blancs, ' ');
            colonne += blancs;
            ++tabulations;
        } else {
            sortie += c;
            colonne = (c == '\r' || c == '\n') ? 0 : colonne + 1;
        }
    }
    texte = std::move(sortie);
    return tabulations;
}

std::string noteDecodage(const TfichierDecode& fichier) {
    std::string note;
    const auto ajouterPartie = [&note](const std::string& partie) {
        note += note.empty() ? partie : " ; " + partie;
    };
    if (fichier.codage != codageWindows1252)
        ajouterPartie(depuisUtf8(fichier.codage == codageUtf8 ? "Fichier lu en UTF-8" : "Fichier lu en UTF-16") +
                      depuisUtf8(" : il sera enregistré en Windows-1252"));
    if (fichier.caracteresRemplaces > 0)
        ajouterPartie(pluriel(fichier.caracteresRemplaces, "caractère remplacé par « ? »",
                              "caractères remplacés par « ? »"));
    if (fichier.tabulations > 0)
        ajouterPartie(pluriel(fichier.tabulations, "tabulation remplacée par des blancs",
                              "tabulations remplacées par des blancs"));
    if (fichier.finsLf > 0 || fichier.finsCr > 0)
        ajouterPartie(depuisUtf8(fichier.finsCr == 0 ? "fins de ligne LF" : fichier.finsLf == 0 ? "fins de ligne CR"
                                                                                                : "fins de ligne LF et CR") +
                      depuisUtf8(", enregistrées en CR LF"));
    return note;
}
