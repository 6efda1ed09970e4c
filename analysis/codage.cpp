#include "analysis/codage.h"

#include <cstdint>

namespace {

// Unicode code points of bytes 0x80..0x9F in Windows-1252; the five undefined
// bytes map to the C1 control of the same number.
constexpr uint16_t zone80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char versOctet(uint32_t point) {
    const int octet = octetDe1252(point);
    return octet < 0 ? '?' : static_cast<char>(octet);
}

void ajouterUtf8(std::string& sortie, uint32_t point) {
    if (point < 0x80) {
        sortie += static_cast<char>(point);
    } else if (point < 0x800) {
        sortie += static_cast<char>(0xC0 | (point >> 6));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    } else {
        sortie += static_cast<char>(0xE0 | (point >> 12));
        sortie += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (point & 0x3F));
    }
}

} // namespace

char16_t caractereDe1252(unsigned char octet) {
    return octet >= 0x80 && octet < 0xA0 ? zone80[octet - 0x80] : static_cast<char16_t>(octet);
}

int octetDe1252(char32_t caractere) {
    if (caractere < 0x80 || (caractere >= 0xA0 && caractere <= 0xFF))
        return static_cast<int>(caractere);
    for (int i = 0; i < 32; ++i)
        if (zone80[i] == caractere)
            return 0x80 + i;
    return -1;
}

std::string depuisUtf8(std::string_view utf8) {
    std::string sortie;
    sortie.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        int suite = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (suite < 0 || i + suite >= utf8.size()) {
            sortie += '?';
            ++i;
            continue;
        }
        uint32_t point = suite == 0 ? c : (c & (0x3F >> suite));
        bool valide = true;
        for (int k = 1; k <= suite; ++k) {
            const auto s = static_cast<unsigned char>(utf8[i + k]);
            if ((s >> 6) != 2) { valide = false; break; }
            point = (point << 6) | (s & 0x3F);
        }
        if (!valide) {
            sortie += '?';
            ++i;
            continue;
        }
        sortie += versOctet(point);
        i += suite + 1;
    }
    return sortie;
}

std::string versUtf8(std::string_view w1252) {
    std::string sortie;
    sortie.reserve(w1252.size() + w1252.size() / 8);
    for (char c : w1252) {
        const auto o = static_cast<unsigned char>(c);
        if (o < 0x80)
            sortie += c;
        else
            ajouterUtf8(sortie, caractereDe1252(o));
    }
    return sortie;
}
