"""integrations/coderunner/ as CodeRunner runs it: the prototype's template
with the answer put in as CodeRunner's Twig does ({{ STUDENT_ANSWER | e('py') }}
escapes backslashes and double quotes), run by python3 in a scratch folder as
on a Jobe server, and judged as CodeRunner judges a per-test run: output on
stderr is an error that ends the testing, otherwise the EqualityGrader
compares the output with the test's expected text once trailing white space
is removed from each line and from the end (CodeRunner's README, "Supporting
or implementing new languages", "Twig Escapers", "Question types";
https://github.com/trampgeek/moodle-qtype_coderunner).

    python3 test_coderunner.py TREVANE-RUN"""
import os, re, subprocess, sys, tempfile
import xml.etree.ElementTree as ET

from reponses import REPONSES

ICI = os.path.dirname(os.path.abspath(__file__))
CODERUNNER = os.path.join(ICI, "..", "..", "integrations", "coderunner")


def questions(fichier):
    return ET.parse(os.path.join(CODERUNNER, fichier)).getroot().findall("question[@type='coderunner']")


def programme_du_modele(modele, reponse):
    echappee = reponse.replace("\\", "\\\\").replace('"', '\\"')
    programme = modele.replace("{{ STUDENT_ANSWER | e('py') }}", echappee)
    if "{{" in programme or "{%" in programme:
        raise ValueError("the template uses more of Twig than the answer")
    return programme


def nettoyer(texte):
    return "\n".join(ligne.rstrip() for ligne in texte.split("\n")).rstrip()


def executer(programme, stdin, env):
    """As Jobe runs a python3 job: the source in a file of a fresh folder,
    the test's stdin given."""
    with tempfile.TemporaryDirectory() as dossier:
        with open(os.path.join(dossier, "__tester__.python3"), "w", encoding="utf-8") as f:
            f.write(programme)
        r = subprocess.run([sys.executable, "__tester__.python3"], cwd=dossier, env=env, capture_output=True,
                           input=stdin.encode())
    return r.stdout.decode(), r.stderr.decode()


def main():
    runner = os.path.abspath(sys.argv[1])
    [prototype] = questions("prototype_trevane.xml")
    [exemple] = questions("exemple_carres.xml")
    echecs = []
    type_ = prototype.findtext("coderunnertype")
    if (prototype.findtext("prototypetype"), prototype.findtext("language"), exemple.findtext("prototypetype"),
            exemple.findtext("coderunnertype")) != ("2", "python3", "0", type_):
        echecs.append("the example question is not of the prototype's type")
    modele = prototype.findtext("template")
    [test] = exemple.findall("testcases/testcase")
    attendu = test.findtext("expected/text")
    with tempfile.TemporaryDirectory() as racine:
        os.symlink(runner, os.path.join(racine, "trevane-run"))
        env = dict(os.environ, PATH=racine + os.pathsep + os.environ["PATH"])
        reponses = dict(REPONSES, exemple=exemple.findtext("answer"))
        cas = {  # answer: (passes, text on stderr)
            "exemple": (True, None),
            "juste": (True, None),
            "minuscules": (False, None),
            "fausse": (False, None),
            "erreur_analyse": (False, "Erreur à l'analyse du programme, ligne 5 : Erreur de syntaxe"),
            "sans_fin": (False, "Arrêté après 100000000 instructions."),
        }
        for nom, (reussit, erreur) in cas.items():
            sortie, erreurs = executer(programme_du_modele(modele, reponses[nom]), test.findtext("stdin/text") or "",
                                       env)
            obtenu = (not erreurs and nettoyer(sortie) == nettoyer(attendu), erreurs.strip() or None)
            if obtenu != (reussit, erreur):
                echecs.append(f"{nom}: {obtenu}, output {sortie!r}")
        # A backslash and a double quote reach the file as typed.
        sortie, erreurs = executer(programme_du_modele(modele, 'Afficher "a\\\\b"\n# """\n'), "", env)
        if (sortie, erreurs) != ('a\\\\b\n', ""):
            echecs.append(f"escaped answer: {sortie!r} {erreurs!r}")
        if not any(os.access(p, os.X_OK) for p in ("/usr/local/bin/trevane-run", "/opt/trevane/bin/trevane-run")):
            sortie, erreurs = executer(programme_du_modele(modele, reponses["juste"]), "",
                                       dict(env, PATH="/usr/bin:/bin"))
            if "trevane-run est introuvable" not in erreurs:
                echecs.append(f"missing runner: {erreurs!r}")
    for e in echecs:
        print("FAILED", e)
    print(f"{len(cas) + 3 - len(echecs)} checks of {len(cas) + 3} passed")
    return 1 if echecs else 0


if __name__ == "__main__":
    sys.exit(main())
