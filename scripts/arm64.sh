#!/usr/bin/env bash
# Proof on ARM64: cross-builds the core, trevane-run and the core's tests
# with Debian's aarch64 compiler (GoogleTest built from /usr/src/googletest
# with the same compiler), runs every test under qemu-aarch64, then runs
# every end-to-end case and every benchmark program on both processors and
# compares their output, stderr and exit status byte for byte.
# Exit status 0 only when all of that holds.
# Installs g++-aarch64-linux-gnu, qemu-user and googletest if missing (as
# root); uses the x86 build in build/ (or $TREVANE_BUILD), made if missing.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/paquets_debian.sh
installer_paquets g++-aarch64-linux-gnu qemu-user googletest

racine=$PWD
x86=${TREVANE_BUILD:-build}
arm=${TREVANE_BUILD_ARM64:-build-arm64}
emulateur=qemu-aarch64
debut=$(date +%s)

commun=(-DCMAKE_BUILD_TYPE=Release
        -DCMAKE_SYSTEM_NAME=Linux -DCMAKE_SYSTEM_PROCESSOR=aarch64
        -DCMAKE_C_COMPILER=aarch64-linux-gnu-gcc -DCMAKE_CXX_COMPILER=aarch64-linux-gnu-g++
        -DCMAKE_EXE_LINKER_FLAGS=-static)
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

echo "== GoogleTest pour aarch64"
if [ ! -f "$arm/gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$arm/gtest-build" "${commun[@]}" "${lanceur[@]}" \
        -DCMAKE_INSTALL_PREFIX="$racine/$arm/gtest" >/dev/null
    cmake --build "$arm/gtest-build" -j"$(nproc)" >/dev/null
    cmake --install "$arm/gtest-build" >/dev/null
fi

echo "== Noyau, trevane-run et tests pour aarch64"
cmake -S . -B "$arm" "${commun[@]}" "${lanceur[@]}" \
    -DTREVANE_FENETRE=OFF -DTREVANE_BENCH=OFF \
    -DGTest_DIR="$racine/$arm/gtest/lib/cmake/GTest" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$emulateur" >/dev/null
cmake --build "$arm" -j"$(nproc)" >/dev/null
readelf -h "$arm/trevane-run" | grep -q 'AArch64' || { echo "trevane-run n'est pas un exécutable aarch64"; exit 1; }

echo "== Tests sous $emulateur"
ctest --test-dir "$arm" --output-on-failure -j"$(nproc)" --timeout 600

echo "== Mêmes sorties qu'en x86"
[ -x "$x86/trevane-run" ] || { cmake -S . -B "$x86" -DCMAKE_BUILD_TYPE=Release >/dev/null; cmake --build "$x86" -j"$(nproc)" --target trevane-run >/dev/null; }
temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT
cas=0
ecarts=0
# The cases with their options (tests/programmes/LISEZMOI.md), then the
# benchmark programs and tests/processeurs/ (thousands of values of every
# real function, shown to 18 digits) run to their end.
for programme in tests/programmes/*.txt bench/programmes/*.txt tests/processeurs/*.txt; do
    base=${programme%.txt}
    options=()
    if [ -f "$base.options" ]; then
        read -r -a options < <(sed -n 's/^options://p' "$base.options") || true
    fi
    case $programme in bench/* | tests/processeurs/*) options=(--poursuivre 1000) ;; esac
    # A run without a seed takes it from the clock: both take the same one.
    options=(--graine 20261208 "${options[@]}")
    set +e
    "$x86/trevane-run" "${options[@]}" "$programme" >"$temp/x86.sortie" 2>"$temp/x86.erreurs"
    echo "statut $?" >>"$temp/x86.erreurs"
    "$emulateur" "$arm/trevane-run" "${options[@]}" "$programme" >"$temp/arm.sortie" 2>"$temp/arm.erreurs"
    echo "statut $?" >>"$temp/arm.erreurs"
    set -e
    cas=$((cas + 1))
    if ! cmp -s "$temp/x86.sortie" "$temp/arm.sortie" || ! cmp -s "$temp/x86.erreurs" "$temp/arm.erreurs"; then
        ecarts=$((ecarts + 1))
        echo "DIFFÉRENT : $programme"
        diff "$temp/x86.sortie" "$temp/arm.sortie" | head -5 || true
    fi
done
echo "$cas programmes, $ecarts différences ; $(($(date +%s) - debut)) s en tout"
[ "$ecarts" = 0 ]
