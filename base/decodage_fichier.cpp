#include "base/decodage_fichier.h"

#include "base/codage.h"
#include "base/utf8.h"

#include <algorithm>

namespace {

// Valid UTF-8 with at least one byte of 0x80 or more: plain ASCII and
// Windows-1252 text with accents are not.
bool plainementUtf8(std::string_view octets) {
    const bool auDelaAscii = std::any_of(octets.begin(), octets.end(),
                                         [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return auDelaAscii && utf8Valide(octets);
}

void ajouter(TfichierDecode& f, char32_t point) {
    const int octet = point == caractereRemplacement ? -1 : octetDe1252(point);
    if (octet < 0)
        ++f.caracteresRemplaces;
    f.texte += octet < 0 ? '?' : static_cast<char>(octet);
}

void decoderUtf8(TfichierDecode& f, std::string_view octets) {
    f.texte.reserve(octets.size());
    for (size_t i = 0; i < octets.size();)
        ajouter(f, lireUtf8(octets, i).value_or(caractereRemplacement));
}

void decoderUtf16(TfichierDecode& f, std::string_view octets, bool grandBoutiste) {
    std::u16string unites(octets.size() / 2, u'\0');
    for (size_t k = 0; k < unites.size(); ++k) {
        const auto a = static_cast<unsigned char>(octets[2 * k]);
        const auto b = static_cast<unsigned char>(octets[2 * k + 1]);
        unites[k] = static_cast<char16_t>(grandBoutiste ? (a << 8) | b : (b << 8) | a);
    }
    f.texte.reserve(unites.size());
    for (size_t i = 0; i < unites.size();)
        ajouter(f, lireUtf16(unites, i));
    if (octets.size() % 2 != 0)   // an odd last byte
        ajouter(f, caractereRemplacement);
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
