#!/usr/bin/env bash
# The core on Windows: cross-builds the toolkit-free core, trevane-run and the
# core's GoogleTest tests with MinGW-w64 (GoogleTest from its Debian sources,
# built with the same compiler) and runs every test and every end-to-end case
# under Wine. Exits 0 only when all of them pass.
#   scripts/windows.sh            (build in build-windows/, or $TREVANE_BUILD_WINDOWS)
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$PWD

. scripts/paquets_debian.sh
installer_paquets cmake make g++-mingw-w64-x86-64-posix wine64 libgtest-dev

dossier=$(realpath -m "${TREVANE_BUILD_WINDOWS:-build-windows}")
chaine=$racine/cmake/mingw-w64.cmake
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# Wine keeps its own Windows installation in the build folder, quiet.
export WINEPREFIX=$dossier/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
debut=$(date +%s)

echo "== GoogleTest pour Windows"
if [ ! -f "$dossier/gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$dossier/gtest-build" -DCMAKE_TOOLCHAIN_FILE="$chaine" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$dossier/gtest" \
        "${lanceur[@]}" >/dev/null
    cmake --build "$dossier/gtest-build" -j"$(nproc)" >/dev/null
    cmake --install "$dossier/gtest-build" >/dev/null
fi

echo "== Trevane pour Windows (noyau, trevane-run, tests)"
cmake -S . -B "$dossier/trevane" -DCMAKE_TOOLCHAIN_FILE="$chaine" -DCMAKE_BUILD_TYPE=Release \
    -DTREVANE_FENETRE=OFF -DTREVANE_BENCH=OFF -DGTest_DIR="$dossier/gtest/lib/cmake/GTest" \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST "${lanceur[@]}" >/dev/null
cmake --build "$dossier/trevane" -j"$(nproc)" --target trevane-run trevane-tests
construit=$(date +%s)

echo "== Tests sous Wine"
wineboot --init >/dev/null 2>&1 || true
# The tests run from the build folder: Wine's drive Z: is /, so the source's
# folders given to the tests as absolute paths resolve there.
cd "$dossier/trevane"
statut=0
wine tests/trevane-tests.exe --gtest_brief=1 || statut=$?
wineserver -k 2>/dev/null || true
fin=$(date +%s)
echo "== construction $((construit - debut)) s, tests sous Wine $((fin - construit)) s"
exit "$statut"
