#!/usr/bin/env python3
"""Times trevane-run against Lua 5.4 and Python 3 on the same algorithms,
side by side in one run: median of N runs each, one row per program."""
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

ICI = os.path.dirname(os.path.abspath(__file__))
PROGRAMMES = ["somme", "premiers", "tri", "reels", "affichage"]


def chronometrer(commandes, fois):
    """Median time of each command over `fois` rounds. The rounds interleave
    the commands, so that a busy spell of the machine falls on all of them
    alike. A run just after a long one of another program is slowed (the
    machine changes pace under load), so each timed run follows an untimed
    run of the same command. The output goes to a file, read afterwards: this
    process reading a pipe while the command runs would take a core from the
    command's own threads (Node's compilers, on a machine of two). Returns the
    medians and the last output of each."""
    durees = [[] for _ in commandes]
    sorties = [b""] * len(commandes)
    with tempfile.TemporaryFile() as sortie:
        for tour in range(fois):
            for j in range(len(commandes)):
                k = (tour + j) % len(commandes)
                commande = commandes[k]
                subprocess.run(commande, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                sortie.seek(0)
                sortie.truncate()
                debut = time.perf_counter()
                subprocess.run(commande, stdout=sortie, stderr=subprocess.DEVNULL)
                durees[k].append(time.perf_counter() - debut)
                sortie.seek(0)
                sorties[k] = sortie.read()
    return [statistics.median(d) for d in durees], sorties


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    # Repeated, several builds side by side (the first is the reference of
    # the ratios): --runner build/trevane-run --runner build-portable/trevane-run
    parser.add_argument("--runner", action="append")
    parser.add_argument("--fois", type=int, default=6, help="runs per program and language (median)")
    parser.add_argument("programmes", nargs="*", default=PROGRAMMES)
    args = parser.parse_args()

    runners = args.runner or [os.path.join(ICI, "..", "build", "trevane-run")]

    dossier = os.path.join(ICI, "programmes")
    autres = "".join(f" {'T' + str(i + 1) + ' s':>8} {'T' + str(i + 1) + '/T':>6}" for i in range(1, len(runners)))
    entete = f"{'programme':<10} {'Trevane s':>10} {'Lua s':>8} {'Python s':>9} {'T/Lua':>6} {'T/Py':>6} {'pas/s':>12}{autres}"
    print(entete)
    print("-" * len(entete))
    for nom in args.programmes:
        base = os.path.join(dossier, nom)
        # Enough Poursuivre for any burst count; ignored once the run has ended.
        trevane = [[r, "--poursuivre", "1000", base + ".txt"] for r in runners]
        durees, sorties = chronometrer(trevane + [["lua5.4", base + ".lua"], [sys.executable, base + ".py"]], args.fois)
        t, l, p = durees[0], durees[-2], durees[-1]
        pas = re.search(rb"Instructions ex\xc3\xa9cut\xc3\xa9es : (\d+)", sorties[0])
        pas = int(pas.group(1)) if pas else 0
        suite = "".join(f" {d:>8.3f} {d / t:>6.2f}" for d in durees[1:len(runners)])
        print(f"{nom:<10} {t:>10.3f} {l:>8.3f} {p:>9.3f} {t / l:>6.2f} {t / p:>6.3f} {pas / t:>12.3e}{suite}")


if __name__ == "__main__":
    main()
