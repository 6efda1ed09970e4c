#include "window/codage_qt.h"

#include <cstdint>

namespace {

// Characters of bytes 0x80..0x9F; the undefined bytes keep their own number.
constexpr char16_t zone80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

int octet1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (zone80[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

QString depuis1252(std::string_view octets) {
    QString texte(static_cast<qsizetype>(octets.size()), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (char c : octets) {
        const auto o = static_cast<unsigned char>(c);
        *sortie++ = QChar(o >= 0x80 && o < 0xA0 ? zone80[o - 0x80] : static_cast<char16_t>(o));
    }
    return texte;
}

std::string vers1252(QStringView texte) {
    std::string octets;
    octets.reserve(static_cast<size_t>(texte.size()));
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < texte.size() && QChar::isLowSurrogate(texte[i + 1].unicode()))
            ++i;
        const int o = octet1252(c);
        octets += o < 0 ? '?' : static_cast<char>(o);
    }
    return octets;
}

bool caractere1252(char16_t c) { return octet1252(c) >= 0; }

QString texteQt(std::string_view octets) {
    QString texte = depuis1252(octets);
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texte;
}
