// UTF-8, the one codec of the project: every reader and writer of UTF-8
// (file decoding, the console's output, the reports, the window's pane)
// goes through these.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// What a malformed sequence or a lone surrogate stands for.
constexpr char32_t caractereRemplacement = 0xFFFD;

// The character at `i`, with `i` moved past it; nullopt for a malformed
// sequence (an overlong form, a surrogate, a value past U+10FFFF, a missing
// or stray continuation byte), with `i` moved past its first byte only.
std::optional<char32_t> lireUtf8(std::string_view texte, size_t& i);

// True when the whole text is well-formed UTF-8.
bool utf8Valide(std::string_view texte);

// Appends the UTF-8 form of a character (at most U+10FFFF, no surrogate).
void ajouterUtf8(std::string& sortie, char32_t caractere);

// The character at `i` of UTF-16 code units, with `i` moved past it; a lone
// surrogate gives U+FFFD.
char32_t lireUtf16(std::u16string_view unites, size_t& i);

// UTF-16 code units to UTF-8 (Windows' wide strings).
std::string utf8DepuisUtf16(std::u16string_view unites);
