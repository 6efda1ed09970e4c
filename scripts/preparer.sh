#!/usr/bin/env bash
# Installs what Trevane needs from Debian's packages (as root), or prints the
# exact command to run, then configures and builds in build/, and the
# WebAssembly build in build-web/ (scripts/web.sh) when emscripten is there.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/paquets_debian.sh
installer_paquets cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev lua5.4 libmpfr-dev dpkg-dev appstream lintian python3 \
    emscripten node-acorn

dossier=${TREVANE_BUILD:-build}
cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=Release ${TREVANE_CMAKE_OPTIONS:-} >/dev/null
cmake --build "$dossier" -j"$(nproc)"
if command -v em++ >/dev/null && command -v node >/dev/null; then
    TREVANE_WEB_TESTS=0 scripts/web.sh
fi
