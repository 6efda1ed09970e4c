// Program files from any editor. A file written in UTF-8 or UTF-16 becomes
// the Windows-1252 text the core reads, and tabs become blanks, so that the
// window's Open and the console runner read every file alike. A file that is
// not plainly UTF-8 is read byte for byte, as always.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum TcodageFichier : uint8_t {
    codageWindows1252,   // the program file format: read as is
    codageUtf8,          // with or without its byte order mark
    codageUtf16,         // with its byte order mark, either byte order
};

// Tab stops fall every this many columns (the editor's Tab key too).
constexpr size_t largeurTabulation = 4;

struct TfichierDecode {
    std::string texte;                  // Windows-1252, line ends as in the file
    TcodageFichier codage = codageWindows1252;
    size_t caracteresRemplaces = 0;     // characters the code page lacks, now "?"
    size_t tabulations = 0;             // tabs, now blanks
    size_t finsLf = 0;                  // line ends LF alone, and CR alone: a save
    size_t finsCr = 0;                  // writes every line end as CR LF
};

// Reads a file's bytes: a UTF-8 or UTF-16 byte order mark, or valid UTF-8
// holding at least one byte of 0x80 or more, is decoded and converted (a
// malformed sequence after a mark becomes "?"); any other file is taken as
// Windows-1252 bytes. Tabs are then replaced, and the line ends counted.
TfichierDecode decoderFichier(std::string_view octets);

// Replaces each tab of a Windows-1252 text by blanks up to the next tab
// stop; `colonne` is the column the text starts at. Gives the tabs replaced.
size_t remplacerTabulations(std::string& texte, size_t colonne = 0);

// What the reading changed, in a line for the user (Windows-1252); empty
// when the file was read as it is.
std::string noteDecodage(const TfichierDecode& fichier);
