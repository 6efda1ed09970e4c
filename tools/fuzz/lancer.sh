#!/usr/bin/env bash
# Fuzzing campaign: builds the two libFuzzer targets with clang (address and
# undefined-behaviour sanitizers) and runs each for the given seconds, seeded
# from the test programs and the benchmark programs.
#   tools/fuzz/lancer.sh [seconds per target, default 600]
set -euo pipefail
cd "$(dirname "$0")/../.."
duree=${1:-600}
dossier=build-fuzz
mkdir -p "$dossier/corpus-programme" "$dossier/corpus-fichier" "$dossier/trouvailles"
command -v clang++ >/dev/null || { echo "clang++ manque : apt-get install clang"; exit 1; }

sources=$(ls base/*.cpp evaluation/*.cpp analysis/*.cpp execution/*.cpp execution/moteur/*.cpp commands/*.cpp tools/fenetre_memoire.cpp)
options="-std=c++20 -O1 -g -I. -ffp-contract=off -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all"
for cible in programme fichier; do
    if [ ! -x "$dossier/fuzz_$cible" ] || [ -n "$(find analysis expressions execution window tools -newer "$dossier/fuzz_$cible" -name '*.[ch]*' | head -1)" ]; then
        echo "construction de fuzz_$cible"
        clang++ $options tools/fuzz/fuzz_$cible.cpp $sources -o "$dossier/fuzz_$cible"
    fi
done

cp -n tests/programmes/*.txt bench/programmes/*.txt "$dossier/corpus-programme/" 2>/dev/null || true
cp -n tests/programmes/*.txt "$dossier/corpus-fichier/" 2>/dev/null || true

for cible in programme fichier; do
    echo "== fuzz_$cible, ${duree} s"
    "$dossier/fuzz_$cible" "$dossier/corpus-$cible" -max_total_time="$duree" -timeout=10 -rss_limit_mb=4096 \
        -max_len=4096 -artifact_prefix="$dossier/trouvailles/" -print_final_stats=1 2>&1 | tail -n 25
done
