#!/usr/bin/env bash
# Runs as the unprivileged user "nobody" the tests that skip under root (root
# reads and writes any file whatever its permission bits): an extraction
# that cannot be read, a read-only settings file. Fails if one of them fails
# or skips. tester.sh calls it when it runs as root; $1 is the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
construction="${1:-build-tests}"
tests=(
    "import/tests_ucsv LectureCsv.FichierSansDroitDeLecture"
    "app/tests_ureglages FichierReglages.UnFichierEnLectureSeuleNEstPasRemplace"
)

# The build folder may lie where nobody cannot go (under /root): the test
# programs (our libraries are linked in statically) run from a copy.
copie=$(mktemp -d)
trap 'rm -rf "$copie"' EXIT
chmod 755 "$copie"
install -d -m 1777 "$copie/tmp"
for ligne in "${tests[@]}"; do
    read -r programme filtre <<<"$ligne"
    nom=$(basename "$programme")
    install -m 755 "$construction/tests/$programme" "$copie/$nom"
    if ! sortie=$(cd "$copie" && env HOME="$copie/tmp" TMPDIR="$copie/tmp" \
            XDG_RUNTIME_DIR="$copie/tmp" QT_QPA_PLATFORM=offscreen \
            setpriv --reuid=nobody --regid=nogroup --clear-groups \
            "./$nom" --gtest_filter="$filtre" 2>&1); then
        echo "$sortie"
        echo "ÉCHEC : $filtre (utilisateur nobody)"
        exit 1
    fi
    if ! grep -q '^\[  PASSED  \] 1 test' <<<"$sortie" || grep -q 'SKIPPED' <<<"$sortie"; then
        echo "$sortie"
        echo "ÉCHEC : $filtre n'a pas été exécuté par l'utilisateur nobody"
        exit 1
    fi
    echo "$filtre : réussi (utilisateur nobody)"
done
