#!/bin/bash
# Cross-builds Brivane for 64-bit Windows with the Qt that qt.sh built, then
# writes into build-windows/ the French installer and the portable zip:
#   build-windows/Brivane-<version>-installation.exe
#   build-windows/Brivane-<version>-windows.zip
#   bash scripts/windows/installeur.sh
set -euo pipefail

debut=$(date +%s)
racine=$(cd "$(dirname "$0")/../.." && pwd)
qt=${BRIVANE_QT_WINDOWS:-$HOME/.cache/brivane/qt-6.4.2-mingw64}
sortie="$racine/build-windows"
mingw=x86_64-w64-mingw32
version=$(sed -n 's/^project(Brivane VERSION \([0-9.]*\).*/\1/p' "$racine/CMakeLists.txt")

if [ ! -f "$qt/.complet" ] || [ ! -d "$qt/licences" ]; then
    echo "installeur.sh : Qt pour Windows absent de $qt ; lancez d'abord bash scripts/windows/qt.sh" >&2
    exit 1
fi

# The cross compiler, the installer maker, the pictures and icon makers, the
# French translations of Qt's dialogs, and a native Qt for the help document.
source "$racine/scripts/paquets.sh"
installer_paquets g++-mingw-w64-x86-64-posix nsis zip librsvg2-bin icoutils qt6-translations-l10n \
    cmake ninja-build qt6-base-dev qt6-svg-dev libgl-dev binutils-mingw-w64-x86-64
[ -f /work/env.sh ] && source /work/env.sh

# The help document is the same PDF on every system: made by a native build.
cmake -S "$racine" -B "$sortie/hote" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBRIVANE_TESTS=OFF >/dev/null
cmake --build "$sortie/hote" --target brivane_doc

"$qt/bin/qt-cmake" -S "$racine" -B "$sortie/programme" -G Ninja \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$racine/cmake/mingw64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBRIVANE_TESTS=OFF \
    -DBRIVANE_DOC_HOTE="$sortie/hote/share/brivane/doc1.pdf" >/dev/null
cmake --build "$sortie/programme" --target brivane brivane-pdf brivane_doc

# The folder installed as it is: programs, help, sample, Qt and the runtime.
dossier="$sortie/Brivane-$version"
rm -rf "$dossier"
mkdir -p "$dossier"
cp "$sortie/programme/app/brivane.exe" "$sortie/programme/tools/pdf/brivane-pdf.exe" \
   "$sortie/programme/share/brivane/doc1.pdf" "$racine/exemples/CSVListeElectorale.csv" \
   "$sortie/programme/brivane.ico" "$dossier/"
"$mingw-strip" "$dossier/brivane.exe" "$dossier/brivane-pdf.exe"

# Plugins Qt loads by name: the platforms (brivane-pdf draws on the minimal one), the
# Windows styles, printing, and the SVG picture support when Qt has it.
for plugin in platforms/qwindows.dll platforms/qminimal.dll styles/*.dll printsupport/*.dll \
              imageformats/qsvg.dll iconengines/qsvgicon.dll; do
    for f in "$qt"/plugins/$plugin; do
        [ -f "$f" ] || continue
        mkdir -p "$dossier/$(dirname "$plugin")"
        cp "$f" "$dossier/$(dirname "$plugin")/"
    done
done

# Exactly the libraries the programs and plugins load, found by walking their
# imports; the system's own libraries are not shipped.
runtime=$(dirname "$("$mingw-g++-posix" -print-libgcc-file-name)")
pthread=/usr/$mingw/lib
trouver() {
    local nom=$1 d
    for d in "$qt/bin" "$runtime" "$pthread"; do
        [ -f "$d/$nom" ] && { echo "$d/$nom"; return 0; }
    done
    return 0  # a system library: not shipped
}
a_voir=("$dossier"/*.exe $(find "$dossier" -mindepth 2 -name '*.dll'))
while [ ${#a_voir[@]} -gt 0 ]; do
    f=${a_voir[0]}
    a_voir=("${a_voir[@]:1}")
    for nom in $("$mingw-objdump" -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
        [ -f "$dossier/$nom" ] && continue
        chemin=$(trouver "$nom")
        [ -n "$chemin" ] || continue
        cp "$chemin" "$dossier/"
        a_voir+=("$dossier/$nom")
    done
done

# Qt's dialogs in French; qt.conf tells Qt where its translations are.
mkdir -p "$dossier/translations"
cp /usr/share/qt6/translations/qtbase_fr.qm "$dossier/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$dossier/qt.conf"

# Licences: Brivane's, Qt's (LGPL 3) and its bundled libraries', the MinGW
# runtime's.
licences="$dossier/licences"
mkdir -p "$licences/qt"
cp "$racine/COPYING" "$dossier/COPYING.txt"
cp -r "$qt/licences/." "$licences/qt/"
for paquet in gcc-mingw-w64-base mingw-w64-common; do
    cp "/usr/share/doc/$paquet/copyright" "$licences/$paquet.txt"
done
cat > "$dossier/LISEZMOI.txt" <<TEXTE
Brivane $version pour Windows

Brivane imprime les étiquettes d'adresse de la liste électorale des parents
d'élèves d'une école primaire, à partir de l'extraction CSV de Base Elèves.
Lancez brivane.exe ; le document d'aide est doc1.pdf, une extraction d'exemple
est CSVListeElectorale.csv. Les réglages sont enregistrés dans
%APPDATA%\\Kelvora\\Brivane.ini.

Brivane est un logiciel libre : vous pouvez le redistribuer et le modifier
selon les termes de la licence publique générale GNU (GPL) version 3, ou
(à votre choix) toute version ultérieure (COPYING.txt). Il est distribué sans
aucune garantie.

Il contient Qt (licence LGPL version 3, avec les licences des bibliothèques
qu'il intègre) et la bibliothèque d'exécution de MinGW-w64 (GCC avec
l'exception de bibliothèque d'exécution, winpthreads) : voir licences\\.
TEXTE
# Windows text files: CR LF.
for f in "$dossier/COPYING.txt" "$dossier/LISEZMOI.txt" "$licences"/*.txt; do
    sed -i 's/\r*$/\r/' "$f"
done

# The zip: the folder as it is, to run from anywhere.
rm -f "$sortie/Brivane-$version-windows.zip"
(cd "$sortie" && zip -qr "Brivane-$version-windows.zip" "Brivane-$version")

# The installer: its lists of files, made from the folder, so the uninstaller
# removes exactly what was installed.
nsis="$sortie/nsis"
rm -rf "$nsis"
mkdir -p "$nsis"
{
    printf '\xEF\xBB\xBF'
    printf '%s\r\n' \
        "Brivane est un logiciel libre : vous pouvez le redistribuer et le modifier selon" \
        "les termes de la licence publique générale GNU (GPL) version 3, ou (à votre choix)" \
        "toute version ultérieure, publiée par la Free Software Foundation. Il est distribué" \
        "sans aucune garantie. Le texte de la licence suit ; les licences de Qt (LGPL 3) et" \
        "de la bibliothèque d'exécution de MinGW-w64 sont installées dans licences\\." ""
    cat "$dossier/COPYING.txt"
} > "$nsis/LICENCE.txt"
cp "$dossier/brivane.ico" "$nsis/"
(
    cd "$dossier"
    find . -type d | sort | while read -r d; do
        fichiers=$(find "$d" -maxdepth 1 -type f | sort)
        [ -n "$fichiers" ] || continue
        echo "SetOutPath \"\$INSTDIR\\${d#./}\"" | sed 's/\\\.\?"$/"/; s|/|\\|g'
        echo "$fichiers" | while read -r f; do
            echo "File \"$dossier/${f#./}\""
        done
    done
    echo 'SetOutPath "$INSTDIR"'
) > "$nsis/fichiers.nsh"
(
    cd "$dossier"
    find . -type f | sort | while read -r f; do
        echo "Delete \"\$INSTDIR\\${f#./}\"" | sed 's|/|\\|g'
    done
    find . -mindepth 1 -type d | sort -r | while read -r d; do
        echo "RMDir \"\$INSTDIR\\${d#./}\"" | sed 's|/|\\|g'
    done
) > "$nsis/effacement.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSOURCE="$nsis" \
    -DSORTIE="$sortie/Brivane-$version-installation.exe" "$racine/scripts/windows/brivane.nsi"

ls -l "$sortie/Brivane-$version-installation.exe" "$sortie/Brivane-$version-windows.zip"
s=$(( $(date +%s) - debut ))
echo "installeur.sh : terminé en $((s / 60)) min $((s % 60)) s"
