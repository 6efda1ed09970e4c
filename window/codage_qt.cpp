#include "window/codage_qt.h"

#include "base/codage.h"

QString depuis1252(std::string_view octets) {
    QString texte(static_cast<qsizetype>(octets.size()), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (char c : octets) {
        const auto o = static_cast<unsigned char>(c);
        *sortie++ = QChar(caractereDe1252(o));
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
        const int o = octetDe1252(c);
        octets += o < 0 ? '?' : static_cast<char>(o);
    }
    return octets;
}

bool caractere1252(char16_t c) { return octetDe1252(c) >= 0; }

QString texteQt(std::string_view octets) {
    QString texte = depuis1252(octets);
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return texte;
}
