#include "tools/verifier/textes_rapport.h"

#include "base/codage.h"
#include "base/csv.h"
#include "base/utf8.h"

#include <cctype>

namespace {

bool estNombre(std::string_view s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t chiffres = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
        ++i, ++chiffres;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i, ++chiffres;
    }
    if (chiffres == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const size_t debut = i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])))
            ++i;
        if (i == debut)
            return false;
    }
    return i == s.size();
}

} // namespace

std::string nomLisible(std::string_view octets) {
    constexpr char chiffres[] = "0123456789ABCDEF";
    std::string r;
    r.reserve(octets.size());
    for (size_t i = 0; i < octets.size();) {
        const size_t debut = i;
        const std::optional<char32_t> c = lireUtf8(octets, i);
        if (!c || *c < 0x20 || (*c >= 0x7F && *c < 0xA0)) {
            // Invalid bytes and control characters, each byte as \xHH.
            for (size_t k = debut; k < i; ++k) {
                const auto o = static_cast<unsigned char>(octets[k]);
                r += "\\x";
                r += chiffres[o >> 4];
                r += chiffres[o & 15];
            }
            continue;
        }
#ifndef _WIN32
        if (*c == '\\')   // so that an escape in the name itself reads apart
            r += '\\';
#endif
        r.append(octets.substr(debut, i - debut));
    }
    return r;
}

std::string sansControles(std::string_view s) {
    std::string r;
    r.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x20 || c == 0x7F) {
            r += "\xEF\xBF\xBD";
        } else if (c == 0xC2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(s[i + 1]) <= 0x9F) {
            r += "\xEF\xBF\xBD";   // U+0080..U+009F
            ++i;
        } else {
            r += static_cast<char>(c);
        }
    }
    return r;
}

size_t largeur(std::string_view utf8) {
    size_t n = 0;
    for (const char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::string champCsvSansFormule(std::string_view utf8) {
    const bool formule = !utf8.empty() && std::string_view("=+-@\t\r").find(utf8[0]) != std::string_view::npos &&
                         !estNombre(utf8);
    std::string champ;
    if (formule)
        champ += '\'';
    champ += utf8;
    return champCsv(champ);
}

std::string echapperHtml(std::string_view utf8) {
    std::string r;
    r.reserve(utf8.size() + utf8.size() / 8);
    for (const char c : utf8) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '"': r += "&quot;"; break;
        case '\'': r += "&#39;"; break;
        default: r += c;
        }
    }
    return r;
}
