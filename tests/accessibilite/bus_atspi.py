#!/usr/bin/python3
"""Brivane on the desktop's accessibility bus, read and pressed as a screen
reader does it: the built program under Xvfb, in a private D-Bus session with
the AT-SPI bus and a fresh home, read through Debian's python3-pyatspi.

First start: the five buttons and the red light; "Définir les champs..."
pressed through the bus opens the fields dialog, "Annuler" closes it, and
"Quitter" ends the program with the settings written. Second start, with a good
extraction in the settings: the light is green.

    bus_atspi.py PATH_TO_BRIVANE

Everything runs in one process group of its own, ended whatever happens; every
wait is a poll with a time limit.
"""

import importlib.util
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# Below the ctest TIMEOUT, so that the clean-up always runs here.
DELAI_TOTAL = 150
DELAI = 40
MARQUE = "BRIVANE_BUS_ATSPI_DOSSIER"

BOUTONS = ["Ouvrir le fichier...", "Définir le format...", "Définir les champs...",
           "Imprimer les étiquettes...", "Aperçu...", "Quitter"]
CASES = ["Nom de l'enfant N° 1", "Classe de l'enfant N° 1", "Adresse du responsable",
         'Champ "Signature" ']
TRI = "Trier les étiquettes par classe"
EXTRACTION = ("numéro;civilité responsable;nom responsable;prénom responsable;"
              "adresse responsable;cp responsable;commune responsable;nom enfant 1;"
              "classe enfant 1\r\n"
              + "1;Mme;UNTEST;Hildegarde;12, rue des Tests;99999;TESTEVILLE;Charles;CM2\r\n" * 2)


class Echec(Exception):
    pass


def attendre(condition, quoi, delai=DELAI):
    fin = time.monotonic() + delai
    erreur = None
    while True:
        try:
            resultat = condition()
            if resultat:
                return resultat
        except Echec:
            raise
        except Exception as e:  # objects come and go on the bus meanwhile
            erreur = e
        if time.monotonic() > fin:
            raise Echec(f"délai de {delai} s dépassé : {quoi}" + (f" ({erreur})" if erreur else ""))
        time.sleep(0.1)


# --- Outside the session: the process group and its clean-up. ---

def vivants(groupe):
    restants = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat", "rb") as f:
                stat = f.read().decode(errors="replace")
        except OSError:
            continue
        champs = stat[stat.rindex(")") + 2:].split()
        if int(champs[2]) == groupe and champs[0] != "Z":
            restants.append(pid + " " + stat[stat.index("(") + 1:stat.rindex(")")])
    return restants


def finir_groupe(groupe):
    """Lets the session's services go by themselves, then ends what is left."""
    for sig in (None, signal.SIGTERM, signal.SIGKILL):
        if sig:
            try:
                os.killpg(groupe, sig)
            except ProcessLookupError:
                return []
        fin = time.monotonic() + 5
        while time.monotonic() < fin and vivants(groupe):
            time.sleep(0.05)
        if not vivants(groupe):
            return []
    return vivants(groupe)


def dehors(brivane, script=__file__, autres=()):
    """Runs `script` again inside a private D-Bus session, with brivane's path
    and the other arguments; returns its exit code once everything it started
    is gone."""
    # Looked for, not imported: importing it would reach for a bus out here.
    if importlib.util.find_spec("pyatspi") is None:
        print("python3-pyatspi manque : scripts/tester.sh installe PAQUETS_TESTS", file=sys.stderr)
        return 1
    dossier = tempfile.mkdtemp(prefix="brivane-atspi-")
    maison = os.path.join(dossier, "maison")
    os.makedirs(os.path.join(dossier, "run"), mode=0o700)
    env = {k: v for k, v in os.environ.items()
           if k not in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "DISPLAY",
                        "WAYLAND_DISPLAY", "SESSION_MANAGER", "QT_QPA_PLATFORMTHEME")}
    # A home and a runtime folder of its own: the AT-SPI bus launcher puts its
    # socket there, and two runs side by side must not share one.
    env.update({MARQUE: dossier, "HOME": maison,
                "XDG_CONFIG_HOME": os.path.join(maison, ".config"),
                "XDG_CACHE_HOME": os.path.join(maison, ".cache"),
                "XDG_DATA_HOME": os.path.join(maison, ".local", "share"),
                "XDG_RUNTIME_DIR": os.path.join(dossier, "run")})

    def interrompu(signum, _frame):
        raise Echec(f"interrompu par le signal {signum}")
    signal.signal(signal.SIGTERM, interrompu)
    signal.signal(signal.SIGINT, interrompu)

    session = None
    code = 1
    try:
        session = subprocess.Popen(["dbus-run-session", "--", sys.executable,
                                    os.path.abspath(script), brivane, *autres],
                                   env=env, start_new_session=True)
        code = session.wait(timeout=DELAI_TOTAL)
    except (Echec, subprocess.TimeoutExpired) as e:
        print(f"ÉCHEC : {e}", file=sys.stderr)
    finally:
        if session is not None:
            restants = finir_groupe(session.pid)
            if session.poll() is None:
                session.kill()
                session.wait()
            if restants:
                print("ÉCHEC : processus restés en vie : " + ", ".join(restants), file=sys.stderr)
                code = 1
        shutil.rmtree(dossier, ignore_errors=True)
    return code


# --- Inside the session: the display, the program, and the bus. ---

def xvfb():
    lecture, ecriture = os.pipe()
    serveur = subprocess.Popen(["Xvfb", "-displayfd", str(ecriture), "-screen", "0",
                                "1024x768x24", "-nolisten", "tcp"],
                               pass_fds=[ecriture], stderr=subprocess.DEVNULL)
    os.close(ecriture)
    numero = b""
    fin = time.monotonic() + DELAI
    while not numero.endswith(b"\n"):
        morceau = b""
        if select.select([lecture], [], [], max(0, fin - time.monotonic()))[0]:
            morceau = os.read(lecture, 16)
        if not morceau:
            serveur.kill()
            raise Echec("Xvfb n'a pas démarré")
        numero += morceau
    os.close(lecture)
    return serveur, ":" + numero.decode().strip()


def etats(objet):
    import pyatspi
    objet.clear_cache()
    noms = {pyatspi.STATE_CHECKED: "checked", pyatspi.STATE_ENABLED: "enabled",
            pyatspi.STATE_SENSITIVE: "sensitive", pyatspi.STATE_SHOWING: "showing",
            pyatspi.STATE_VISIBLE: "visible", pyatspi.STATE_FOCUSABLE: "focusable",
            pyatspi.STATE_READ_ONLY: "read only"}
    ensemble = objet.getState()
    return {nom for etat, nom in noms.items() if ensemble.contains(etat)}


def enfants(objet):
    objet.clear_cache()
    return [e for e in (objet.getChildAtIndex(i) for i in range(objet.childCount)) if e]


def descendants(objet, profondeur=1):
    for enfant in enfants(objet):
        yield enfant, profondeur
        yield from descendants(enfant, profondeur + 1)


def actions(objet):
    try:
        action = objet.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def appuyer(objet):
    noms = actions(objet)
    if "Press" not in noms or not objet.queryAction().doAction(noms.index("Press")):
        raise Echec(f"« {objet.name} » ne peut pas être appuyé ({noms})")


def controle(parent, role, nom):
    return attendre(lambda: next((o for o, _ in descendants(parent)
                                  if o.getRoleName() == role and o.name == nom), None),
                    f"« {nom} » ({role})")


def lister(fenetre, titre):
    """What a screen reader says of each object: name, role, description, states."""
    print(f"--- {titre} ---")
    for objet, profondeur in [(fenetre, 0)] + list(descendants(fenetre)):
        dit = ", ".join(filter(None, [objet.name or "(sans nom)", objet.getRoleName(),
                                      objet.description]))
        noms = actions(objet)
        print("  " * profondeur + dit + f" [{', '.join(sorted(etats(objet)))}]"
              + (" actions : " + ", ".join(noms) if noms else ""))
    sys.stdout.flush()


def lancer(brivane, env, verifier):
    """One run of brivane, found on the bus by its process id, ended by "Quitter"."""
    import pyatspi
    processus = subprocess.Popen([brivane], env=env, stdin=subprocess.DEVNULL)
    try:
        def application():
            if processus.poll() is not None:
                raise Echec(f"brivane s'est arrêté (code {processus.returncode})")
            return next((a for a in enfants(pyatspi.Registry.getDesktop(0))
                         if a.get_process_id() == processus.pid), None)
        app = attendre(application, "brivane sur le bus")

        def fenetre(role, nom):
            return attendre(lambda: next((f for f in enfants(app) if f.getRoleName() == role
                                          and f.name == nom and "showing" in etats(f)), None),
                            f"fenêtre « {nom} » affichée")
        verifier(fenetre)
        appuyer(controle(fenetre("frame", "Brivane"), "push button", "Quitter"))
        try:
            code = processus.wait(timeout=DELAI)
        except subprocess.TimeoutExpired:
            raise Echec("brivane ne s'arrête pas après « Quitter »")
        if code != 0:
            raise Echec(f"brivane a quitté avec le code {code}")
    finally:
        if processus.poll() is None:
            processus.kill()
            processus.wait()


def verifier_principale(principale, couleur):
    for nom in BOUTONS:
        bouton = controle(principale, "push button", nom)
        if "Press" not in actions(bouton) or not {"enabled", "showing"} <= etats(bouton):
            raise Echec(f"« {nom} » n'est pas appuyable ({actions(bouton)}, {etats(bouton)})")
    voyant = controle(principale, "image", "Voyant de contrôle")
    attendre(lambda: ("checked" in etats(voyant)) == (couleur == "vert")
             and voyant.description == couleur, f"voyant « {couleur} »")
    controle(principale, "link", "Comment récupérer ce fichier à partir de Base Elèves ? (pdf)")


def premier_lancement(fenetre):
    principale = fenetre("frame", "Brivane")
    verifier_principale(principale, "rouge")
    controle(principale, "label", "Fichier non défini")
    lister(principale, "Fenêtre principale, premier lancement")

    appuyer(controle(principale, "push button", "Définir les champs..."))
    dialogue = fenetre("dialog", "Dialogue")
    for nom in CASES + [TRI]:
        if "Toggle" not in actions(controle(dialogue, "check box", nom)):
            raise Echec(f"la case « {nom} » ne peut pas être cochée")
    controle(dialogue, "push button", "OK")
    lister(dialogue, "Dialogue des champs")

    # Under the dialog the main window is out of the mouse's reach, and so out
    # of the bus's. The box is ticked after the press was handled.
    appuyer(controle(principale, "push button", "Quitter"))
    signature = controle(dialogue, "check box", CASES[-1])
    signature.queryAction().doAction(actions(signature).index("Toggle"))
    attendre(lambda: "checked" in etats(signature), "la case « Signature » cochée")
    if "showing" not in etats(principale):
        raise Echec("« Quitter » a agi derrière le dialogue des champs")
    appuyer(controle(dialogue, "push button", "Annuler"))
    attendre(lambda: "showing" not in etats(dialogue), "le dialogue des champs se ferme")


def second_lancement(fenetre):
    principale = fenetre("frame", "Brivane")
    verifier_principale(principale, "vert")
    controle(principale, "label", "Fichier chargé et analysé.")
    lister(principale, "Fenêtre principale, extraction chargée")


def dedans(brivane, dossier):
    serveur, ecran = xvfb()
    try:
        os.environ["DISPLAY"] = ecran
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        del env[MARQUE]
        ini = os.path.join(env["XDG_CONFIG_HOME"], "Kelvora", "Brivane.ini")

        lancer(brivane, env, premier_lancement)
        with open(ini, encoding="utf-8") as f:
            reglages = f.read().splitlines()
        if "[Brivane]" not in reglages or not any(l.startswith("PathFich=") for l in reglages):
            raise Echec(f"« Quitter » n'a pas écrit les réglages dans {ini}")

        extraction = os.path.join(dossier, "CSVListeElectorale.csv")
        with open(extraction, "wb") as f:
            f.write(EXTRACTION.encode("cp1252"))
        reglages = ["PathFich=" + extraction if l.startswith("PathFich=") else l
                    for l in reglages]
        with open(ini, "w", encoding="utf-8") as f:
            f.write("\n".join(reglages) + "\n")
        lancer(brivane, env, second_lancement)
        print("Bus d'accessibilité : tout est conforme")
        return 0
    except (Echec, OSError) as e:
        print(f"ÉCHEC : {e}", file=sys.stderr)
        return 1
    finally:
        serveur.terminate()
        serveur.wait()


def main():
    if len(sys.argv) != 2 or not os.access(sys.argv[1], os.X_OK):
        print("usage : bus_atspi.py CHEMIN_DE_BRIVANE", file=sys.stderr)
        return 2
    brivane = os.path.abspath(sys.argv[1])
    dossier = os.environ.get(MARQUE)
    return dedans(brivane, dossier) if dossier else dehors(brivane)


if __name__ == "__main__":
    sys.exit(main())
