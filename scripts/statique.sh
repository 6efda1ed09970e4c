#!/usr/bin/env bash
# trevane-run and trevane-verifier linked statically for Linux x86-64, for a
# sandbox server (VPL, Jobe) without Qt or a recent C++ library: each is one
# file that needs nothing else. Built apart from the usual build, then, as
# root, checked in an empty chroot holding only the binary and a program.
#   scripts/statique.sh      (build in build-statique/, or $TREVANE_BUILD_STATIQUE)
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/paquets_debian.sh
installer_paquets cmake make g++ libc6-dev libgtest-dev file

dossier=$(realpath -m "${TREVANE_BUILD_STATIQUE:-build-statique}")
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dossier" -DCMAKE_BUILD_TYPE=Release -DTREVANE_FENETRE=OFF -DTREVANE_BENCH=OFF \
    -DCMAKE_EXE_LINKER_FLAGS="-static -s" "${lanceur[@]}" >/dev/null
cmake --build "$dossier" -j"$(nproc)" --target trevane-run trevane-verifier

for programme in trevane-run trevane-verifier; do
    if ! file "$dossier/$programme" | grep -q 'statically linked'; then
        echo "$programme n'est pas lié statiquement" >&2
        exit 1
    fi
done

if [ "$(id -u)" != 0 ]; then
    echo "(vérification dans un chroot vide sautée : il faut être root)"
else
    # Nothing but the binary, the learner's program and the expected lines.
    racine=$(mktemp -d)
    trap 'rm -rf "$racine"' EXIT
    printf 'Entier n\r\nDonner \xe0 n la valeur 6*7\r\nAfficher "R\xe9ponse :" ; n\r\n' > "$racine/programme.txt"
    printf 'R\xc3\xa9ponse : 42\n' > "$racine/attendu.txt"
    cp "$dossier/trevane-run" "$dossier/trevane-verifier" "$racine/"
    sortie=$(chroot "$racine" /trevane-run --sortie-programme /programme.txt)
    if [ "$sortie" != "$(cat "$racine/attendu.txt")" ]; then
        echo "trevane-run dans le chroot : « $sortie »" >&2
        exit 1
    fi
    if ! chroot "$racine" /trevane-verifier --attendu /attendu.txt /programme.txt > "$racine/rapport"; then
        cat "$racine/rapport" >&2
        echo "trevane-verifier dans le chroot : échec" >&2
        exit 1
    fi
    echo "Les deux programmes marchent seuls dans un chroot vide."
fi
ls -l "$dossier/trevane-run" "$dossier/trevane-verifier" | awk '{ printf "%s : %d octets\n", $NF, $5 }'
