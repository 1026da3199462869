#!/usr/bin/env bash
# The labels through the system's printing service, as a real printer gets
# them: a CUPS server of the test's own (its configuration, spool, logs and
# port; the system's is never touched) with a cups-pdf virtual printer; the
# sample's labels and the format's test page printed on it through Qt's
# native printing; the PDFs that cups-pdf writes read back, every label at its
# place within 0.5 mm, the test page's sample where the labels' text goes and
# its outlines around them.
#
# cups-pdf reads its settings only from /etc/cups: the server runs in a mount
# namespace of its own where the test's configuration folder stands there.
#
# cups.sh OUTIL EXEMPLE.csv   (OUTIL: brivane-e2e-impression)

source "$(dirname "$0")/lib.sh"

[ $# -eq 2 ] || echouer "usage : cups.sh OUTIL EXEMPLE.csv"
[ -x "$1" ] || echouer "outil introuvable : $1"
OUTIL=$(realpath "$1") EXEMPLE=$(realpath "$2")
readonly OUTIL EXEMPLE

exiger cupsd cups
exiger lpadmin cups-client
exiger lpstat cups-client
exiger unshare util-linux
exiger pdftotext poppler-utils
readonly BACKEND=/usr/lib/cups/backend/cups-pdf
readonly PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -e "$BACKEND" ] && [ -f "$PPD" ] \
    || sauter "imprimante virtuelle cups-pdf absente (paquet Debian : printer-driver-cups-pdf)"
# cups-pdf runs as root to write for the job's user, and so must its server.
[ "$(id -u)" -eq 0 ] || sauter "le serveur CUPS de test doit tourner en root (pilote cups-pdf)"
unshare --mount true 2>/dev/null \
    || sauter "unshare --mount refusé : impossible d'isoler la configuration de cups-pdf"

dossier_travail
readonly CONF="$TRAVAIL/conf" SORTIE="$TRAVAIL/pdf" FILE=brivane-test
mkdir -p "$CONF/ssl" "$TRAVAIL/spool/tmp" "$TRAVAIL/cache" "$TRAVAIL/etat" "$TRAVAIL/journaux" \
    "$SORTIE" "$TRAVAIL/cups-pdf"
chmod 755 "$TRAVAIL"
chmod 1777 "$TRAVAIL/spool/tmp"
mkdir -m 700 "$TRAVAIL/session"
export XDG_RUNTIME_DIR="$TRAVAIL/session"

diagnostic() {
    local journal
    for journal in "$TRAVAIL"/journaux/*; do
        [ -f "$journal" ] && { echo "--- $journal"; tail -25 "$journal"; }
    done
    echo "--- sorties de cups-pdf :"; ls -la "$SORTIE"
}

# A free port on the loopback.
port_libre() {
    local port
    for port in $(shuf -i 20000-60000 -n 50); do
        ss -Htln "sport = :$port" | grep -q . || { echo "$port"; return 0; }
    done
    return 1
}
PORT=$(port_libre) || sauter "aucun port libre pour le serveur CUPS de test"
export CUPS_SERVER="127.0.0.1:$PORT"

cat >"$CONF/cups-files.conf" <<EOF
ServerRoot $CONF
RequestRoot $TRAVAIL/spool
TempDir $TRAVAIL/spool/tmp
CacheDir $TRAVAIL/cache
StateDir $TRAVAIL/etat
ServerKeychain $CONF/ssl
AccessLog $TRAVAIL/journaux/access_log
ErrorLog $TRAVAIL/journaux/error_log
PageLog $TRAVAIL/journaux/page_log
Printcap $TRAVAIL/etat/printcap
User lp
Group lp
SystemGroup root
FileDevice No
EOF
cat >"$CONF/cupsd.conf" <<EOF
LogLevel debug
Listen 127.0.0.1:$PORT
Browsing No
BrowseLocalProtocols none
DefaultShared No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Location /admin>
  Order allow,deny
  Allow from 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow from 127.0.0.1
  </Limit>
</Policy>
EOF
cat >"$CONF/cups-pdf.conf" <<EOF
Out $SORTIE
AnonDirName $SORTIE
Spool $TRAVAIL/cups-pdf
Log $TRAVAIL/journaux
LogType 3
Grp root
EOF
cupsd -t -c "$CONF/cupsd.conf" -s "$CONF/cups-files.conf" >"$TRAVAIL/journaux/verification" 2>&1 \
    || sauter "configuration CUPS refusée : $(tail -2 "$TRAVAIL/journaux/verification")"

etape "serveur CUPS de test sur $CUPS_SERVER"
lancer unshare --mount --propagation private sh -c \
    'mount --bind "$1" /etc/cups && exec cupsd -f -c "$1/cupsd.conf" -s "$1/cups-files.conf"' \
    sh "$CONF" >"$TRAVAIL/journaux/cupsd.out" 2>&1
readonly PID_CUPSD=$DERNIER
serveur_pret() {
    kill -0 "$PID_CUPSD" 2>/dev/null || return 2
    LC_ALL=C lpstat -r 2>/dev/null | grep -q 'is running'
}
fin=$((SECONDS + 30))
until serveur_pret; do
    kill -0 "$PID_CUPSD" 2>/dev/null \
        || sauter "CUPS ne démarre pas : $(tail -3 "$TRAVAIL/journaux/cupsd.out" "$TRAVAIL/journaux/error_log" 2>/dev/null | tr '\n' ' ')"
    ((SECONDS < fin)) || sauter "CUPS ne répond pas en 30 s sur $CUPS_SERVER"
    sleep 0.2
done

etape "imprimante virtuelle $FILE (cups-pdf)"
# Ghostscript, the default renderer of the PostScript step, turns the label
# fonts into Type 3 glyphs whose text can no longer be read back; pdftocairo
# keeps them as TrueType.
lpadmin -p "$FILE" -E -v cups-pdf:/ -P "$PPD" -o pdftops-renderer-default=pdftocairo \
    2>"$TRAVAIL/journaux/lpadmin" \
    || echouer "lpadmin : $(cat "$TRAVAIL/journaux/lpadmin")"
attendre 20 "l'imprimante $FILE est prête" bash -c "LC_ALL=C lpstat -p '$FILE' | grep -q 'enabled'"

# imprimer NOM REGLAGES: prints the sample with these settings through the
# queue and checks the PDF that comes out; then the same for the test page.
imprimer() {
    local nom=$1 reglages=$2
    etape "$nom : impression de l'exemple sur $FILE"
    passer_par_cups "$nom" imprime "$FILE" "$reglages" "$EXEMPLE"
    etape "$nom : relecture de $(basename "$PDF")"
    QT_QPA_PLATFORM=offscreen "$OUTIL" verifie "$reglages" "$EXEMPLE" "$PDF" \
        || echouer "$nom : étiquettes mal placées dans le PDF imprimé"

    etape "$nom : page de test sur $FILE"
    passer_par_cups "$nom, page de test" imprime-test "$FILE" "$reglages"
    etape "$nom : relecture de la page de test $(basename "$PDF")"
    QT_QPA_PLATFORM=offscreen "$OUTIL" verifie-test "$reglages" "$PDF" \
        || echouer "$nom : page de test mal placée dans le PDF imprimé"
}

# passer_par_cups NOM ARGUMENTS...: runs the tool's printing mode, waits for
# cups-pdf to write its PDF and for the queue to empty; the PDF is in $PDF.
PDF=""
passer_par_cups() {
    local nom=$1; shift
    rm -f "$SORTIE"/*.pdf
    QT_QPA_PLATFORM=offscreen "$OUTIL" "$@" || echouer "$nom : l'impression a échoué"
    attendre 120 "$nom : cups-pdf écrit le PDF et la file se vide" \
        bash -c "ls '$SORTIE'/*.pdf && [ -z \"\$(LC_ALL=C lpstat -o '$FILE')\" ]"
    PDF=$(ls "$SORTIE"/*.pdf | head -1)
}

# The default sheet (A4 upright, 3 × 8), and a landscape one whose offsets
# differ on every side.
: >"$TRAVAIL/defaut.ini"
printf '[Brivane]\r\nOrientation=1\r\nNbCols=4\r\nNbLignes=4\r\nLargeurEtiq=650\r\nHauteurEtiq=400\r\nMargeHaute=120\r\nMargeBasse=70\r\nMargeGauche=150\r\nMargeDroite=90\r\nImprimerSignature=1\r\n' \
    >"$TRAVAIL/paysage.ini"
imprimer "A4 portrait" "$TRAVAIL/defaut.ini"
imprimer "A4 paysage" "$TRAVAIL/paysage.ini"

echo "OK : étiquettes et page de test imprimées par CUPS à leur place"
