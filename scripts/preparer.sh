#!/usr/bin/env bash
# Installs what Trevane needs from Debian's packages (as root), or prints the
# exact command to run, then configures and builds in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/paquets_debian.sh
installer_paquets cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev lua5.4 libmpfr-dev libgraphviz-dev qt6-svg-dev poppler-utils dpkg-dev appstream lintian python3 \
    xvfb dbus at-spi2-core python3-pyatspi   # the window read through AT-SPI (tests/fenetre/atspi/)

dossier=${TREVANE_BUILD:-build}
cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=Release ${TREVANE_CMAKE_OPTIONS:-} >/dev/null
cmake --build "$dossier" -j"$(nproc)"
