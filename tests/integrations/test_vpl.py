"""integrations/vpl/ as VPL runs it: a scratch folder laid out as VPL lays
one out (the learner's file, vpl_environment.sh, the run script as
vpl_run.sh, a teacher's file), the run script run there, the vpl_execution it
leaves executed with stdout and stderr together (VPL reads both from one
terminal), and its output compared with each case of the example
vpl_evaluate.cases under VPL's documented rules (BIOTES, "Automated program
assessment", https://vpl.dis.ulpgc.es/documentation/vpl-3.4.3+/biotes.html).

    python3 test_vpl.py TREVANE-RUN"""
import os, re, shutil, stat, subprocess, sys, tempfile

from reponses import REPONSES

ICI = os.path.dirname(os.path.abspath(__file__))
VPL = os.path.join(ICI, "..", "..", "integrations", "vpl")


def lire_cas(texte):
    """The cases: [(name, output, grade reduction or None)]. A statement is
    "name = value" (the name without case or blanks); a value runs on the
    next lines until another statement; its last line feed is dropped."""
    cas, courant, valeur = [], None, None
    for ligne in texte.split("\n"):
        m = re.match(r"([^=]*)=(.*)", ligne)
        nom = re.sub(r"[^a-z]", "", m.group(1).lower()) if m else ""
        if nom in ("case", "input", "output", "gradereduction"):
            if valeur is not None:
                courant["output"] = valeur.removesuffix("\n")
                valeur = None
            if nom == "case":
                courant = {"nom": m.group(2).strip(), "output": None, "reduction": None}
                cas.append(courant)
            elif nom == "output":
                valeur = m.group(2) + "\n"
            elif nom == "gradereduction":
                courant["reduction"] = m.group(2).strip()
        elif valeur is not None:
            valeur += ligne + "\n"
    if valeur is not None:
        courant["output"] = valeur.removesuffix("\n")
    return cas


NOMBRE = r"[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?"


def conforme(attendu, sortie):
    """Quoted: the exact text (a last line feed of the output aside). Only
    numbers: the output's numbers, as numbers (reals within a tolerance).
    Otherwise: the words, without regard to case; other characters ignored."""
    propre = attendu.strip()
    if len(propre) > 1 and propre[0] == propre[-1] == '"':
        return sortie.removesuffix("\n") == propre[1:-1]
    if propre and all(re.fullmatch(NOMBRE, mot) for mot in propre.split()):
        a = [float(n) for n in re.findall(NOMBRE, propre)]
        s = [float(n) for n in re.findall(NOMBRE, sortie)]
        return len(a) == len(s) and all(abs(x - y) <= 1e-4 * abs(x) or x == y for x, y in zip(a, s))
    mots = lambda t: [m.lower() for m in re.findall(r"\w+", t)]
    return mots(attendu) == mots(sortie)


def note(cas, reussis, maximum=10.0):
    """From the maximum, each failed case takes its grade reduction
    (a value or a percentage of the range), by default range / cases."""
    n = maximum
    for c, ok in zip(cas, reussis):
        if not ok:
            r = c["reduction"]
            n -= (maximum * float(r[:-1]) / 100 if r.endswith("%") else float(r)) if r else maximum / len(cas)
    return round(max(n, 0.0), 2)


def dossier_vpl(racine, programme):
    """The folder VPL gives the run script."""
    d = tempfile.mkdtemp(dir=racine)
    with open(os.path.join(d, "mon algo.txt"), "w", encoding="utf-8") as f:
        f.write(programme)
    with open(os.path.join(d, "consignes.txt"), "w", encoding="utf-8") as f:
        f.write("Un fichier de l'enseignant, pas celui de l'élève.\n")
    with open(os.path.join(d, "vpl_environment.sh"), "w") as f:
        f.write("export VPL_SUBFILE0='mon algo.txt'\nexport VPL_SUBFILES='mon algo.txt'\n")
    shutil.copy(os.path.join(VPL, "trevane_run.sh"), os.path.join(d, "vpl_run.sh"))
    shutil.copy(os.path.join(VPL, "vpl_evaluate.cases"), d)
    return d


def main():
    runner = os.path.abspath(sys.argv[1])
    with open(os.path.join(VPL, "vpl_evaluate.cases"), encoding="utf-8") as f:
        cas = lire_cas(f.read())
    echecs = []
    attendus = {  # answer: (cases passed, grade, text in the output)
        "juste": ([True, True, True], 10.0, None),
        "minuscules": ([True, True, False], 9.0, None),
        "fausse": ([False, False, False], 2.33, None),
        "erreur_analyse": ([False, False, False], 2.33, "Erreur à l'analyse du programme, ligne 5 : "),
        "sans_fin": ([False, False, False], 2.33, "Arrêté après 1000 instructions."),
    }
    with tempfile.TemporaryDirectory() as racine:
        bin_ = os.path.join(racine, "bin")
        os.mkdir(bin_)
        os.symlink(runner, os.path.join(bin_, "trevane-run"))
        env = dict(os.environ, PATH=bin_ + os.pathsep + os.environ["PATH"], TREVANE_MAX_INSTRUCTIONS="1000")
        for nom, (reussis_attendus, note_attendue, message) in attendus.items():
            d = dossier_vpl(racine, REPONSES[nom])
            subprocess.run(["./vpl_run.sh"], cwd=d, env=env, check=True)
            execution = os.path.join(d, "vpl_execution")
            if not os.stat(execution).st_mode & stat.S_IXUSR:
                echecs.append(f"{nom}: vpl_execution is not executable")
            sortie = subprocess.run(["./vpl_execution"], cwd=d, env=env, stdin=subprocess.DEVNULL,
                                    stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True).stdout
            reussis = [conforme(c["output"], sortie) for c in cas]
            if reussis != reussis_attendus or note(cas, reussis) != note_attendue:
                echecs.append(f"{nom}: cases {reussis}, grade {note(cas, reussis)}, output {sortie!r}")
            if message and message not in sortie:
                echecs.append(f"{nom}: {message!r} not in {sortie!r}")
        # Without the runner: no vpl_execution, and the reason said.
        if not any(os.access(p, os.X_OK) for p in ("/usr/local/bin/trevane-run", "/opt/trevane/bin/trevane-run")):
            d = dossier_vpl(racine, REPONSES["juste"])
            r = subprocess.run(["./vpl_run.sh"], cwd=d, env=dict(env, PATH="/usr/bin:/bin"),
                               capture_output=True, text=True)
            if os.path.exists(os.path.join(d, "vpl_execution")) or "trevane-run est introuvable" not in r.stdout:
                echecs.append(f"missing runner: {r.stdout!r}")
    for e in echecs:
        print("FAILED", e)
    print(f"{len(attendus) + 1 - len(echecs)} checks of {len(attendus) + 1} passed")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
