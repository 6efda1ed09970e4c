// ln, e^x, cos, sin, tan and the real power of Treel80 values, computed with
// integers to about 120 bits and rounded once to 64 bits: the correctly
// rounded result, unless the true value lies within 2^-110 (relative) of a
// halfway point between two 64-bit values (the real power) or 2^-118 (the
// others). The same bits on every processor.
#pragma once

#include "expressions/reel80.h"

// ln a; a not-a-number for a < 0, minus infinity for 0.
Treel80 ln80(Treel80 a);
Treel80 exp80(Treel80 a);
// The angle's remainder by pi/2 is exact for any argument below 2^63; from
// there on the result is a not-a-number (the callers stop before).
Treel80 cos80(Treel80 a);
Treel80 sin80(Treel80 a);
Treel80 tan80(Treel80 a);
// x^y = e^(y ln x) for x > 0, without rounding ln x or y ln x.
Treel80 puissance80(Treel80 x, Treel80 y);
