"""What both plug-in tests share: the answers a teacher meets for the example
exercise of integrations/ ("Carrés", then the squares of 1 to 5, one a line),
typed in a browser (UTF-8), and a PATH that finds the runner under test."""
import os

JUSTE = """Entier i
Afficher "Carrés"
Donner à i la valeur 1
[boucle]
Afficher i*i
Donner à i la valeur i+1
Aller à [boucle] si i <= 5
"""
REPONSES = {
    "juste": JUSTE,
    "minuscules": JUSTE.replace('"Carrés"', '"carrés"'),   # equal as words, not as exact text
    "fausse": JUSTE.replace("valeur 1\n", "valeur 0\n").replace("i <= 5", "i <= 4"),
    "erreur_analyse": JUSTE.replace("Afficher i*i", "Afficher i*i fois"),
    # The right lines, then a loop that never ends: it must not pass.
    "sans_fin": JUSTE + "[encore]\nDonner à i la valeur i*1\nAller à [encore] si i = 6\nAfficher i\n",
}
INTEGRATIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "integrations")
# The plug-ins' own fallbacks: when one holds a runner, "missing" cannot be tested.
RUNNER_INSTALLE = any(os.access(p, os.X_OK) for p in ("/usr/local/bin/trevane-run", "/opt/trevane/bin/trevane-run"))


def env_avec_runner(dossier, runner, **autres):
    os.symlink(os.path.abspath(runner), os.path.join(dossier, "trevane-run"))
    return dict(os.environ, PATH=dossier + os.pathsep + os.environ["PATH"], **autres)


def bilan(echecs, nombre):
    for e in echecs:
        print("FAILED", e)
    print(f"{nombre - len(echecs)} checks of {nombre} passed")
    return 1 if echecs else 0
