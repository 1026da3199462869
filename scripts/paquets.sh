# Installs the Debian 12 packages Brivane needs, only those that are missing.
# Sourced by lancer.sh, tester.sh and the Windows scripts; $1... are the packages.

installer_paquets() {
    local manquants=()
    for paquet in "$@"; do
        dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q 'install ok installed' \
            || manquants+=("$paquet")
    done
    [ ${#manquants[@]} -eq 0 ] && return 0

    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installation de : ${manquants[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${manquants[@]}"
}

PAQUETS_PROGRAMME=(cmake ninja-build g++ qt6-base-dev libgl-dev qt6-translations-l10n
                   qt6-qpa-plugins qt6-svg-dev fonts-liberation2 fonts-dejavu-core)
PAQUETS_TESTS=(googletest libgtest-dev libgmock-dev poppler-utils)
# The installation test: the Debian package's library dependencies, the manual page.
PAQUETS_TESTS+=(dpkg-dev groff-base)
# End to end: a virtual display, a private CUPS with a PDF printer, the
# desktop metadata validators.
PAQUETS_TESTS+=(xvfb xdotool imagemagick cups printer-driver-cups-pdf desktop-file-utils
               appstream)
# Accessibility: Qt's private headers to switch it on in unit tests, and the
# desktop's accessibility bus (D-Bus, AT-SPI and its Python client).
PAQUETS_TESTS+=(qt6-base-private-dev dbus at-spi2-core python3-pyatspi)
