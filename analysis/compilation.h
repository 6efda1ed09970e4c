// Compilation of expressions, indices and conditions into code words over
// numbered cells, at analysis time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct TdonneesCommunes;

// Type (1 integer, 2 real, 4 condition) and result cell of a compiled expression.
struct TexpressionCompilee {
    int32_t type = 0;
    int32_t cellule = 0;
};

// Compiles a whole expression text: error 1 when its brackets do not
// balance, error 3 when it is too long. When `codeErreur` is set on return
// the result is meaningless.
TexpressionCompilee compilerExpression(TdonneesCommunes& d, std::string_view texte);

// Appends one code word at `codeLibre`; error 3 past word 10000.
bool ajouterMot(TdonneesCommunes& d, int32_t mot);

// Hands out the next condition cell, or sets error 3 and returns 0 past cell 500.
int32_t allouerCondition(TdonneesCommunes& d);
