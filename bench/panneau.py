#!/usr/bin/env python3
"""The display pane under load, for one build or two side by side (for
example a build of an older commit): each scenario of trevane-bench-panneau
in a process of its own, offscreen. Prints one table row per scenario and
build: wall and CPU time of the measured command, memory growth (resident,
and peak) and the scenario's own figures.

    python3 bench/panneau.py build [../autre/build] [--rafales N] [--seulement SCENARIO...]

--rafales: bursts of the endless loop before the scrolling measures
(3 gives 10 million lines)."""
import argparse
import os
import subprocess

SCENARIOS = [
    ("repos", []),
    ("boucle", ["1"]),
    ("affichage", []),
    ("longue", []),
    ("longue-commentee", []),
    ("longue-programme", []),
]


def lancer(build, scenario, arguments):
    programme = os.path.join(build, "bench", "panneau", "trevane-bench-panneau")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    sortie = subprocess.run([programme, scenario] + arguments, env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True, timeout=3600)
    return sortie.stdout.strip().split("\t")


def main():
    options = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    options.add_argument("builds", nargs="+")
    options.add_argument("--rafales", default="3")
    options.add_argument("--seulement", nargs="*", help="only these scenarios")
    arguments = options.parse_args()
    scenarios = SCENARIOS + [("defilement", [arguments.rafales])]
    if arguments.seulement:
        scenarios = [s for s in scenarios if s[0] in arguments.seulement]
    print("| scenario | build | wall ms | CPU ms | RSS growth MB | peak growth MB | details |")
    print("|---|---|---:|---:|---:|---:|---|")
    for scenario, parametres in scenarios:
        for build in arguments.builds:
            champs = lancer(build, scenario, parametres) + [""] * 6
            print("| %s %s | %s | %s | %s | %s | %s | %s |" % (scenario, " ".join(parametres), build, *champs[1:6]),
                  flush=True)


if __name__ == "__main__":
    main()
