// Listing of compiled code, for tests and debugging.
#pragma once

#include <cstdint>
#include <string>

struct TdonneesCommunes;

// One line per operation: its word number, name and operand words, e.g.
// "1 opMoinsReel 10002 3 10003".
std::string desassembler(const TdonneesCommunes& d, int32_t debut, int32_t fin);
