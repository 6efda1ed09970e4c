#!/usr/bin/env bash
# usage: tests/web/parite.sh NATIF WEB
# Runs each case through the native trevane-run NATIF and through Node on
# WEB (build-web/trevane-run.mjs) and compares stdout, stderr and the exit
# status byte for byte: every end-to-end case of tests/programmes with its
# options (tests/programmes/LISEZMOI.md), the examples, the benchmark
# programs and tests/processeurs/ run to their end, the usage cases, a
# trace file, writes refused, pipes, and programs nested as deep as the
# analysis allows. Exit status 0 only when nothing differs.
set -uo pipefail
cd "$(dirname "$0")/../.."
natif=$1
web=$2
temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT
cas=0
ecarts=0

# comparer NOM ARGUMENTS...: one run each way; a trace written to $temp/suivi.csv is compared too.
comparer() {
    local nom=$1 sn sw
    shift
    "$natif" "$@" >"$temp/n.sortie" 2>"$temp/n.erreurs" </dev/null
    sn=$?
    [ -f "$temp/suivi.csv" ] && mv "$temp/suivi.csv" "$temp/n.csv"
    node "$web" "$@" >"$temp/w.sortie" 2>"$temp/w.erreurs" </dev/null
    sw=$?
    [ -f "$temp/suivi.csv" ] && mv "$temp/suivi.csv" "$temp/w.csv"
    cas=$((cas + 1))
    if [ "$sn" != "$sw" ] || ! cmp -s "$temp/n.sortie" "$temp/w.sortie" || ! cmp -s "$temp/n.erreurs" "$temp/w.erreurs" ||
        { [ -f "$temp/n.csv" ] && ! cmp -s "$temp/n.csv" "$temp/w.csv"; }; then
        ecarts=$((ecarts + 1))
        echo "DIFFÉRENT : $nom (statut $sn / $sw)"
        diff "$temp/n.sortie" "$temp/w.sortie" | head -5
        diff "$temp/n.erreurs" "$temp/w.erreurs" | head -5
    fi
    rm -f "$temp/n.csv" "$temp/w.csv"
}

for programme in tests/programmes/*.txt exemples/*.txt bench/programmes/*.txt tests/processeurs/*.txt; do
    base=${programme%.txt}
    options=()
    if [ -f "$base.options" ]; then
        read -r -a options < <(sed -n 's/^options://p' "$base.options") || true
    fi
    case $programme in bench/* | tests/processeurs/*) options=(--poursuivre 1000) ;; esac
    # Without a seed the clock gives one: both take the same.
    comparer "$programme" --graine 20261208 "${options[@]}" "$programme"
done

comparer "sans argument"
comparer "--help" --help
comparer "--version" --version
comparer "option inconnue" --inconnue exemples/01-somme.txt
comparer "fichier absent" "$temp/absent.txt"
comparer "dossier" "$temp"
comparer "--sortie-programme" --sortie-programme --graine 1 exemples/02-table.txt
comparer "--sortie-programme borné" --sortie-programme --max-instructions 5 bench/programmes/somme.txt
comparer "--suivi" --graine 1 --pas-a-pas --poursuivre 30 --suivi "$temp/suivi.csv" exemples/06-pgcd.txt
comparer "--suivi sur le programme" --suivi exemples/01-somme.txt exemples/01-somme.txt
# Breakpoints inside a loop that runs in many passes of the engine.
comparer "--arret dans une longue boucle" --graine 1 --arret 5 --poursuivre 4 bench/programmes/somme.txt
if [ -w /dev/full ]; then
    "$natif" exemples/01-somme.txt >/dev/full 2>"$temp/n.e"; sn=$?
    node "$web" exemples/01-somme.txt >/dev/full 2>"$temp/w.e"; sw=$?
    cas=$((cas + 1))
    if [ "$sn" != "$sw" ] || ! cmp -s "$temp/n.e" "$temp/w.e"; then
        ecarts=$((ecarts + 1)); echo "DIFFÉRENT : stdout sur /dev/full (statut $sn / $sw)"
    fi
    comparer "--suivi sur /dev/full" --pas-a-pas --suivi /dev/full exemples/01-somme.txt
fi

# Through a pipe, whose reader is slow (every byte arrives, in order) or
# quits early (the native runner dies of SIGPIPE).
comparer_tube() {
    local nom=$1 lecteur=$2 sn sw
    shift 2
    "$natif" "$@" 2>"$temp/n.erreurs" | bash -c "$lecteur" >"$temp/n.sortie"
    sn=${PIPESTATUS[0]}
    node "$web" "$@" 2>"$temp/w.erreurs" | bash -c "$lecteur" >"$temp/w.sortie"
    sw=${PIPESTATUS[0]}
    cas=$((cas + 1))
    if [ "$sn" != "$sw" ] || ! cmp -s "$temp/n.sortie" "$temp/w.sortie" || ! cmp -s "$temp/n.erreurs" "$temp/w.erreurs"; then
        ecarts=$((ecarts + 1))
        echo "DIFFÉRENT : $nom (statut $sn / $sw)"
    fi
}
comparer_tube "lecteur lent" "sleep 1; cat" --poursuivre 1000 bench/programmes/affichage.txt
comparer_tube "lecteur qui s'arrête" "head -c 10" --poursuivre 1000 bench/programmes/affichage.txt

# Expressions nested as deep as the analysis goes: the Node stack must hold
# what the native one does. The runner keeps lines up to a length on Node's
# main thread (ligneMax, web/trevane-run.mjs): the deepest of those, and the
# same one byte longer, which goes to the worker.
ligne_max=$(sed -n 's/^const ligneMax = \([0-9]*\);.*/\1/p' web/trevane-run.mjs)
python3 - "$temp" "$ligne_max" <<'FIN'
import sys
dossier, ligne_max = sys.argv[1], int(sys.argv[2])
debut = "Donner \xe0 x la valeur "
corps = {
    "fonctions": "abs(" * 100000 + "x" + ")" * 100000,
    "operateurs": "x+" * 500000 + "x",
    "parentheses": "(" * 4999 + "x" + ")" * 4999,
}
for reste, suffixe in ((ligne_max - len(debut), "court"), (ligne_max + 1 - len(debut), "long")):
    # Padded with blanks to the length.
    corps["fonctions_" + suffixe] = ("abs(" * ((reste - 1) // 5) + "x" + ")" * ((reste - 1) // 5)).ljust(reste)
    corps["operateurs_" + suffixe] = ("x+" * ((reste - 1) // 2) + "x").ljust(reste)
    corps["parentheses_" + suffixe] = ("(" * ((reste - 1) // 2) + "x" + ")" * ((reste - 1) // 2)).ljust(reste)
for nom, expression in corps.items():
    texte = "Entier x\r\n" + debut + expression + "\r\nAfficher x\r\n"
    open(f"{dossier}/profond_{nom}.txt", "wb").write(texte.encode("cp1252"))
FIN
for programme in "$temp"/profond_*.txt; do
    comparer "$(basename "$programme")" "$programme"
done

echo "$cas cas, $ecarts différents"
[ "$ecarts" = 0 ]
