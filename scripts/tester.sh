#!/usr/bin/env bash
# Installs what is missing, builds Brivane with AddressSanitizer and UBSan, and
# runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/paquets.sh
installer_paquets "${PAQUETS_PROGRAMME[@]}" "${PAQUETS_TESTS[@]}"
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBRIVANE_SANITIZE=ON -DBRIVANE_TESTS=ON
cmake --build build-tests -j2
(cd build-tests && QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --timeout 300)
# Root skips the tests about file permissions: they run again as nobody.
if [ "$(id -u)" -eq 0 ]; then
    bash scripts/tester_sans_root.sh build-tests
fi
