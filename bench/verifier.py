#!/usr/bin/env python3
"""Times trevane-verifier on a class of typical learner programs (a few
hundred instructions each: sums, tables, a search for primes), most correct,
some with a wrong output, an analysis error or a run-time error. Median wall
time of N runs of the whole command, after an untimed one."""
import argparse
import os
import statistics
import subprocess
import tempfile
import time

ICI = os.path.dirname(os.path.abspath(__file__))

REFERENCE = """# Nombres premiers jusqu'à 60, puis leur somme
Entier n ; d ; s ; p
Donner à n la valeur 2
[suivant]
Donner à p la valeur 1
Donner à d la valeur 2
[diviseur]
Aller à [teste] si d * d > n
Aller à [non premier] si d divise n
Donner à d la valeur d + 1
Aller à [diviseur]
[non premier]
Donner à p la valeur 0
[teste]
Aller à [apres] si p = 0
Afficher "premier : " ; n
Donner à s la valeur s + n
[apres]
Donner à n la valeur n + 1
Aller à [suivant] si n <= 60
Afficher "somme = " ; s
"""

# Other correct ways to write it, and the usual mistakes.
VARIANTES = [
    ("juste_premier", """Entier k ; t ; q
Donner à k la valeur 1
[boucle]
Donner à k la valeur k + 1
Aller à [fin] si k > 60
Aller à [oui] si k premier
Aller à [boucle]
[oui]
Afficher "premier : " ; k
Donner à t la valeur t + k
Aller à [boucle]
[fin]
Afficher "somme = " ; t
"""),
    ("juste_reference", REFERENCE),
    ("borne_fausse", REFERENCE.replace("n <= 60", "n < 59")),
    ("analyse", REFERENCE.replace("Donner à s la valeur s + n", "Donner à s la valeur (s + n")),
    ("execution", REFERENCE.replace('Afficher "somme = " ; s', 'Donner à s la valeur quot(s, p)\nAfficher s')),
]
# Out of 20 programs: 14 right (two ways), 3 wrong outputs, 2 analysis errors, 1 run-time error.
REPARTITION = [0] * 7 + [1] * 7 + [2] * 3 + [3] * 2 + [4]


def ecrire(chemin, texte):
    with open(chemin, "wb") as f:
        f.write(texte.replace("\n", "\r\n").encode("cp1252"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--verifier", default=os.path.join(ICI, "..", "build", "trevane-verifier"))
    parser.add_argument("--programmes", type=int, default=1000)
    parser.add_argument("--fois", type=int, default=5)
    parser.add_argument("--jobs", type=int, default=0, help="0: the checker's default (one per core)")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as dossier:
        ecrire(os.path.join(dossier, "reference.txt"), REFERENCE)
        classe = os.path.join(dossier, "classe")
        for i in range(args.programmes):
            nom, texte = VARIANTES[REPARTITION[i % len(REPARTITION)]]
            sous = os.path.join(classe, f"groupe{i % 10}")
            os.makedirs(sous, exist_ok=True)
            ecrire(os.path.join(sous, f"eleve{i:04d}_{nom}.txt"), texte)
        commande = [args.verifier, "--reference", os.path.join(dossier, "reference.txt"),
                    "--csv", os.path.join(dossier, "r.csv"), "--html", os.path.join(dossier, "r.html"), classe]
        if args.jobs:
            commande[1:1] = ["--jobs", str(args.jobs)]
        sortie = subprocess.run(commande, stdout=subprocess.PIPE, check=False).stdout.decode()
        durees = []
        for _ in range(args.fois):
            debut = time.perf_counter()
            subprocess.run(commande, stdout=subprocess.DEVNULL, check=False)
            durees.append(time.perf_counter() - debut)
        print(sortie.strip().splitlines()[-1])
        print(f"{args.programmes} programmes : {statistics.median(durees):.3f} s (médiane de {args.fois}, "
              f"min {min(durees):.3f} s)")


if __name__ == "__main__":
    main()
