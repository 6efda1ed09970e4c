// Reading a text file's bytes as the program text the core works on
// (Windows-1252): files written by today's editors in UTF-8 or UTF-16 are
// converted, and a Windows-1252 file is never misread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class Tcodage : uint8_t { windows1252, utf8, utf16le, utf16be };

struct TtexteDecode {
    std::string texte;                     // Windows-1252
    Tcodage codage = Tcodage::windows1252; // how the bytes were read
    size_t remplaces = 0;                  // characters the code page lacks, now "?"
};

// A file that starts with a UTF-8 or UTF-16 byte order mark, or that is valid
// UTF-8 holding at least one byte of 0x80 or more, is decoded as such (the
// mark dropped); any other bytes are Windows-1252 already and kept as they are.
TtexteDecode decoderTexte(std::string_view octets);
