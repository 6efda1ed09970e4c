#!/usr/bin/env bash
# usage: bench/web.sh [RUNS]
# The benchmark programs (bench/programmes, run to their end as
# bench/comparer.py runs them) through the native trevane-run built with the
# x87's reals (build/), the native one built with the portable reals
# (build-reels-portables/, -DTREVANE_REELS_PORTABLES=ON, as the WebAssembly
# build computes them, and the engine's usual dispatch, not CI's `switch`
# form of build-portable/) and the Node runner (build-web/), side by side in
# one run: the median of RUNS runs each (default 5), then the same less each one's
# start-up (its median time on an empty program), and the ratios to the
# portable build. The shipped programs last a tenth of a second natively,
# about Node's own start-up, so a second table runs them with longer loops
# (in a temporary folder) to compare the engines themselves. Also the Node
# runner's start-up on the first example and the module's size. Builds in
# other folders: TREVANE_BUILD, TREVANE_BUILD_PORTABLE, TREVANE_BUILD_WEB.
# TREVANE_CPU=LIST runs everything on those processors (taskset -c): on a
# virtual machine whose processors differ in pace, the same one for all. On
# one processor, Node's optimizing compiler takes turns with the run.
set -euo pipefail
cd "$(dirname "$0")/.."
x87=${TREVANE_BUILD:-build}/trevane-run
portable=${TREVANE_BUILD_PORTABLE:-build-reels-portables}/trevane-run
web=${TREVANE_BUILD_WEB:-build-web}/trevane-run.mjs
for f in "$x87" "$portable" "$web"; do
    [ -f "$f" ] || { echo "$f manque (scripts/preparer.sh, scripts/web.sh ; cmake -B build-reels-portables -DTREVANE_REELS_PORTABLES=ON -DTREVANE_FENETRE=OFF)"; exit 1; }
done
python3 - "$x87" "$portable" "$web" "${1:-5}" "${TREVANE_CPU:-}" <<'FIN'
import os, sys, tempfile
sys.path.insert(0, "bench")
from comparer import PROGRAMMES, chronometrer

x87, portable, web, fois = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
processeurs = ["taskset", "-c", sys.argv[5]] if sys.argv[5] else []
runners = [processeurs + [x87], processeurs + [portable], processeurs + ["node", web]]
with tempfile.NamedTemporaryFile(suffix=".txt") as vide:
    demarrages, _ = chronometrer([r + [vide.name] for r in runners], fois)
print(f"start-up (empty program): x87 {demarrages[0]:.3f} s, portable {demarrages[1]:.3f} s, node {demarrages[2]:.3f} s")
(exemple,), _ = chronometrer([processeurs + ["node", web, os.path.join("exemples", "01-somme.txt")]], fois)
print(f"start-up and run of exemples/01-somme.txt: node {exemple:.3f} s (goal: under 0.3 s)")
dossier_web = os.path.dirname(web)
taille = sum(os.path.getsize(os.path.join(dossier_web, f)) for f in ("trevane-run.mjs", "trevane-run-wasm.mjs", "trevane-run-wasm.wasm"))
print(f"module: .wasm + glue {taille / 1e6:.3f} MB (goal: under 1.5 MB)\n")
entete = (f"{'programme':<10} {'x87 s':>7} {'port. s':>8} {'node s':>7} {'node/port':>9} {'node/x87':>8}"
          f" | less start-up: {'x87':>6} {'port.':>6} {'node':>6} {'node/port':>9} {'node/x87':>8}")

def tableau(programmes, fois):
    print(entete)
    print("-" * len(entete))
    for nom, programme in programmes:
        t, sorties = chronometrer([r + ["--poursuivre", "1000", programme] for r in runners], fois)
        assert sorties[0] == sorties[1] == sorties[2], f"{nom}: outputs differ"
        m = [max(a - b, 1e-3) for a, b in zip(t, demarrages)]
        print(f"{nom:<10} {t[0]:>7.3f} {t[1]:>8.3f} {t[2]:>7.3f} {t[2] / t[1]:>9.2f} {t[2] / t[0]:>8.2f}"
              f" | {'':>14} {m[0]:>6.3f} {m[1]:>6.3f} {m[2]:>6.3f} {m[2] / m[1]:>9.2f} {m[2] / m[0]:>8.2f}")


print("As shipped:")
tableau([(nom, os.path.join("bench", "programmes", nom + ".txt")) for nom in PROGRAMMES], fois)
# Ten times the loops (tri: 5000 elements, the most a list may hold).
plus_longs = {"somme": [(b"10000000", b"100000000")], "premiers": [(b"100000", b"1000000")],
              "tri": [(b"3000", b"5000"), (b"1500", b"2500")], "reels": [(b"5000000", b"50000000")],
              "affichage": [(b"200000", b"2000000")]}
with tempfile.TemporaryDirectory() as dossier:
    programmes = []
    for nom in PROGRAMMES:
        texte = open(os.path.join("bench", "programmes", nom + ".txt"), "rb").read()
        for avant, apres in plus_longs[nom]:
            assert avant in texte, nom
            texte = texte.replace(avant, apres)
        chemin = os.path.join(dossier, nom + ".txt")
        open(chemin, "wb").write(texte)
        programmes.append((nom + " x10", chemin))
    print("\nLonger loops:")
    tableau(programmes, max(3, fois // 2))
FIN
