// Windows-1252 <-> UTF-8, for the edges that are not the Qt window (the
// console runner's output, readable literals in tables and tests).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// UTF-8 to Windows-1252; a character the code page lacks, or a malformed
// sequence, becomes "?".
std::string depuisUtf8(std::string_view utf8);

// True when every byte is below 0x80: the same text in both encodings.
bool estAscii(std::string_view texte);

// Windows-1252 to UTF-8; the five bytes the code page leaves undefined map to
// the control characters of the same number, as the usual converters do.
std::string versUtf8(std::string_view w1252);

// The Unicode character of one byte, and the byte of one character (-1 when
// the code page lacks it). The one table of the code page, for the window too.
char16_t caractereDe1252(unsigned char octet);
int octetDe1252(char32_t caractere);
