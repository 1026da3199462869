#!/usr/bin/env bash
# Screenshots of the real program to look at, under Xvfb: the main window
# with the sample extraction loaded, then every page of the format wizard, from an upright A4 sheet of 3 × 8 labels
# (a-1-page.png … a-7-merci.png) and from a landscape one of 4 × 5 (b-…),
# which shows the two landscape panels.
#
# tools/captures.sh BRIVANE EXEMPLE.csv DOSSIER
# (it drives the window with the end-to-end tests' helpers)

source "$(dirname "$0")/../tests/e2e/lib.sh"

[ $# -eq 3 ] || echouer "usage : captures.sh BRIVANE EXEMPLE.csv DOSSIER"
[ -x "$1" ] || echouer "programme introuvable : $1"
mkdir -p "$3" || echouer "dossier impossible : $3"
BRIVANE=$(realpath "$1") EXEMPLE=$(realpath "$2") SORTIE=$(realpath "$3")
readonly BRIVANE EXEMPLE SORTIE

dossier_travail
affichage_virtuel
export HOME="$TRAVAIL/maison" XDG_RUNTIME_DIR="$TRAVAIL/session"
mkdir -p "$HOME/.config/Kelvora"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset XDG_CONFIG_HOME DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
readonly INI="$HOME/.config/Kelvora/Brivane.ini"

empreinte() {
    import -window "$1" rgb:- 2>/dev/null | md5sum
}

a_change() {
    [ "$(empreinte "$1")" != "$2" ]
}

prendre() {
    sleep 0.7
    import -window "$1" "$SORTIE/$2.png" || echouer "capture $2"
    echo "$SORTIE/$2.png"
}

# cliquer_puis FENETRE X Y: a click, then the window's picture must change.
cliquer_puis() {
    local avant
    avant=$(empreinte "$1")
    cliquer "$1" "$2" "$3"
    attendre 10 "la fenêtre change après le clic en ($2, $3)" a_change "$1" "$avant"
}

# Without the French locale installed, the window's WM_NAME title is
# garbled past its first accent: looked for by its beginning.
assistant() {
    xdotool search --onlyvisible --name "^Assistant format" 2>/dev/null | head -1 | grep .
}

# seance PREFIXE CLE=VALEUR...: one run of Brivane on a French desktop with
# the sample loaded and these settings; the wizard walked with "Suivant >"
# (120, 432, 75 × 25), then closed with "Annuler", and "Quitter".
seance() {
    local prefixe=$1 page=2 nom
    shift
    { echo "[Brivane]"; echo "PathFich=$EXEMPLE"; printf '%s\n' "$@"; } >"$INI"
    lancer env LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 LANGUAGE=fr "$BRIVANE"
    local pid=$DERNIER
    attendre 60 "la fenêtre « Brivane » s'affiche" fenetre_visible Brivane
    local fenetre
    fenetre=$(fenetre_visible Brivane)
    sleep 2
    [ "$prefixe" = a ] && prendre "$fenetre" principale
    cliquer "$fenetre" 124 259  # "Définir le format..."
    attendre 30 "l'assistant s'ouvre" assistant
    local dialogue
    dialogue=$(assistant)
    sleep 1
    prendre "$dialogue" "$prefixe-1-page"
    for nom in nombre etiquette marges-internes decalage fonte merci; do
        cliquer_puis "$dialogue" 157 444
        prendre "$dialogue" "$prefixe-$page-$nom"
        page=$((page + 1))
    done
    cliquer "$dialogue" 517 444  # "Annuler"
    attendre 10 "l'assistant se ferme" bash -c "! xdotool search --onlyvisible --name '^Assistant format'"
    cliquer "$fenetre" 556 347  # "Quitter"
    attendre 30 "Brivane se ferme" bash -c "! kill -0 $pid 2>/dev/null"
}

seance a
seance b Orientation=1 NbCols=4 NbLignes=5
