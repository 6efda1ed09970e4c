// Windows-1252 <-> UTF-8, for the edges that are not the Qt window (the
// console runner's output, readable literals in tables and tests).
#pragma once

#include <string>
#include <string_view>

// UTF-8 to Windows-1252; a character the code page lacks, or a malformed
// sequence, becomes "?".
std::string depuisUtf8(std::string_view utf8);

// Windows-1252 to UTF-8; the five bytes the code page leaves undefined map to
// the control characters of the same number, as the usual converters do.
std::string versUtf8(std::string_view w1252);
