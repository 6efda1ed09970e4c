#!/usr/bin/env bash
# Checks that the core's folders are layers: a file includes only headers of
# its own folder and of the folders below it (lowest first in `couches`);
# the front ends (window, tools, web) include any of them, only window/
# includes window/, and the web edition's core (web/) none of tools/.
set -euo pipefail
cd "$(dirname "$0")/.."
couches=(base evaluation analysis execution commands)
rang() {
    local i
    for i in "${!couches[@]}"; do [ "${couches[$i]}" = "$1" ] && { echo "$i"; return; }; done
    echo 99
}
fautes=0
for dossier in "${couches[@]}" tools web; do
    r=$(rang "$dossier")
    while IFS=: read -r fichier _ ligne; do
        cible=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$ligne")
        [ "$cible" = "$ligne" ] && continue   # a header of the same folder, or generated
        rc=$(rang "$cible")
        if [ "$cible" = window ] || { [ "$dossier" = web ] && [ "$cible" = tools ]; } ||
            { [ "$r" != 99 ] && [ "$rc" -gt "$r" ]; }; then
            echo "$fichier: $ligne"
            fautes=$((fautes + 1))
        fi
    done < <(grep -rn '#include "' "$dossier" --include='*.h' --include='*.cpp' --include='*.inc' || true)
done
if [ "$fautes" -ne 0 ]; then
    echo "$fautes include(s) point up the layers (${couches[*]})"
    exit 1
fi
echo "includes: every one points down (${couches[*]}, then window, tools and web)"
