#!/bin/bash
# Runs a program of the Windows cross build under Wine, finding Qt's and the
# MinGW runtime's libraries where they are on this machine. CMake uses it as
# the emulator that runs the cross-built tests.
#   scripts/windows/wine.sh PROGRAMME.exe [ARGUMENTS...]
# Environment: WINEPREFIX (made and prepared at first use), BRIVANE_QT_WINDOWS.
set -euo pipefail
qt=${BRIVANE_QT_WINDOWS:-$HOME/.cache/brivane/qt-6.4.2-mingw64}
export WINEPREFIX=${WINEPREFIX:-$HOME/.cache/brivane/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
windows() { local p=$1; echo "Z:${p//\//\\}"; }  # Wine's Z: drive is the Unix root
export WINEPATH="$(windows "$qt/bin");$(windows "$runtime");$(windows /usr/x86_64-w64-mingw32/lib)"

# A new prefix gets its fonts once.
source "$(dirname "$0")/prefixe.sh"
if [ ! -f "$WINEPREFIX/.brivane" ]; then
    preparer_prefixe
    touch "$WINEPREFIX/.brivane"
fi
exec wine "$@"
