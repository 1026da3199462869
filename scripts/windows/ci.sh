#!/bin/bash
# The Windows stage of the CI: the installer, the cross-built test suite and the
# other Wine checks when the Qt for Windows that qt.sh builds is in its cache
# (building it takes too long for a CI run), else one line saying they were
# skipped and why.
set -euo pipefail
racine=$(cd "$(dirname "$0")/../.." && pwd)
qt=${BRIVANE_QT_WINDOWS:-$HOME/.cache/brivane/qt-6.4.2-mingw64}
if [ ! -f "$qt/.complet" ] || [ ! -d "$qt/licences" ]; then
    echo "Windows : construction et tests sous Wine sautés (Qt pour Windows absent de $qt ; bash scripts/windows/qt.sh le construit)"
    exit 0
fi
bash "$racine/scripts/windows/installeur.sh"
bash "$racine/scripts/windows/tester.sh" suite pdf installeur fenetre
