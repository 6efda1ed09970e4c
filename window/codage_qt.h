// Windows-1252 bytes <-> Qt strings. The core speaks Windows-1252; Qt speaks
// UTF-16. Latin-1 is not enough: bytes 0x80..0x9F differ.
#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

// Each byte becomes one character; the five bytes the code page leaves
// undefined become the control characters of the same number.
QString depuis1252(std::string_view octets);
// Each character becomes one byte; a character the code page lacks becomes
// "?" (a surrogate pair, one character, becomes one "?").
std::string vers1252(QStringView texte);
// True when Windows-1252 can store the character.
bool caractere1252(char16_t c);

// A text of the core (lines joined by CR LF, or lone CR or LF) as Qt text,
// with "\n" between lines.
QString texteQt(std::string_view octets);
