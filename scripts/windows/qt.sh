#!/bin/bash
# Builds Qt 6.4.2 (Core, Gui, Widgets, PrintSupport, Svg) for 64-bit Windows from Debian's own
# source packages, with Debian's MinGW-w64 cross compiler, into a cache folder outside the tree.
# Does nothing when that folder is complete; run it again after an interruption to resume.
#   bash scripts/windows/qt.sh
# Environment: BRIVANE_QT_WINDOWS (install folder), BRIVANE_QT_SOURCES (work folder), JOBS.
set -euo pipefail

debut=$(date +%s)
racine=$(cd "$(dirname "$0")/../.." && pwd)
prefixe=${BRIVANE_QT_WINDOWS:-$HOME/.cache/brivane/qt-6.4.2-mingw64}
travail=${BRIVANE_QT_SOURCES:-$HOME/.cache/brivane/qt-6.4.2-sources}
jobs=${JOBS:-2}
chaine="$racine/cmake/mingw64.cmake"

duree() {
    local s=$(( $(date +%s) - debut ))
    echo "qt.sh : terminé en $((s / 60)) min $((s % 60)) s"
}

if [ -f "$prefixe/.complet" ] && [ -d "$prefixe/licences" ]; then
    echo "qt.sh : Qt pour Windows déjà présent dans $prefixe"
    duree
    exit 0
fi

sudo_si_besoin() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Tools: the cross compiler, the host Qt 6.4.2 (its moc/rcc/uic are used as host tools), the
# source fetcher.
source "$racine/scripts/paquets.sh"

# apt-get source needs deb-src lines for the configured Debian sources.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        grep -q 'debian' "$f" || continue
        sudo_si_besoin sed -i 's/^Types: deb$/Types: deb deb-src/' "$f"
    done
    if [ -f /etc/apt/sources.list ]; then
        sudo_si_besoin sed -i -E 's/^deb (.*debian.*)$/deb \1\ndeb-src \1/' /etc/apt/sources.list
    fi
    sudo_si_besoin apt-get update -qq
fi
installer_paquets g++-mingw-w64-x86-64-posix dpkg-dev cmake ninja-build perl python3 \
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev

mkdir -p "$travail"
cd "$travail"
# Fetches and unpacks a Debian source package once; prints its folder, or nothing when the
# archive does not serve it.
source_de() {
    local paquet=$1 dossier
    dossier=$(find . -maxdepth 1 -type d -name "${paquet}-6.4.2*" | head -n1)
    if [ -z "$dossier" ]; then
        apt-get source --download-only "$paquet" >/dev/null 2>&1 || return 0
        dpkg-source -x --skip-patches "$(ls "${paquet}"_6.4.2*.dsc | head -n1)" >/dev/null
        dossier=$(find . -maxdepth 1 -type d -name "${paquet}-6.4.2*" | head -n1)
    fi
    [ -n "$dossier" ] && echo "$travail/${dossier#./}"
    return 0
}
base=$(source_de qt6-base)
[ -n "$base" ] || { echo "qt.sh : sources de qt6-base introuvables" >&2; exit 1; }

hote=/usr
hote_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

# Only what Brivane loads; the bundled third-party libraries (zlib, png, harfbuzz, pcre2) so
# nothing else has to be cross-built. Windows draws text with its own font engines, so no
# FreeType; no JPEG, no Direct2D platform. Text goes through GDI, not DirectWrite: without the
# Direct2D platform, 6.4.2's print support would call a DirectWrite engine that is not built. The
# repack has no tablet header, so tablet events go; OpenGL stays because the Windows platform
# plugin needs it to compile.
options=(
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefixe"
    -DQT_HOST_PATH="$hote" -DQT_HOST_PATH_CMAKE_DIR="$hote_cmake"
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DBUILD_SHARED_LIBS=ON
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON
    -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON
    -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_system_libb2=OFF -DFEATURE_system_textmarkdownreader=OFF
)
# Configures again only when the options changed, so a resumed build keeps its objects.
configurer() {
    local source=$1 build=$2; shift 2
    local empreinte
    empreinte=$(printf '%s\n' "$@" | md5sum | cut -d' ' -f1)
    if [ ! -f "$build/build.ninja" ] || [ "$(cat "$build/.options" 2>/dev/null)" != "$empreinte" ]; then
        mkdir -p "$build"
        "$@" -S "$source" -B "$build" -G Ninja "${lanceur[@]}"
        echo "$empreinte" > "$build/.options"
    fi
}
configurer "$base" "$base/build" cmake -DCMAKE_TOOLCHAIN_FILE="$chaine" "${options[@]}"
cmake --build "$base/build" -j"$jobs"
cmake --install "$base/build" >/dev/null

# Qt Svg draws the wizard's pictures; when the archive does not serve its sources, the
# Windows build shows them from pictures drawn on this machine instead.
svg=$(source_de qt6-svg)
if [ -n "$svg" ]; then
    configurer "$svg" "$svg/build" "$prefixe/bin/qt-cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    cmake --build "$svg/build" -j"$jobs"
    cmake --install "$svg/build" >/dev/null
else
    echo "qt.sh : sources de qt6-svg indisponibles dans l'archive, Qt Svg non construit"
fi

# What a package that bundles this Qt must carry: Qt's licences and those of the
# third-party code built into it.
mkdir -p "$prefixe/licences"
cp "$base"/LICENSES/{LGPL-3.0-only,GPL-3.0-only,GPL-2.0-only,Qt-GPL-exception-1.0}.txt "$prefixe/licences/"
for tiers in double-conversion easing harfbuzz-ng libpng md4c pcre2 zlib tinycbor blake2 \
             sha3 rfc6234 icc; do
    for f in "$base/src/3rdparty/$tiers"/{LICENSE*,LICENCE*,COPYING*,*_LICENSE,qt_attribution.json}; do
        [ -f "$f" ] && cp "$f" "$prefixe/licences/$tiers-$(basename "$f")"
    done
done

touch "$prefixe/.complet"
echo "qt.sh : Qt pour Windows installé dans $prefixe"
duree
