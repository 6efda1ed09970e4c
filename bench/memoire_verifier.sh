#!/usr/bin/env bash
# Peak memory of the checker on the heavy cases: eight files of one display
# and 8 MiB of bare LF with --jobs 8, an expected-lines file of 4 million
# lines, 5,000 programs whose output is full of `"` and `&` (with the HTML
# report's size), and an empty folder tree 2,000 levels deep. Prints each
# case's exit status, peak resident memory and time.
#   bench/memoire_verifier.sh [checker, default build/trevane-verifier]
set -euo pipefail
cd "$(dirname "$0")/.."
verifier=$(realpath "${1:-build/trevane-verifier}")
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cd "$dossier"

python3 - <<'PY'
import os
open("ref.txt", "wb").write(b'Afficher "A"\r\n')
os.mkdir("blancs")
for k in range(8):
    open(f"blancs/p{k}.txt", "wb").write(b'Afficher "A"\n' + b"\n" * (8 * 2**20))
open("attendu.txt", "wb").write(b"A\n" + b"x\n" * 3999999)
os.mkdir("esperluettes")
ligne = '&""' * 200
for k in range(5000):
    with open(f"esperluettes/p{k:04}.txt", "w", encoding="cp1252", newline="\r\n") as f:
        f.write('Entier n\n[a]\nDonner à n la valeur n + 1\nAfficher "' + ligne + '"\nAller à [a] si n < 30\n')
chemin = "profond"
for _ in range(2000):
    chemin += "/d"
os.makedirs(chemin)
PY

mesurer() {
    local nom=$1; shift
    /usr/bin/time -f "$nom: statut %x, pic %M Ko, %e s" "$verifier" "$@" >/dev/null 2>temps || true
    tail -n 1 temps
}
mesurer "8 fichiers de 8 Mio de sauts de ligne, --jobs 8" --jobs 8 --reference ref.txt blancs
mesurer "--attendu de 4 millions de lignes" --attendu attendu.txt ref.txt
mesurer "5000 programmes pleins de \" et &, --html" --reference ref.txt --html r.html esperluettes
echo "rapport HTML : $(stat -c %s r.html) octets"
mesurer "arborescence vide de 2000 niveaux" --reference ref.txt profond
