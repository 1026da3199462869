#!/usr/bin/env bash
# The main window as a person uses it, under Xvfb, with the real dialogs:
#   first run, fresh account: the light is red; the sample is opened through
#   the file dialog by typing its path and the light turns green; the help
#   link opens doc1.pdf; the fields dialog is opened, "Champ Signature"
#   ticked and confirmed; the format wizard is opened, a page width typed and
#   "Annuler" pressed; Tab takes the focus through the six blue buttons in
#   order, Space opens the fields dialog and Return the wizard; "Quitter"
#   writes the settings file's 21 keys, the sheet's width untouched;
#   second run with that file: the extraction is reloaded (light green without
#   opening anything); SIGTERM, as at a logout, writes the same keys again.
# Buttons are pressed at their places in the 619 × 459 window.
#
# fenetre.sh BRIVANE EXEMPLE.csv DOC1.pdf

source "$(dirname "$0")/lib.sh"

[ $# -eq 3 ] || echouer "usage : fenetre.sh BRIVANE EXEMPLE.csv DOC1.pdf"
[ -x "$1" ] || echouer "programme introuvable : $1"
[ -f "$3" ] || echouer "document d'aide introuvable : $3"
BRIVANE=$(realpath "$1") EXEMPLE=$(realpath "$2") DOC=$(realpath "$3")
readonly BRIVANE EXEMPLE DOC

dossier_travail
affichage_virtuel

# A fresh account: its own home, no desktop session to talk to.
export HOME="$TRAVAIL/maison"
export XDG_RUNTIME_DIR="$TRAVAIL/session"
mkdir -p "$HOME" "$TRAVAIL/donnees" "$TRAVAIL/bin"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER \
    QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb
# Qt and the X libraries keep caches until exit; leaks are the unit tests' job.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# The desktop's document opener, replaced by one that notes what it is given.
readonly OUVERTS="$TRAVAIL/ouverts"
cat >"$TRAVAIL/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$1" >>"$OUVERTS"
EOF
chmod +x "$TRAVAIL/bin/xdg-open"
export PATH="$TRAVAIL/bin:$PATH"

readonly EXTRACTION="$TRAVAIL/donnees/CSVListeElectorale.csv"
cp "$EXEMPLE" "$EXTRACTION"
readonly INI="$HOME/.config/Kelvora/Brivane.ini"
readonly CLES=(PathFich Fonte LargeurPage HauteurPage Orientation LargeurEtiq HauteurEtiq NbCols
               NbLignes MargeHaute MargeDroite MargeGauche MargeBasse ImprimerAdresse
               ImprimerEnfant ImprimerClasse MargeInterneHaute MargeInterneDroite
               MargeInterneGauche MargeInterneBasse ImprimerSignature)

FENETRE="" X0=0 Y0=0 PID_BRIVANE="" EXECUTION=0

diagnostic() {
    capture "$TRAVAIL/ecran.png"
    echo "--- écran : $TRAVAIL/ecran.png (GARDER_TRAVAIL=1 pour le garder)"
    local journal
    for journal in "$TRAVAIL"/brivane*.log; do
        [ -f "$journal" ] && { echo "--- $journal"; tail -20 "$journal"; }
    done
    [ -f "$INI" ] && { echo "--- $INI"; cat "$INI"; }
}

fenetre_ou_fin() {
    fenetre_visible Brivane || ! kill -0 "$PID_BRIVANE" 2>/dev/null
}

demarrer_brivane() {
    EXECUTION=$((EXECUTION + 1))
    (cd "$TRAVAIL" && exec "$BRIVANE") >"$TRAVAIL/brivane$EXECUTION.log" 2>&1 &
    PID_BRIVANE=$!
    PROCESSUS+=("$PID_BRIVANE")
    attendre 60 "la fenêtre « Brivane » s'affiche" fenetre_ou_fin
    kill -0 "$PID_BRIVANE" 2>/dev/null || echouer "Brivane s'est arrêté au démarrage"
    FENETRE=$(fenetre_visible Brivane)
    # 619 × 459, centred on the 1024 × 768 screen.
    attendre 10 "la fenêtre est centrée" fenetre_centree
    read -r X0 Y0 < <(origine "$FENETRE")
}

fenetre_centree() {
    [ "$(origine "$FENETRE")" = "$(((1024 - 619) / 2)) $(((768 - 459) / 2))" ]
}

# The status light Led1 (544, 152, 22 × 22): its centre's colour.
voyant() {
    local r v b
    read -r r v b < <(pixel $((X0 + 555)) $((Y0 + 163)))
    case $1 in
        vert) [ "${v:-0}" -ge 200 ] && [ "${r:-255}" -le 80 ] ;;
        rouge) [ "${r:-0}" -ge 200 ] && [ "${v:-255}" -le 80 ] ;;
    esac
}

# The blue buttons in Tab order, "name:left:top". Focused, a button shows a
# white dot at (3, 3), where its dotted rectangle starts.
readonly BOUTONS=(ouvrir:40:152 format:40:248 champs:280:248 imprimer:40:336 apercu:216:336
                  quitter:512:336)
focalise() {
    local b nom x y r v bl trouves=()
    for b in "${BOUTONS[@]}"; do
        IFS=: read -r nom x y <<<"$b"
        read -r r v bl < <(pixel $((X0 + x + 3)) $((Y0 + y + 3)))
        [ "${r:-0}" -ge 200 ] && [ "${bl:-0}" -ge 200 ] && trouves+=("$nom")
    done
    [ "${trouves[*]}" = "$1" ]
}

touche() {
    xdotool key "$1"
    attendre 10 "$1 : le focus passe à « $2 » seul" focalise "$2"
}

focus_sur() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

# dialogue_modal TITRE X Y ACTION: presses the main window at (X, Y), waits
# for the dialog TITRE, runs ACTION with the dialog's window id, and waits
# for the dialog to close.
dialogue_modal() {
    local titre=$1 x=$2 y=$3 action=$4 dialogue
    cliquer "$FENETRE" "$x" "$y"
    attendre 30 "le dialogue « $titre » s'ouvre" fenetre_visible "$titre"
    dialogue=$(fenetre_visible "$titre")
    attendre 10 "le dialogue « $titre » a le clavier" focus_sur "$dialogue"
    "$action" "$dialogue"
    attendre 30 "le dialogue « $titre » se ferme" fenetre_absente "$titre"
}

# --- Steps -------------------------------------------------------------------

voyant_rouge() {
    etape "voyant rouge : aucun fichier"
    attendre 30 "le voyant est rouge" voyant rouge
}

# Qt's file dialog: the file name field has the keyboard.
taper_chemin() {
    xdotool type --delay 5 "$EXTRACTION"
    xdotool key Return
    # Return may first close the completion list.
    sleep 1
    fenetre_absente Ouvrir || xdotool key Return
}

ouvrir_extraction() {
    etape "Ouvrir le fichier... : $EXTRACTION tapé dans le dialogue"
    dialogue_modal Ouvrir 120 163 taper_chemin  # AOLButton1 (40, 152, 161 × 23)
    attendre 30 "le voyant passe au vert" voyant vert
}

lien_aide() {
    etape "lien d'aide : doc1.pdf s'ouvre"
    cliquer "$FENETRE" 100 134  # Label16 (40, 128, 283 × 13)
    attendre 30 "le lecteur de documents est appelé" test -s "$OUVERTS"
    local ouvert
    ouvert=$(head -1 "$OUVERTS")
    ouvert=${ouvert#file://}
    [ "$ouvert" -ef "$DOC" ] || echouer "document ouvert : $ouvert, attendu : $DOC"
}

cocher_signature() {
    cliquer "$1" 26 144   # chkSignature (16, 136, 201 × 17)
    cliquer "$1" 116 212  # OK (79, 200, 75 × 25)
}

champs() {
    etape "Définir les champs... : « Champ Signature » coché, OK"
    dialogue_modal Dialogue 364 259 cocher_signature  # AOLButton4 (280, 248, 169 × 23)
}

# The format wizard: a page width typed in "Largeur (cm) :" (168, 146,
# 49 × 21) and Tab, which re-formats it (the field, without the caret, must
# look different), then "Annuler" (480, 432, 75 × 25), which must drop it.
ZONE_LARGEUR=""
largeur_changee() {
    [ "$(zone "$@")" != "$ZONE_LARGEUR" ]
}

fermer_assistant() {
    local x y
    read -r x y < <(origine "$1")
    local champ=($((x + 168)) $((y + 146)) 49 21)
    ZONE_LARGEUR=$(zone "${champ[@]}")
    cliquer "$1" 192 156
    xdotool key ctrl+a
    xdotool type --delay 5 "25.5"  # the full stop is the locale's separator
    xdotool key Tab
    attendre 10 "la largeur tapée s'affiche" largeur_changee "${champ[@]}"
    cliquer "$1" 517 444
}

assistant() {
    etape "Définir le format... : une largeur tapée puis Annuler"
    dialogue_modal "Assistant format étiquettes" 124 259 fermer_assistant  # AOLButton2 (40, 248)
}

clavier() {
    etape "clavier : Tab parcourt les boutons bleus, Espace et Entrée les pressent"
    xdotool windowfocus --sync "$FENETRE"  # Xvfb has no window manager to do it
    local b
    for b in $(seq 7); do focalise ouvrir && break; xdotool key Tab; sleep 0.3; done
    for b in "${BOUTONS[@]:1}" "${BOUTONS[0]}" format champs; do touche Tab "${b%%:*}"; done
    xdotool key space
    attendre 30 "Espace ouvre le dialogue des champs" fenetre_visible Dialogue
    xdotool key Escape
    attendre 30 "le dialogue des champs se ferme" fenetre_absente Dialogue
    xdotool windowfocus --sync "$FENETRE"
    touche shift+Tab format
    xdotool key Return
    attendre 30 "Entrée ouvre l'assistant" fenetre_visible "Assistant format étiquettes"
    cliquer "$(fenetre_visible "Assistant format étiquettes")" 517 444  # Annuler
    attendre 30 "l'assistant se ferme" fenetre_absente "Assistant format étiquettes"
}

# SIGTERM instead of "Quitter": the settings, removed first, are written again.
fin_de_session() {
    etape "fin de session : SIGTERM"
    rm -f "$INI"
    kill -TERM "$PID_BRIVANE"
    attendre_fin
}

quitter() {
    etape "Quitter"
    cliquer "$FENETRE" 556 347  # AOLButton6 (512, 336, 89 × 23)
    attendre_fin
}

attendre_fin() {
    attendre 30 "Brivane se ferme" bash -c "! kill -0 $PID_BRIVANE 2>/dev/null"
    wait "$PID_BRIVANE"
    local code=$?
    [ "$code" -eq 0 ] || echouer "Brivane s'est terminé avec le code $code"
}

# reglages_ecrits CLE=VALEUR...: the file's section [Brivane] holds exactly
# the 21 keys, once each, and these values.
reglages_ecrits() {
    etape "réglages : les 21 clés de [Brivane] dans $INI"
    [ -f "$INI" ] || echouer "$INI n'a pas été écrit"
    local section
    section=$(awk '/^\[/{dans = ($0 == "[Brivane]" || $0 == "[Brivane]\r")} dans && /=/' "$INI" \
        | tr -d '\r')
    local cle trouvees
    trouvees=$(printf '%s\n' "$section" | cut -d= -f1 | sort)
    [ "$(uniq <<<"$trouvees" | wc -l)" -eq 21 ] \
        || echouer "$(uniq <<<"$trouvees" | wc -l) clés distinctes au lieu de 21"
    [ "$(wc -l <<<"$trouvees")" -eq 21 ] || echouer "clé écrite deux fois"
    for cle in "${CLES[@]}"; do
        grep -qx "$cle" <<<"$trouvees" || echouer "clé absente : $cle"
    done
    local attendue
    for attendue in "$@"; do
        grep -qxF "$attendue" <<<"$section" || echouer "$attendue absent du fichier"
    done
}

# --- The two runs ------------------------------------------------------------

# The first run's steps, in order; each is a function above.
readonly ETAPES_PREMIER_LANCEMENT=(voyant_rouge ouvrir_extraction lien_aide champs assistant
                                  clavier)

etape "premier lancement, compte neuf"
demarrer_brivane
for etape_suivante in "${ETAPES_PREMIER_LANCEMENT[@]}"; do
    "$etape_suivante"
done
quitter
reglages_ecrits "PathFich=$EXTRACTION" "ImprimerSignature=1" "LargeurPage=2100" "NbCols=3"

etape "second lancement : les réglages et l'extraction sont relus"
demarrer_brivane
attendre 60 "l'extraction est rechargée et le voyant passe au vert" voyant vert
fin_de_session
reglages_ecrits "PathFich=$EXTRACTION" "ImprimerSignature=1"

echo "OK : fenêtre, dialogues réels et réglages"
