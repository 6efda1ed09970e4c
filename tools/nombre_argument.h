// A whole number given on a console tool's command line.
#pragma once

#include <charconv>
#include <string_view>

// True when the whole text is the decimal number (no sign for an unsigned
// type, no blank, nothing after it) and it fits in `valeur`.
template <typename T>
bool lireNombre(std::string_view texte, T& valeur) {
    if (texte.empty())
        return false;
    const auto r = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    return r.ec == std::errc() && r.ptr == texte.data() + texte.size();
}
