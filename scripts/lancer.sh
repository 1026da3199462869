#!/usr/bin/env bash
# Installs what is missing, builds Brivane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/paquets.sh
installer_paquets "${PAQUETS_PROGRAMME[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIVANE_TESTS=OFF
cmake --build build -j2
exec ./build/app/brivane
