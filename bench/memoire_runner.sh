#!/usr/bin/env bash
# Peak memory of the console runner on the heavy cases: an endless display
# of a 100-element list over three bursts, and files of 200 MB (many lines,
# one line). Prints each case's exit status, peak resident memory and time.
#   bench/memoire_runner.sh [runner, default build/trevane-run]
set -euo pipefail
cd "$(dirname "$0")/.."
runner=${1:-build/trevane-run}
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

printf 'Entier k ; L (1..100)\r\n[a]\r\nAfficher L (1..100)\r\nAller \xe0 [a] si k < 1\r\n' >"$dossier/sans_fin.txt"
python3 - "$dossier" <<'PY'
import sys
d = sys.argv[1]
with open(d + "/lignes.txt", "wb") as f:
    ligne = b"Afficher 1\r\n"
    f.write(ligne * (200 * 2**20 // len(ligne)))
with open(d + "/une_ligne.txt", "wb") as f:
    f.write(b"Afficher " + b"1" * (200 * 2**20))
PY

mesurer() {
    local nom=$1; shift
    /usr/bin/time -f "$nom: statut %x, pic %M Ko, %e s" "$runner" "$@" >/dev/null 2>"$dossier/temps" || true
    tail -n 1 "$dossier/temps"
}
mesurer "affichage sans fin, --poursuivre 2" --poursuivre 2 "$dossier/sans_fin.txt"
mesurer "200 Mo de lignes" "$dossier/lignes.txt"
mesurer "200 Mo sur une ligne" "$dossier/une_ligne.txt"
