"""integrations/vpl/ as VPL runs it: in a folder laid out as VPL lays one out
(the learner's file, vpl_environment.sh, the run script as vpl_run.sh, a
teacher's .txt), the run script, then the vpl_execution it leaves with stdout
and stderr together (VPL reads both from one terminal), compared with each
case of the example vpl_evaluate.cases under VPL's documented rules
(https://vpl.dis.ulpgc.es/documentation/vpl-3.4.3+/biotes.html).
    python3 test_vpl.py TREVANE-RUN"""
import os, re, shutil, subprocess, sys, tempfile

from commun import INTEGRATIONS, REPONSES, RUNNER_INSTALLE, bilan, env_avec_runner

VPL = os.path.join(INTEGRATIONS, "vpl")


def sorties_des_cas(texte):
    """Each case's Output. A statement is "name = value", the name without
    case or blanks; a value runs on until the next statement, its last line
    feed dropped."""
    sorties, valeur = [], None
    for ligne in texte.split("\n"):
        m = re.match(r"([^=]*)=(.*)", ligne)
        nom = re.sub(r"[^a-z]", "", m.group(1).lower()) if m else ""
        if nom in ("case", "input", "output", "gradereduction"):
            if valeur is not None:
                sorties.append(valeur.removesuffix("\n"))
            valeur = m.group(2) + "\n" if nom == "output" else None
        elif valeur is not None:
            valeur += ligne + "\n"
    return sorties + ([valeur.removesuffix("\n")] if valeur is not None else [])


NOMBRE = r"[+-]?(?:\d+\.?\d*|\.\d+)(?:[eE][+-]?\d+)?"


def conforme(attendu, sortie):
    """Quoted: the exact text (but a last line feed). Only numbers: the
    output's numbers, as numbers. Otherwise the words, without regard to case,
    other characters ignored."""
    propre = attendu.strip()
    if len(propre) > 1 and propre[0] == propre[-1] == '"':
        return sortie.removesuffix("\n") == propre[1:-1]
    if propre and all(re.fullmatch(NOMBRE, mot) for mot in propre.split()):
        return [float(n) for n in re.findall(NOMBRE, propre)] == [float(n) for n in re.findall(NOMBRE, sortie)]
    return [m.lower() for m in re.findall(r"\w+", attendu)] == [m.lower() for m in re.findall(r"\w+", sortie)]


def executer(racine, programme, env):
    """The run script's output, and vpl_execution's if it left one."""
    d = tempfile.mkdtemp(dir=racine)
    for nom, texte in (("mon algo.txt", programme), ("consignes.txt", "Pour l'enseignant.\n"),
                       ("vpl_environment.sh", "export VPL_SUBFILE0='mon algo.txt'\n")):
        with open(os.path.join(d, nom), "w", encoding="utf-8") as f:
            f.write(texte)
    shutil.copy(os.path.join(VPL, "trevane_run.sh"), os.path.join(d, "vpl_run.sh"))
    preparation = subprocess.run(["./vpl_run.sh"], cwd=d, env=env, capture_output=True, text=True).stdout
    if not os.access(os.path.join(d, "vpl_execution"), os.X_OK):
        return preparation, None
    return preparation, subprocess.run(["./vpl_execution"], cwd=d, env=env, stdin=subprocess.DEVNULL,
                                       stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True).stdout


def main():
    with open(os.path.join(VPL, "vpl_evaluate.cases"), encoding="utf-8") as f:
        cas = sorties_des_cas(f.read())
    attendus = {  # answer: (cases passed, text in the output)
        "juste": ([True, True, True], None),
        "minuscules": ([True, True, False], None),
        "fausse": ([False, False, False], None),
        "erreur_analyse": ([False, False, False], "Erreur à l'analyse du programme, ligne 5 : Erreur de syntaxe"),
        "sans_fin": ([False, False, False], "Arrêté après 1000 instructions."),
    }
    echecs = []
    with tempfile.TemporaryDirectory() as racine:
        env = env_avec_runner(racine, sys.argv[1], TREVANE_MAX_INSTRUCTIONS="1000")
        for nom, (reussis, message) in attendus.items():
            _, sortie = executer(racine, REPONSES[nom], env)
            if sortie is None or [conforme(c, sortie) for c in cas] != reussis or (message or "") not in sortie:
                echecs.append(f"{nom}: output {sortie!r}")
        if not RUNNER_INSTALLE:
            preparation, sortie = executer(racine, REPONSES["juste"], dict(env, PATH="/usr/bin:/bin"))
            if sortie is not None or "trevane-run est introuvable" not in preparation:
                echecs.append(f"missing runner: {preparation!r}")
    return bilan(echecs, len(attendus) + 1)


if __name__ == "__main__":
    sys.exit(main())
