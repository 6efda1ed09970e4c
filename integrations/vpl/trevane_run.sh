#!/bin/bash
# @vpl_script_description Trevane : exécute le premier fichier .txt avec trevane-run
#
# The run script of a VPL activity whose programs are Trevane algorithms.
# VPL runs it as vpl_run.sh in the folder that holds the learner's files (the
# default evaluation runs it too, then each case of vpl_evaluate.cases); it
# must leave an executable vpl_execution, which VPL starts in its console, or
# once per case when evaluating. Here vpl_execution runs the learner's first
# .txt file with `trevane-run --sortie-programme`: stdout gets only what the
# program's display instructions write, and a program that does not end
# well adds one line saying why. See LISEZMOI.md beside this file.

# Instructions a run may take before it is stopped (empty: trevane-run's
# default, 100000000, about a second).
MAX_INSTRUCTIONS=${TREVANE_MAX_INSTRUCTIONS:-}

rm -f vpl_execution
# The learner's files, in the order VPL lists them (VPL_SUBFILE0, ...).
[ -f vpl_environment.sh ] && . ./vpl_environment.sh

runner=$(command -v trevane-run)
if [ -z "$runner" ]; then
    for chemin in /usr/local/bin/trevane-run /opt/trevane/bin/trevane-run; do
        [ -x "$chemin" ] && runner=$chemin && break
    done
fi
if [ -z "$runner" ]; then
    echo "trevane-run est introuvable sur le serveur d'exécution de VPL."
    echo "L'administrateur doit l'installer (paquet .deb de Trevane, ou le binaire"
    echo "statique copié dans /usr/local/bin) : voir integrations/vpl/LISEZMOI.md."
    exit 1
fi

programme=
for ((i = 0; ; i++)); do
    variable=VPL_SUBFILE$i
    fichier=${!variable}
    [ -z "$fichier" ] && break
    case "${fichier,,}" in
        *.txt) programme=$fichier; break ;;
    esac
done
# Without VPL's list (an older VPL, a test by hand): the folder's first .txt.
if [ -z "$programme" ] && [ -z "$VPL_SUBFILE0" ]; then
    for fichier in *.txt; do
        [ -f "$fichier" ] && programme=$fichier && break
    done
fi
if [ -z "$programme" ]; then
    echo "Aucun programme à exécuter : enregistrez l'algorithme dans un fichier .txt."
    exit 1
fi

# Single quotes survive any name once each ' is written '\''.
citer() { printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"; }
{
    echo '#!/bin/sh'
    printf 'exec %s --sortie-programme' "$(citer "$runner")"
    [ -n "$MAX_INSTRUCTIONS" ] && printf ' --max-instructions %s' "$(citer "$MAX_INSTRUCTIONS")"
    printf ' -- %s\n' "$(citer "$programme")"
} > vpl_execution
chmod +x vpl_execution
