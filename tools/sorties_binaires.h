// The console tools write their text byte for byte on every system: lines end
// with a line feed, as the tests and the checker expect, where Windows' C
// library would turn each "\n" written to stdout or stderr into CR LF.
#pragma once

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

inline void sortiesBinaires() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}
