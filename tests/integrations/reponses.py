"""Answers to the example exercise of integrations/ ("Carrés", then the
squares of 1 to 5, one a line), as a learner types them in the browser
(UTF-8), and what each shows: the kinds of answer a teacher meets."""

JUSTE = """Entier i
Afficher "Carrés"
Donner à i la valeur 1
[boucle]
Afficher i*i
Donner à i la valeur i+1
Aller à [boucle] si i <= 5
"""

# The title in small letters: equal as words, not as exact text.
MINUSCULES = JUSTE.replace('"Carrés"', '"carrés"')

# Squares of 0 to 4.
FAUSSE = JUSTE.replace("valeur 1\n", "valeur 0\n").replace("i <= 5", "i <= 4")

ERREUR_ANALYSE = JUSTE.replace("Afficher i*i", "Afficher i*i fois")

# The right lines, then a loop that never ends: it must not pass.
SANS_FIN = JUSTE + """[encore]
Donner à i la valeur i*1
Aller à [encore] si i = 6
Afficher i
"""

REPONSES = {
    "juste": JUSTE,
    "minuscules": MINUSCULES,
    "fausse": FAUSSE,
    "erreur_analyse": ERREUR_ANALYSE,
    "sans_fin": SANS_FIN,
}
