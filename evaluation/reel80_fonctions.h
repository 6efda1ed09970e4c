// ln, e^x, cos, sin and tan of Treel80 values, computed with integers to
// about 120 bits and rounded once to 64 bits: the correctly rounded result,
// unless the true value lies within 2^-118 (relative) of a halfway point
// between two 64-bit values. The same bits on every processor.
#pragma once

#include "evaluation/reel80.h"

// ln a; a not-a-number for a < 0, minus infinity for 0.
Treel80 ln80(Treel80 a);
Treel80 exp80(Treel80 a);
// The angle's remainder by pi/2 is exact for any argument below 2^63; from
// there on the result is a not-a-number (the callers stop before).
Treel80 cos80(Treel80 a);
Treel80 sin80(Treel80 a);
Treel80 tan80(Treel80 a);
// x^y for x > 0 as e^(y × ln x) in three operations on 64 bits: ln x
// correctly rounded, the product rounded, e^ of it correctly rounded. Not
// the correctly rounded x^y: the digits learners compare are those of this
// computation. A not-a-number for x <= 0 or an infinite operand.
Treel80 puissance80(Treel80 x, Treel80 y);
