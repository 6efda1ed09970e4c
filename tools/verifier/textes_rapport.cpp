#include "tools/verifier/textes_rapport.h"

#include "analysis/codage.h"
#include "analysis/csv.h"

#include <cctype>

namespace {

// The length of the valid UTF-8 sequence at `i`, or 0.
size_t sequenceUtf8(std::string_view s, size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (n == 0 || i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k)
        if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
            return 0;
    const auto d = static_cast<unsigned char>(s[i + 1 < s.size() ? i + 1 : i]);
    if ((c == 0xE0 && d < 0xA0) || (c == 0xED && d >= 0xA0) || (c == 0xF0 && d < 0x90) || (c == 0xF4 && d >= 0x90))
        return 0;   // overlong, surrogate or beyond U+10FFFF
    return n;
}

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
        const auto c = static_cast<unsigned char>(octets[i]);
        const size_t n = sequenceUtf8(octets, i);
        const bool controle =
            c < 0x20 || c == 0x7F || (c == 0xC2 && n == 2 && static_cast<unsigned char>(octets[i + 1]) < 0xA0);
        if (n == 0 || controle) {
            for (size_t k = 0; k < (n == 0 ? 1 : n); ++k) {
                const auto o = static_cast<unsigned char>(octets[i + k]);
                r += "\\x";
                r += chiffres[o >> 4];
                r += chiffres[o & 15];
            }
            i += n == 0 ? 1 : n;
            continue;
        }
#ifndef _WIN32
        if (c == '\\')   // so that an escape in the name itself reads apart
            r += '\\';
#endif
        r.append(octets.substr(i, n));
        i += n;
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
