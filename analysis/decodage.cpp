#include "analysis/decodage.h"

#include "analysis/codage.h"

namespace {

constexpr std::string_view marqueUtf8 = "\xEF\xBB\xBF";
constexpr std::string_view marqueUtf16le = "\xFF\xFE";
constexpr std::string_view marqueUtf16be = "\xFE\xFF";
constexpr char32_t remplacement = 0xFFFD;

// The code point that starts at `i`, strictly: no overlong form, no
// surrogate, nothing above U+10FFFF. False for a malformed sequence.
bool pointUtf8(std::string_view s, size_t& i, char32_t& point) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        point = c;
        ++i;
        return true;
    }
    int suite = 0;
    char32_t minimum = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        suite = 1, minimum = 0x80, point = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        suite = 2, minimum = 0x800, point = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        suite = 3, minimum = 0x10000, point = c & 0x07;
    } else {
        return false;
    }
    if (i + static_cast<size_t>(suite) >= s.size())
        return false;
    for (int k = 1; k <= suite; ++k) {
        const auto o = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((o & 0xC0) != 0x80)
            return false;
        point = (point << 6) | (o & 0x3F);
    }
    if (point < minimum || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return false;
    i += static_cast<size_t>(suite) + 1;
    return true;
}

bool utf8Valide(std::string_view s, bool& auDelaAscii) {
    auDelaAscii = false;
    size_t i = 0;
    char32_t point = 0;
    while (i < s.size()) {
        if (!pointUtf8(s, i, point))
            return false;
        auDelaAscii = auDelaAscii || point >= 0x80;
    }
    return true;
}

void ajouter(TtexteDecode& r, char32_t point) {
    const int octet = point == remplacement ? -1 : octetDe1252(point);
    if (octet < 0) {
        r.texte += '?';
        ++r.remplaces;
    } else {
        r.texte += static_cast<char>(octet);
    }
}

void decoderUtf8(std::string_view s, TtexteDecode& r) {
    r.texte.reserve(s.size());
    size_t i = 0;
    char32_t point = 0;
    while (i < s.size()) {
        if (!pointUtf8(s, i, point)) {   // only after a byte order mark
            point = remplacement;
            ++i;
        }
        ajouter(r, point);
    }
}

void decoderUtf16(std::string_view s, bool grandBoutiste, TtexteDecode& r) {
    r.texte.reserve(s.size() / 2 + 1);
    const auto unite = [&](size_t i) {
        const auto a = static_cast<unsigned char>(s[i]);
        const auto b = static_cast<unsigned char>(s[i + 1]);
        return static_cast<char32_t>(grandBoutiste ? (a << 8) | b : (b << 8) | a);
    };
    size_t i = 0;
    while (i + 1 < s.size()) {
        char32_t point = unite(i);
        i += 2;
        if (point >= 0xD800 && point <= 0xDBFF && i + 1 < s.size()) {
            const char32_t bas = unite(i);
            if (bas >= 0xDC00 && bas <= 0xDFFF) {
                point = 0x10000 + ((point - 0xD800) << 10) + (bas - 0xDC00);
                i += 2;
            }
        }
        if (point >= 0xD800 && point <= 0xDFFF)
            point = remplacement;
        ajouter(r, point);
    }
    if (i < s.size())   // an odd last byte
        ajouter(r, remplacement);
}

} // namespace

TtexteDecode decoderTexte(std::string_view octets) {
    TtexteDecode r;
    bool auDelaAscii = false;
    if (octets.starts_with(marqueUtf8)) {
        r.codage = Tcodage::utf8;
        decoderUtf8(octets.substr(marqueUtf8.size()), r);
    } else if (octets.starts_with(marqueUtf16le)) {
        r.codage = Tcodage::utf16le;
        decoderUtf16(octets.substr(2), false, r);
    } else if (octets.starts_with(marqueUtf16be)) {
        r.codage = Tcodage::utf16be;
        decoderUtf16(octets.substr(2), true, r);
    } else if (utf8Valide(octets, auDelaAscii) && auDelaAscii) {
        r.codage = Tcodage::utf8;
        decoderUtf8(octets, r);
    } else {
        r.texte.assign(octets);
    }
    return r;
}
