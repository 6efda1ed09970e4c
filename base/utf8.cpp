#include "base/utf8.h"

std::optional<char32_t> lireUtf8(std::string_view texte, size_t& i) {
    const auto c = static_cast<unsigned char>(texte[i++]);
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
        return std::nullopt;   // a continuation byte, 0xC0, 0xC1 (overlong) or 0xF5 and above
    }
    size_t j = i;
    for (int k = 0; k < suite; ++k, ++j) {
        if (j >= texte.size())
            return std::nullopt;
        const auto s = static_cast<unsigned char>(texte[j]);
        if ((s & 0xC0) != 0x80)
            return std::nullopt;
        point = (point << 6) | (s & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return std::nullopt;
    i = j;
    return point;
}

bool utf8Valide(std::string_view texte) {
    for (size_t i = 0; i < texte.size();)
        if (!lireUtf8(texte, i))
            return false;
    return true;
}

void ajouterUtf8(std::string& sortie, char32_t c) {
    if (c < 0x80) {
        sortie += static_cast<char>(c);
    } else if (c < 0x800) {
        sortie += static_cast<char>(0xC0 | (c >> 6));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        sortie += static_cast<char>(0xE0 | (c >> 12));
        sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        sortie += static_cast<char>(0xF0 | (c >> 18));
        sortie += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t lireUtf16(std::u16string_view unites, size_t& i) {
    const char32_t u = unites[i++];
    if (u >= 0xD800 && u <= 0xDBFF && i < unites.size() && unites[i] >= 0xDC00 && unites[i] <= 0xDFFF)
        return 0x10000 + ((u - 0xD800) << 10) + (unites[i++] - 0xDC00);
    return u >= 0xD800 && u <= 0xDFFF ? caractereRemplacement : u;
}

std::string utf8DepuisUtf16(std::u16string_view unites) {
    std::string sortie;
    sortie.reserve(unites.size());
    for (size_t i = 0; i < unites.size();)
        ajouterUtf8(sortie, lireUtf16(unites, i));
    return sortie;
}
