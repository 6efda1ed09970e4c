#!/usr/bin/env bash
# The window read by the desktop's accessibility stack: a virtual X screen
# (Xvfb), a session bus and the AT-SPI registry, then lire_fenetre.py reads
# the window through AT-SPI as a screen reader does. Exits 77 (CTest's skip)
# when Xvfb, dbus-run-session, the AT-SPI bus or pyatspi is missing.
# usage: lancer.sh TREVANE [DOSSIER_CAPTURES]
set -euo pipefail
ici=$(cd "$(dirname "$0")" && pwd)
trevane=$1
captures=${2:-}

for outil in Xvfb dbus-run-session; do
    command -v "$outil" >/dev/null || { echo "SKIP: $outil manque"; exit 77; }
done
lanceur=$(ls /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher 2>/dev/null | head -n1 || true)
[ -n "$lanceur" ] || { echo "SKIP: at-spi-bus-launcher manque (at-spi2-core)"; exit 77; }
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: pyatspi manque (python3-pyatspi)"; exit 77; }

dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
export TREVANE_DOSSIER_TEST=$dossier XDG_CONFIG_HOME=$dossier/config XDG_DATA_HOME=$dossier/donnees
export XDG_RUNTIME_DIR=$dossier/run && mkdir -m 700 "$XDG_RUNTIME_DIR"
export LANCEUR_ATSPI=$lanceur TREVANE=$trevane CAPTURES=$captures ICI=$ici
exec dbus-run-session -- bash -c '
    set -euo pipefail
    # Xvfb picks a free display itself and writes its number once it accepts
    # clients: a number drawn here could meet another test's screen.
    Xvfb -screen 0 1024x768x24 -nolisten tcp -displayfd 3 3>"$XDG_RUNTIME_DIR/ecran" &
    xvfb=$!
    for _ in $(seq 300); do [ -s "$XDG_RUNTIME_DIR/ecran" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$XDG_RUNTIME_DIR/ecran")
    "$LANCEUR_ATSPI" --launch-immediately &
    bus=$!
    sleep 1
    statut=0
    /usr/bin/python3 "$ICI/lire_fenetre.py" "$TREVANE" "$CAPTURES" || statut=$?
    kill "$bus" "$xvfb" 2>/dev/null || true
    exit $statut
'
