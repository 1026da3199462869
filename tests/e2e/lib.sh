# Shared by the end-to-end scripts (sourced): skips, waits with a deadline,
# a private work folder, the processes a test started stopped on exit, and a
# virtual display driven with xdotool.
#
# A test exits 0 when it passes, 1 when it fails, 77 (ctest's skip code, see
# tests/e2e/CMakeLists.txt) when a prerequisite is missing, with the reason.

set -uo pipefail

readonly SAUT=77
TRAVAIL=""
PROCESSUS=()

etape() { echo "== $*"; }
sauter() { echo "SKIP: $*" >&2; exit "$SAUT"; }
# echouer MESSAGE: fails the test; a script may define diagnostic() to show
# what it knows first.
echouer() {
    echo "ÉCHEC : $*" >&2
    if declare -F diagnostic >/dev/null; then diagnostic >&2; fi
    exit 1
}

# exiger COMMANDE PAQUET...: skips the test when a command is missing.
exiger() {
    local commande=$1; shift
    command -v "$commande" >/dev/null 2>&1 \
        || sauter "$commande introuvable (paquet Debian : $*; bash scripts/tester.sh l'installe)"
}

# attendre SECONDES DESCRIPTION COMMANDE...: runs COMMANDE every 0.2 s until
# it succeeds; fails the test once SECONDES have gone by.
attendre() {
    local delai=$1 quoi=$2; shift 2
    local fin=$((SECONDS + delai))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < fin)) || echouer "délai de $delai s dépassé : $quoi"
        sleep 0.2
    done
}

# lancer COMMANDE...: starts a background process that ends with the test.
# Its id is in $DERNIER.
lancer() {
    "$@" &
    DERNIER=$!
    PROCESSUS+=("$DERNIER")
}

# arreter PID: asks a process started by lancer to end, then forces it.
arreter() {
    local pid=$1 n
    kill -TERM "$pid" 2>/dev/null || return 0
    for n in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

nettoyer() {
    local i
    for ((i = ${#PROCESSUS[@]} - 1; i >= 0; i--)); do
        arreter "${PROCESSUS[i]}"
    done
    if [ -n "$TRAVAIL" ] && [ -z "${GARDER_TRAVAIL:-}" ]; then
        rm -rf "$TRAVAIL"
    fi
}

# dossier_travail: a private folder in $TRAVAIL, removed on exit (kept when
# GARDER_TRAVAIL is set, to look at a failure).
# The test also gives itself DELAI_TOTAL seconds (240 by default, below
# ctest's TIMEOUT): ctest kills only the script, which would leave the
# display or the print server behind, so the script ends first and cleans up.
dossier_travail() {
    TRAVAIL=$(mktemp -d "${TMPDIR:-/tmp}/brivane-e2e.XXXXXX") || echouer "mktemp"
    trap nettoyer EXIT
    trap 'echo "ÉCHEC : interrompu" >&2; exit 1' INT TERM HUP
    local script=$$
    (
        trap 'kill "$minuterie" 2>/dev/null; exit 0' TERM
        sleep "${DELAI_TOTAL:-240}" &
        minuterie=$!
        wait "$minuterie" && echo "ÉCHEC : délai total dépassé" >&2 && kill -TERM "$script"
    ) &
    PROCESSUS+=("$!")
}

# --- Virtual display -------------------------------------------------------

# affichage_virtuel: starts Xvfb on a free display and exports DISPLAY.
affichage_virtuel() {
    exiger Xvfb xvfb
    exiger xdotool xdotool
    exiger import imagemagick
    local numero="$TRAVAIL/affichage"
    : >"$numero"
    lancer Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numero" 2>"$TRAVAIL/xvfb.log"
    local fin=$((SECONDS + 20))
    until [ -s "$numero" ]; do
        kill -0 "$DERNIER" 2>/dev/null \
            || sauter "Xvfb ne démarre pas : $(tail -3 "$TRAVAIL/xvfb.log" | tr '\n' ' ')"
        ((SECONDS < fin)) || sauter "Xvfb ne répond pas en 20 s"
        sleep 0.1
    done
    export DISPLAY=":$(head -1 "$numero")"
    unset WAYLAND_DISPLAY
}

# fenetre_visible TITRE: the id of the visible window of that exact title.
fenetre_visible() {
    local ids
    ids=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)
    [ -n "$ids" ] && echo "${ids%%$'\n'*}"
}

fenetre_absente() {
    ! fenetre_visible "$1" >/dev/null
}

# origine FENETRE: "X Y", the window's top left corner on the screen.
origine() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '$1=="X"{x=$2} $1=="Y"{y=$2} END{print x, y}'
}

# cliquer FENETRE X Y: a left click at (X, Y) inside the window.
cliquer() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
}

# pixel X Y: "R G B" (0-255) of the screen's pixel.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null \
        | sed -n 's/^0,0: (\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p' \
        | awk '{printf "%d %d %d\n", $1, $2, $3}'
}

# zone X Y LARGEUR HAUTEUR: a fingerprint of that part of the screen.
zone() {
    import -window root -crop "${3}x${4}+$1+$2" -depth 8 rgb:- 2>/dev/null | md5sum
}

# capture FICHIER: the whole screen, to look at after a failure.
capture() {
    import -window root "$1" 2>/dev/null || true
}
