#include "base/codage.h"

#include "base/utf8.h"

#include <cstdint>
#include <cstring>

namespace {

// Unicode code points of bytes 0x80..0x9F in Windows-1252; the five undefined
// bytes map to the C1 control of the same number.
constexpr uint16_t zone80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

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
    for (size_t i = 0; i < utf8.size();) {
        const int octet = octetDe1252(lireUtf8(utf8, i).value_or(caractereRemplacement));
        sortie += octet < 0 ? '?' : static_cast<char>(octet);
    }
    return sortie;
}

bool estAscii(std::string_view texte) {
    // Eight bytes at a time: WebAssembly has no vectors to do it byte by byte.
    constexpr uint64_t bitsForts = 0x8080808080808080;
    uint64_t union8 = 0;
    size_t i = 0;
    for (; i + 8 <= texte.size(); i += 8) {
        uint64_t mot;
        std::memcpy(&mot, texte.data() + i, 8);
        union8 |= mot;
    }
    uint8_t reste = 0;
    for (; i < texte.size(); ++i)
        reste |= static_cast<uint8_t>(texte[i]);
    return (union8 & bitsForts) == 0 && reste < 0x80;
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
