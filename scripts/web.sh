#!/usr/bin/env bash
# Builds the core for WebAssembly with Debian's emscripten (web/Makefile):
# build-web/trevane-run.mjs, the console runner under Node, and
# build-web/trevane-session.mjs, the session a page drives. Then, unless
# TREVANE_WEB_TESTS=0, checks it: tests/web/parite.sh and tests/web/session.mjs;
# with TREVANE_WEB_UNITAIRES=1, also the core's unit tests that start no
# process, built with GoogleTest's sources and run under Node (a few minutes more).
# TREVANE_WEB_MAKE adds make goals or variables (scripts/site.sh: navigateur).
set -euo pipefail
cd "$(dirname "$0")/.."
dossier=${TREVANE_BUILD_WEB:-build-web}
# em++'s optimizer needs Debian's acorn.
export NODE_PATH=/usr/share/nodejs
mkdir -p "$dossier/genere"
version=$(sed -n 's/^project(Trevane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
entete="#pragma once
#define TREVANE_VERSION \"$version\""
[ "$(cat "$dossier/genere/trevane_version.h" 2>/dev/null)" = "$entete" ] ||
    printf '%s\n' "$entete" > "$dossier/genere/trevane_version.h"
make -s -f web/Makefile -j"$(nproc)" SORTIE="$dossier" ${TREVANE_WEB_MAKE:-}
if [ "${TREVANE_WEB_TESTS:-1}" != 0 ]; then
    tests/web/parite.sh "${TREVANE_BUILD:-build}/trevane-run" "$dossier/trevane-run.mjs"
    node tests/web/session.mjs "$dossier/trevane-session.mjs"
fi
if [ "${TREVANE_WEB_UNITAIRES:-0}" = 1 ]; then
    make -s -f web/Makefile -j"$(nproc)" SORTIE="$dossier" tests
    # A FIFO made inside the module is no FIFO on the disk.
    node --stack-size=4000 "$dossier/trevane-tests.js" --gtest_filter=-lecture_programme.fichiers_hostiles
fi
