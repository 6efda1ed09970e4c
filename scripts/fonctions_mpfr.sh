#!/usr/bin/env bash
# ln, exp, cos, sin, tan and the real power against MPFR on a million
# arguments each (x86): the portable results must all be correctly rounded;
# prints how often the x87 library's are not, with examples of the doubles
# that change. CI runs the same test on a small sample.
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=${TREVANE_BUILD:-build}
cmake --build "$dossier" -j"$(nproc)" --target trevane-tests-mpfr >/dev/null
TREVANE_TIRAGES_MPFR=${TREVANE_TIRAGES_MPFR:-1000000} "$dossier/tests/trevane-tests-mpfr"
