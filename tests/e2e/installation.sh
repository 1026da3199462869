#!/usr/bin/env bash
# Brivane installed as a desktop program:
#   the menu entry, the AppStream metadata and the manual page are valid;
#   `cmake --install` into a temporary prefix puts every file in its place;
#   the installed brivane-pdf prints the installed sample; the installed
#   brivane, started from another folder, opens the installed doc1.pdf from
#   its help link;
#   the Debian package made by CPack from the same rules lists the same files
#   and declares its dependencies.
#
# installation.sh DOSSIER_DE_CONSTRUCTION DOSSIER_DES_SOURCES

source "$(dirname "$0")/lib.sh"

[ $# -eq 2 ] || echouer "usage : installation.sh DOSSIER_DE_CONSTRUCTION DOSSIER_DES_SOURCES"
CONSTRUCTION=$(realpath "$1") SOURCES=$(realpath "$2")
readonly CONSTRUCTION SOURCES
readonly BUREAU="$SOURCES/resources/bureau"

exiger desktop-file-validate desktop-file-utils
exiger appstreamcli appstream
exiger dpkg-deb dpkg
exiger cpack cmake
exiger pdfinfo poppler-utils
exiger groff groff-base
dossier_travail

# The files an installation holds, under its prefix.
readonly FICHIERS=(
    bin/brivane
    bin/brivane-pdf
    share/brivane/doc1.pdf
    share/brivane/CSVListeElectorale.csv
    share/applications/fr.kelvora.brivane.desktop
    share/icons/hicolor/scalable/apps/fr.kelvora.brivane.svg
    share/metainfo/fr.kelvora.brivane.metainfo.xml
    share/man/man1/brivane-pdf.1.gz
    share/doc/brivane/copyright
)

etape "métadonnées du bureau"
desktop-file-validate "$BUREAU/fr.kelvora.brivane.desktop" >"$TRAVAIL/desktop" 2>&1
[ $? -eq 0 ] && [ ! -s "$TRAVAIL/desktop" ] \
    || echouer "desktop-file-validate : $(cat "$TRAVAIL/desktop")"
appstreamcli validate --pedantic --no-net "$BUREAU/fr.kelvora.brivane.metainfo.xml" \
    >"$TRAVAIL/appstream" 2>&1 || echouer "appstreamcli : $(cat "$TRAVAIL/appstream")"
! grep -q '^[EWIP]:' "$TRAVAIL/appstream" \
    || echouer "appstreamcli --pedantic : $(cat "$TRAVAIL/appstream")"
grep -qx 'Categories=Office;' "$BUREAU/fr.kelvora.brivane.desktop" || echouer "catégorie Office"
grep -q '^MimeType=.*text/csv;' "$BUREAU/fr.kelvora.brivane.desktop" || echouer "type text/csv"

etape "page de manuel de brivane-pdf"
LC_ALL=C.UTF-8 preconv "$SOURCES/tools/pdf/brivane-pdf.1" \
    | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z >"$TRAVAIL/man" 2>&1
[ ! -s "$TRAVAIL/man" ] || echouer "groff : $(cat "$TRAVAIL/man")"

etape "cmake --install dans un préfixe temporaire"
readonly PREFIXE="$TRAVAIL/prefixe"
cmake --install "$CONSTRUCTION" --prefix "$PREFIXE" >"$TRAVAIL/install" 2>&1 \
    || echouer "cmake --install : $(tail -5 "$TRAVAIL/install")"
for fichier in "${FICHIERS[@]}"; do
    [ -f "$PREFIXE/$fichier" ] || echouer "fichier non installé : $fichier"
done
cmp -s "$SOURCES/exemples/CSVListeElectorale.csv" "$PREFIXE/share/brivane/CSVListeElectorale.csv" \
    || echouer "l'exemple installé diffère de exemples/CSVListeElectorale.csv"

etape "brivane-pdf installé imprime l'exemple installé"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
mkdir -p "$TRAVAIL/ailleurs" "$TRAVAIL/config"
: >"$TRAVAIL/ailleurs/reglages.ini"
(cd "$TRAVAIL/ailleurs" && XDG_CONFIG_HOME="$TRAVAIL/config" "$PREFIXE/bin/brivane-pdf" \
    --settings reglages.ini "$PREFIXE/share/brivane/CSVListeElectorale.csv" etiquettes.pdf) \
    >"$TRAVAIL/pdf.log" 2>&1 || echouer "brivane-pdf : $(cat "$TRAVAIL/pdf.log")"
pages=$(pdfinfo "$TRAVAIL/ailleurs/etiquettes.pdf" | awk '/^Pages:/{print $2}')
[ "$pages" = 2 ] || echouer "$pages page(s) pour les 30 électeurs de l'exemple, 2 attendues"

etape "brivane installé trouve son doc1.pdf"
affichage_virtuel
export HOME="$TRAVAIL/maison" XDG_RUNTIME_DIR="$TRAVAIL/session" QT_QPA_PLATFORM=xcb
mkdir -p "$HOME" "$TRAVAIL/bin"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset XDG_CONFIG_HOME DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_QPA_PLATFORMTHEME
readonly OUVERTS="$TRAVAIL/ouverts"
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$OUVERTS" >"$TRAVAIL/bin/xdg-open"
chmod +x "$TRAVAIL/bin/xdg-open"
export PATH="$TRAVAIL/bin:$PATH"
(cd "$TRAVAIL/ailleurs" && exec "$PREFIXE/bin/brivane") >"$TRAVAIL/brivane.log" 2>&1 &
PROCESSUS+=("$!")
readonly PID_BRIVANE=$!
fenetre_ou_fin() {
    fenetre_visible Brivane || ! kill -0 "$PID_BRIVANE" 2>/dev/null
}
attendre 60 "la fenêtre « Brivane » s'affiche" fenetre_ou_fin
fenetre=$(fenetre_visible Brivane) || echouer "Brivane s'est arrêté : $(tail -5 "$TRAVAIL/brivane.log")"
cliquer "$fenetre" 100 134  # Label16 (40, 128, 283 × 13)
attendre 30 "le lecteur de documents est appelé" test -s "$OUVERTS"
ouvert=$(head -1 "$OUVERTS")
ouvert=${ouvert#file://}
[ "$ouvert" -ef "$PREFIXE/share/brivane/doc1.pdf" ] \
    || echouer "document ouvert : $ouvert, attendu : $PREFIXE/share/brivane/doc1.pdf"
cliquer "$fenetre" 556 347  # Quitter
attendre 30 "Brivane se ferme" bash -c "! kill -0 $PID_BRIVANE 2>/dev/null"

etape "paquet Debian (cpack -G DEB)"
(cd "$TRAVAIL" && cpack -G DEB --config "$CONSTRUCTION/CPackConfig.cmake" -B "$TRAVAIL/paquet") \
    >"$TRAVAIL/cpack" 2>&1 || echouer "cpack : $(tail -5 "$TRAVAIL/cpack")"
deb=$(ls "$TRAVAIL"/paquet/brivane_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || echouer "aucun paquet .deb produit"
dpkg-deb -c "$deb" | tee "$TRAVAIL/contenu"
for fichier in "${FICHIERS[@]}"; do
    grep -q " \./usr/$fichier\$" "$TRAVAIL/contenu" || echouer "absent du paquet : /usr/$fichier"
done
depend=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depend"
for paquet in libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-qpa-plugins qt6-translations-l10n \
    fonts-liberation2; do
    grep -q "\b$paquet\b" <<<"$depend" || echouer "dépendance absente du paquet : $paquet"
done

echo "OK : installation, métadonnées et paquet Debian"
