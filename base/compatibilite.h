// What a standard library may still lack, in one place: clang 14's libc++
// (the WebAssembly build, scripts/web.sh) has no std::bit_cast and no
// std::to_chars / std::from_chars for doubles. Elsewhere the standard forms
// are used; the C library's forms, taken only where charconv lacks doubles,
// follow the locale, which there is always "C".
#pragma once

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <system_error>

// std::bit_cast: the same bits seen as another type of the same size.
template <typename Vers, typename De>
constexpr Vers bitsEnType(const De& de) noexcept {
    static_assert(sizeof(Vers) == sizeof(De));
    return __builtin_bit_cast(Vers, de);
}

// The C library's twins of the charconv calls below (always compiled, so the
// native tests compare them with charconv). Read: [debut, fin) holds a
// decimal number without blanks or "+"; out of range as from_chars says it
// (too large, or too small for even a denormal), a denormal accepted.
inline std::from_chars_result lireDoubleC(const char* debut, const char* fin, double& valeur) {
    const std::string copie(debut, fin);
    char* finLue = nullptr;
    errno = 0;
    const double lu = std::strtod(copie.c_str(), &finLue);
    const char* arret = debut + (finLue - copie.c_str());
    if (finLue == copie.c_str())
        return {debut, std::errc::invalid_argument};
    if (errno == ERANGE && (lu == 0.0 || std::isinf(lu)))
        return {arret, std::errc::result_out_of_range};
    valeur = lu;
    return {arret, std::errc()};
}

// Writes x with `chiffres` decimals (fixe) or as d.ddd…e±XX with `chiffres`
// decimals (scientifique), rounded exactly; returns the end of the text.
inline char* ecrireDoubleC(char* debut, char* limite, double x, bool scientifique, int chiffres) {
    const int n = std::snprintf(debut, static_cast<size_t>(limite - debut), scientifique ? "%.*e" : "%.*f", chiffres, x);
    return debut + (n < 0 ? 0 : n);
}

#if defined(__cpp_lib_to_chars)
inline std::from_chars_result lireDouble(const char* debut, const char* fin, double& valeur) {
    return std::from_chars(debut, fin, valeur);
}
inline char* ecrireDouble(char* debut, char* limite, double x, bool scientifique, int chiffres) {
    return std::to_chars(debut, limite, x, scientifique ? std::chars_format::scientific : std::chars_format::fixed,
                         chiffres).ptr;
}
#else
inline std::from_chars_result lireDouble(const char* debut, const char* fin, double& valeur) {
    return lireDoubleC(debut, fin, valeur);
}
inline char* ecrireDouble(char* debut, char* limite, double x, bool scientifique, int chiffres) {
    return ecrireDoubleC(debut, limite, x, scientifique, chiffres);
}
#endif
