#!/bin/bash
# The Windows build checked under Wine (after installeur.sh, with the Qt of qt.sh):
#  1. the GoogleTest suite cross-built and run by ctest through Wine;
#  2. brivane-pdf.exe against the Linux brivane-pdf, on the sample and on 2,000 voters;
#  3. the installer, silent, in a fresh Wine prefix, then its uninstaller;
#  4. brivane.exe under Xvfb: title, sample opened (green light), Brivane.ini
#     written at "Quitter" and read at the next start; screenshots.
#   bash scripts/windows/tester.sh [suite|pdf|installeur|fenetre]...
set -euo pipefail

debut=$(date +%s)
racine=$(cd "$(dirname "$0")/../.." && pwd)
qt=${BRIVANE_QT_WINDOWS:-$HOME/.cache/brivane/qt-6.4.2-mingw64}
sortie="$racine/build-windows"
captures=${BRIVANE_CAPTURES:-$sortie/captures}
version=$(sed -n 's/^project(Brivane VERSION \([0-9.]*\).*/\1/p' "$racine/CMakeLists.txt")
installeur="$sortie/Brivane-$version-installation.exe"
etapes=("$@")
[ ${#etapes[@]} -gt 0 ] || etapes=(suite pdf installeur fenetre)

source "$racine/scripts/paquets.sh"
installer_paquets wine wine64 xvfb xdotool x11-utils imagemagick poppler-utils python3 librsvg2-bin
[ -f /work/env.sh ] && source /work/env.sh
[ -f "$installeur" ] || bash "$racine/scripts/windows/installeur.sh"

travail=$(mktemp -d)
ecran=""
nettoyer() {
    [ -n "$ecran" ] && kill "$ecran" 2>/dev/null
    WINEPREFIX="$travail/prefixe" wineserver -k 2>/dev/null || true
    rm -rf "$travail"
}
trap nettoyer EXIT
echouer() { echo "ÉCHEC : $*" >&2; exit 1; }

# One X server for every Windows window of the run.
for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { export DISPLAY=":$n"; break; }
done
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
ecran=$!
sleep 1

hote="$sortie/hote"
vivant() { kill -0 "$1" 2>/dev/null; }

suite() {
    echo "== suite GoogleTest sous Wine"
    local b="$sortie/tests"
    "$qt/bin/qt-cmake" -S "$racine" -B "$b" -G Ninja \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$racine/cmake/mingw64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBRIVANE_TESTS=ON \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$racine/scripts/windows/wine.sh" \
        -DBRIVANE_DOC_HOTE="$hote/share/brivane/doc1.pdf" >/dev/null
    cmake --build "$b" -j2
    # The tests' Wine prefix is the build's own; WINEPREFIX reaches wine.sh.
    # Wine's own background programs (services, devices) start with the first
    # program that needs them and inherit its output: started here, with the
    # server kept alive, they hold no test's output open past its end. Should
    # a test process still hang at its exit, a failed test gets a second run.
    # The whole report stays in build-windows/ctest-wine.log; the counts are shown.
    export WINEPREFIX="$b/wine"
    "$racine/scripts/windows/wine.sh" wineboot >/dev/null 2>&1 </dev/null  # made at first use
    wineserver -k 2>/dev/null || true
    wineserver -w
    wineserver -p
    "$racine/scripts/windows/wine.sh" wineboot >/dev/null 2>&1 </dev/null
    (cd "$b" && QT_QPA_PLATFORM=offscreen \
        ctest -j2 --timeout 300 --repeat until-pass:2 --output-on-failure) \
        > "$sortie/ctest-wine.log" 2>&1 || true
    wineserver -k 2>/dev/null || true
    unset WINEPREFIX
    grep -E 'tests passed|\(Failed\)|\(Timeout\)' "$sortie/ctest-wine.log" | tail -60
    echo "sautés : $(grep -c '\*\*\*Skipped' "$sortie/ctest-wine.log")"
    grep -q '^100% tests passed' "$sortie/ctest-wine.log" || echouer "suite GoogleTest sous Wine"
}

pdf() {
    echo "== brivane-pdf.exe contre brivane-pdf (Linux)"
    cmake --build "$hote" --target brivane-pdf brivane-genere >/dev/null
    "$hote/tools/brivane-genere" 2000 "$travail/2000.csv" >/dev/null
    : > "$travail/vide.ini"
    local exe="$sortie/Brivane-$version/brivane-pdf.exe" nom
    for nom in exemple 2000; do
        local csv="$travail/$nom.csv"
        [ "$nom" = exemple ] && csv="$racine/exemples/CSVListeElectorale.csv"
        QT_QPA_PLATFORM=offscreen "$hote/tools/pdf/brivane-pdf" --settings "$travail/vide.ini" \
            "$csv" "$travail/$nom-linux.pdf"
        WINEPREFIX="$travail/prefixe-pdf" "$racine/scripts/windows/wine.sh" "$exe" \
            --settings "Z:${travail//\//\\}\\vide.ini" "Z:${csv//\//\\}" \
            "Z:${travail//\//\\}\\$nom-windows.pdf"
        pdftotext -bbox "$travail/$nom-linux.pdf" "$travail/$nom-linux.html"
        pdftotext -bbox "$travail/$nom-windows.pdf" "$travail/$nom-windows.html"
        python3 "$racine/tests/windows/comparer_pdf.py" "$travail/$nom-linux.html" \
            "$travail/$nom-windows.html" 0.1 || echouer "PDF $nom"
    done
}

# The installed program, in a fresh prefix that has only what the installer put.
export WINEDEBUG=-all
source "$racine/scripts/windows/prefixe.sh"
prefixe_neuf() {
    export WINEPREFIX="$travail/prefixe"
    rm -rf "$WINEPREFIX"
    preparer_prefixe
    wine "$installeur" /S
    wineserver -w
}
installe() { echo "$WINEPREFIX/drive_c/Program Files/Brivane"; }

installeur_silencieux() {
    echo "== installation silencieuse, puis désinstallation"
    prefixe_neuf
    local dossier
    dossier=$(installe)
    for f in brivane.exe brivane-pdf.exe doc1.pdf CSVListeElectorale.csv COPYING.txt \
             platforms/qwindows.dll licences/qt/LGPL-3.0-only.txt desinstaller.exe; do
        [ -f "$dossier/$f" ] || echouer "fichier installé absent : $f"
    done
    [ -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brivane.lnk" ] \
        || echouer "raccourci du menu Démarrer"
    wine reg query 'HKCR\Brivane' /v path 2>/dev/null | grep -q 'C:\\Program Files\\Brivane' \
        || echouer "valeur path de HKCR\\Brivane"
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brivane' \
        /v UninstallString >/dev/null 2>&1 || echouer "entrée de désinstallation"
    # The installed brivane-pdf.exe finds its libraries in its own folder.
    WINEPATH= wine "C:\\Program Files\\Brivane\\brivane-pdf.exe" \
        "C:\\Program Files\\Brivane\\CSVListeElectorale.csv" 'C:\exemple.pdf'
    wineserver -w
    pdftotext "$WINEPREFIX/drive_c/exemple.pdf" - | grep -q . || echouer "brivane-pdf installé"
    wine "C:\\Program Files\\Brivane\\desinstaller.exe" /S
    wineserver -w
    sleep 2
    [ ! -e "$dossier" ] || echouer "reste après désinstallation : $(find "$dossier" | head -5)"
    [ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brivane.lnk" ] \
        || echouer "raccourci après désinstallation"
    ! wine reg query 'HKCR\Brivane' >/dev/null 2>&1 || echouer "clé HKCR\\Brivane après désinstallation"
    echo "installation, fichiers, raccourci, registre, impression, désinstallation : OK"
}

# The colour of one pixel of a window's screenshot, as "r,g,b".
pixel() { convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r)],%[fx:int(255*p{'"$2"','"$3"'}.g)],%[fx:int(255*p{'"$2"','"$3"'}.b)]' info:; }
# Where a client area (619 x 459 for the main window) starts in the X window,
# which may also hold the frame and caption Wine draws: "x y".
client() {
    local l h cl=${2:-619} ch=${3:-459}
    l=$(xwininfo -id "$1" | sed -n 's/^ *Width: //p')
    h=$(xwininfo -id "$1" | sed -n 's/^ *Height: //p')
    echo "$(( (l - cl) / 2 )) $(( h - ch - (l - cl) / 2 ))"
}
# Presses "Quitter" (512, 336, 89 x 23 in the client area) until the window
# goes: once a dialog has closed, Wine may take the first press to activate it.
quitter() {
    local x y essai
    read -r x y < <(client "$1")
    for essai in 1 2 3 4 5; do
        xdotool mousemove --window "$1" $((x + 556)) $((y + 347)) click 1 2>/dev/null || return 0
        sleep 2
        xwininfo -id "$1" >/dev/null 2>&1 || return 0
    done
}
fenetre_de() {
    local id="" i
    for i in $(seq 1 120); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) && [ -n "$id" ] && break
        sleep 1
    done
    echo "$id"
}

fenetre() {
    echo "== brivane.exe sous Wine et Xvfb"
    prefixe_neuf
    mkdir -p "$captures"
    local ini
    ini="$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')"
    ini="$WINEPREFIX/drive_c/${ini#C:\\}"
    ini="${ini//\\//}/Kelvora/Brivane.ini"
    mkdir -p "$(dirname "$ini")"
    # The last file, in the ANSI code page as Windows writes it.
    printf '[Brivane]\r\nPathFich=C:\\Program Files\\Brivane\\CSVListeElectorale.csv\r\nNbLignes=7\r\n' > "$ini"

    wine "C:\\Program Files\\Brivane\\brivane.exe" &
    local pid=$! id
    id=$(fenetre_de Brivane)
    [ -n "$id" ] || echouer "pas de fenêtre « Brivane »"
    sleep 3
    import -window "$id" "$captures/fenetre.png"
    local bx by
    read -r bx by < <(client "$id")
    # The light's centre (it stands at 544, 152 in the client area).
    local vert
    vert=$(pixel "$captures/fenetre.png" $((bx + 552)) $((by + 160)))
    IFS=, read -r r g b <<< "$vert"
    [ "$r" -lt 80 ] && [ "$g" -gt 160 ] || echouer "voyant pas vert : $vert"
    # "Définir le format..." (40, 248, 169 wide) opens the wizard.
    xdotool mousemove --window "$id" $((bx + 120)) $((by + 258)) click 1
    local assistant
    assistant=$(fenetre_de 'Assistant format étiquettes')
    sleep 3
    [ -n "$assistant" ] && import -window "$assistant" "$captures/assistant.png"
    # Wine takes no synthetic key presses: the mouse presses "Annuler" (the
    # wizard's client area is 624 x 472, the button at 480, 432).
    if [ -n "$assistant" ]; then
        read -r ax ay < <(client "$assistant" 624 472)
        xdotool mousemove --window "$assistant" $((ax + 517)) $((ay + 443)) click 1
    fi
    sleep 1
    rm -f "$ini"
    quitter "$id"
    wait "$pid" || true
    [ -f "$ini" ] || echouer "Brivane.ini pas écrit à la fermeture"
    grep -q 'NbLignes=7' "$ini" || echouer "Brivane.ini : le réglage lu n'est pas gardé"
    grep -q '^PathFich=C:\\Program Files\\Brivane\\CSVListeElectorale.csv' "$ini" \
        || echouer "Brivane.ini : chemin du fichier"

    # Next start: the settings written are read back.
    sed -i 's/NbLignes=7/NbLignes=6/' "$ini"
    wine "C:\\Program Files\\Brivane\\brivane.exe" &
    pid=$!
    id=$(fenetre_de Brivane)
    [ -n "$id" ] || echouer "pas de fenêtre au second lancement"
    sleep 3
    import -window "$id" "$captures/fenetre-2.png"
    quitter "$id"
    wait "$pid" || true
    grep -q 'NbLignes=6' "$ini" || echouer "Brivane.ini pas relu au second lancement"
    echo "fenêtre, voyant vert, Brivane.ini écrit et relu : OK (captures dans $captures)"
}

for etape in "${etapes[@]}"; do
    case $etape in
        suite) suite ;;
        pdf) pdf ;;
        installeur) installeur_silencieux ;;
        fenetre) fenetre ;;
        *) echouer "étape inconnue : $etape" ;;
    esac
done
s=$(( $(date +%s) - debut ))
echo "tests Windows : terminés en $((s / 60)) min $((s % 60)) s"
