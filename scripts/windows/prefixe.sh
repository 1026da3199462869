# Sourced by the Windows scripts. preparer_prefixe makes the Wine prefix
# $WINEPREFIX ready: Wine has no Arial nor MS Sans Serif, and its own
# replacement table (which Qt sees, unlike the system's font substitutes) maps
# them to Liberation Sans, which has Arial's metrics.
preparer_prefixe() {
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    for police in Arial "MS Sans Serif"; do
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$police" /t REG_SZ \
            /d "Liberation Sans" /f >/dev/null 2>&1
    done
    wineserver -w
}
