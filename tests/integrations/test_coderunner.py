"""integrations/coderunner/ as CodeRunner runs it: the prototype's template,
the answer put in as its Twig filter e('py') does (backslashes and double
quotes escaped), run by python3 from a file in a fresh folder as on Jobe, and
judged as a per-test run is: anything on stderr is an error, otherwise the
EqualityGrader compares once trailing white space is gone from each line and
the end (https://github.com/trampgeek/moodle-qtype_coderunner, README).
    python3 test_coderunner.py TREVANE-RUN"""
import os, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

from commun import INTEGRATIONS, REPONSES, RUNNER_INSTALLE, bilan, env_avec_runner


def question(fichier):
    [q] = ET.parse(os.path.join(INTEGRATIONS, "coderunner", fichier)).getroot().findall("question[@type='coderunner']")
    return q


def executer(modele, reponse, env):
    programme = modele.replace("{{ STUDENT_ANSWER | e('py') }}", reponse.replace("\\", "\\\\").replace('"', '\\"'))
    if "{{" in programme or "{%" in programme:
        return "", "the template uses more of Twig than the answer"
    with tempfile.TemporaryDirectory() as dossier:
        with open(os.path.join(dossier, "__tester__.python3"), "w", encoding="utf-8") as f:
            f.write(programme)
        r = subprocess.run([sys.executable, "__tester__.python3"], cwd=dossier, env=env, capture_output=True,
                           stdin=subprocess.DEVNULL, text=True)
    return r.stdout, r.stderr.strip()


def nettoyer(texte):
    return "\n".join(ligne.rstrip() for ligne in texte.split("\n")).rstrip()


def main():
    prototype, exemple = question("prototype_trevane.xml"), question("exemple_carres.xml")
    echecs = []
    if [prototype.findtext(c) for c in ("prototypetype", "language")] != ["2", "python3"] or \
            [exemple.findtext(c) for c in ("prototypetype", "coderunnertype")] != ["0", prototype.findtext("coderunnertype")]:
        echecs.append("the example question is not of the prototype's type")
    modele, attendu = prototype.findtext("template"), exemple.findtext("testcases/testcase/expected/text")
    cas = {  # answer: (passes, stderr)
        exemple.findtext("answer"): (True, ""),
        REPONSES["juste"]: (True, ""),
        REPONSES["minuscules"]: (False, ""),
        REPONSES["fausse"]: (False, ""),
        REPONSES["erreur_analyse"]: (False, "Erreur à l'analyse du programme, ligne 5 : Erreur de syntaxe"),
        REPONSES["sans_fin"]: (False, "Arrêté après 100000000 instructions."),
        'Afficher "a\\\\b"\n# """\n': (False, ""),   # typed as is: a\\b, and three quotes in a comment
    }
    with tempfile.TemporaryDirectory() as racine:
        env = env_avec_runner(racine, sys.argv[1])
        for reponse, (reussit, erreur) in cas.items():
            sortie, erreurs = executer(modele, reponse, env)
            if (not erreurs and nettoyer(sortie) == nettoyer(attendu), erreurs) != (reussit, erreur) or \
                    ('"""' in reponse and sortie != "a\\\\b\n"):
                echecs.append(f"{reponse!r}: {sortie!r} {erreurs!r}")
        if not RUNNER_INSTALLE:
            _, erreurs = executer(modele, REPONSES["juste"], dict(env, PATH="/usr/bin:/bin"))
            if "trevane-run est introuvable" not in erreurs:
                echecs.append(f"missing runner: {erreurs!r}")
    return bilan(echecs, len(cas) + 2)


if __name__ == "__main__":
    sys.exit(main())
