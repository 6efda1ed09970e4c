#!/usr/bin/env bash
# Installs what Trevane needs from Debian's packages (as root), or prints the
# exact command to run, then configures and builds in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

paquets=(cmake g++ make qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev lua5.4
          libmpfr-dev dpkg-dev appstream lintian)
manquants=()
for paquet in "${paquets[@]}"; do
    dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q 'install ok installed' || manquants+=("$paquet")
done
if [ ${#manquants[@]} -gt 0 ]; then
    if [ "$(id -u)" = 0 ]; then
        echo "Installation de : ${manquants[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${manquants[@]}"
    else
        echo "Il manque des paquets. Lancez d'abord :"
        echo "  sudo apt-get install -y ${manquants[*]}"
        exit 1
    fi
fi

dossier=${TREVANE_BUILD:-build}
cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=Release ${TREVANE_CMAKE_OPTIONS:-} >/dev/null
cmake --build "$dossier" -j"$(nproc)"
