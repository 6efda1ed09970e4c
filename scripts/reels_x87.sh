#!/usr/bin/env bash
# The full proof that Treel80 computes the x87's bits: ten million random
# operand pairs per operation (+ - x / and the square root, comparisons and
# conversions), against the hardware. Needs an x86 build in build/ (or
# $TREVANE_BUILD); CI runs the same test on a small sample.
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=${TREVANE_BUILD:-build}
cmake --build "$dossier" -j"$(nproc)" --target trevane-tests >/dev/null
TREVANE_TIRAGES_REEL80=${TREVANE_TIRAGES_REEL80:-10000000} "$dossier/tests/trevane-tests" --gtest_filter='reel80.*'
