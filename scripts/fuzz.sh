#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UBSan) and runs
# each for SECONDS (60 by default) from its seed corpus. Fails on any finding:
# a crash, a broken check, a leak, an input slower than its time limit or
# using too much memory. The inputs that found something are kept in
# build-fuzz/trouvailles/.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-60}"
source scripts/paquets.sh
installer_paquets "${PAQUETS_PROGRAMME[@]}" clang libclang-rt-14-dev

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DBRIVANE_FUZZ=ON -DBRIVANE_TESTS=OFF >/dev/null
cmake --build build-fuzz -j2 --target fuzz

# Target, then its own options: inputs long enough to cross the CSV reader's
# 16 KB buffer; a short time limit per input for the text writer.
cibles=(
    "fuzz_csv -max_len=40000"
    "fuzz_champs"
    "fuzz_ini"
    "fuzz_fonte"
    "fuzz_geometrie"
    "fuzz_pages"
    "fuzz_texte -timeout=5"
)
mkdir -p build-fuzz/trouvailles
echec=0
for ligne in "${cibles[@]}"; do
    read -r cible options <<<"$ligne"
    # The seed corpus stays as committed: new inputs go to a scratch copy.
    travail="build-fuzz/corpus/$cible"
    rm -rf "$travail"
    mkdir -p "$travail"
    cp fuzz/corpus/"$cible"/* "$travail"/
    echo "== $cible ($secondes s)"
    # shellcheck disable=SC2086
    if ! QT_QPA_PLATFORM=offscreen "build-fuzz/fuzz/$cible" -max_total_time="$secondes" \
            -timeout=20 -rss_limit_mb=2048 $options \
            -artifact_prefix=build-fuzz/trouvailles/"$cible"- -print_final_stats=1 \
            "$travail" >build-fuzz/"$cible".log 2>&1; then
        echo "ÉCHEC : $cible a trouvé une faute (voir build-fuzz/$cible.log)"
        tail -n 30 build-fuzz/"$cible".log
        echec=1
    else
        grep -E "^stat::number_of_executed_units" build-fuzz/"$cible".log || true
    fi
done
exit "$echec"
