#!/usr/bin/python3
"""The format wizard driven through the desktop's accessibility bus alone, as a
screen reader user or a voice control tool drives it: the built program under
Xvfb in a French session, in a private D-Bus session with the AT-SPI bus and a
fresh home (see bus_atspi.py, which this reuses).

"Définir le format..." is pressed on the bus; every field is found by its
accessible name (the caption beside it) and written through its EditableText
interface; "Suivant >" walks the pages; four wrong values are refused, each
message box read by its text and closed with its "OK"; a text the numeric
fields refuse ("20.5" with a full stop) leaves the field as it was; "Terminer"
closes the wizard and "Quitter" writes the new format into the settings file.
Then brivane-pdf prints the sample extraction with that file, and every label
starts where the new format puts it.

    assistant_atspi.py PATH_TO_BRIVANE PATH_TO_BRIVANE_PDF SAMPLE.csv
"""

import csv
import os
import subprocess
import sys
import xml.etree.ElementTree as ET

import bus_atspi as bus
from bus_atspi import Echec, appuyer, attendre, controle, descendants, enfants, etats

TITRE = "Assistant format étiquettes"
# A French desktop: the decimal separator is the comma.
LOCALE = {"LANG": "fr_FR.UTF-8", "LC_ALL": "fr_FR.UTF-8", "LANGUAGE": "fr"}

# The new format, 20 × 28 cm upright, 2 columns of 7 labels of 9,5 × 3,8 cm:
# the two columns and the left and right offsets fill the width exactly.
ATTENDU = {"LargeurPage": "2000", "HauteurPage": "2800", "Orientation": "0",
           "NbLignes": "7", "NbCols": "2", "LargeurEtiq": "950", "HauteurEtiq": "380",
           "MargeInterneHaute": "30", "MargeInterneBasse": "20",
           "MargeInterneGauche": "60", "MargeInterneDroite": "10",
           "MargeHaute": "70", "MargeGauche": "40", "MargeDroite": "60", "MargeBasse": "50"}
# Where that format writes: the text rectangles' left edges (offset 4 mm, then
# 4 + 95 mm, plus the inner margin of 6 mm) and tops (offset 7 mm, rows spread
# over the height in steps of 230/6 mm truncated to tenths, plus 3 mm).
GAUCHES_MM = [10.0, 105.0]
HAUTS_MM = [10.0, 48.3, 86.6, 125.0, 163.3, 201.6, 240.0]
TOLERANCE_MM = 0.3


def visible(objet):
    return "showing" in etats(objet)


def champ(assistant, nom):
    """The field of the page shown whose accessible name is `nom`."""
    return attendre(lambda: next((o for o, _ in descendants(assistant)
                                  if o.getRoleName() == "text" and o.name == nom
                                  and visible(o)), None),
                    f"le champ « {nom} » affiché")


def texte(objet):
    objet.clear_cache()
    return objet.queryText().getText(0, -1)


def ecrire(assistant, nom, valeur, attendu=None):
    """Writes `valeur` over the field's text through the bus; the field must
    then hold `attendu` (by default, what was written)."""
    objet = champ(assistant, nom)
    objet.queryEditableText().setTextContents(valeur)
    attendu = valeur if attendu is None else attendu
    attendre(lambda: texte(objet) == attendu,
             f"« {nom} » affiche « {attendu} » après « {valeur} » (il affiche « {texte(objet)} »)")


def bouton(assistant, nom):
    return attendre(lambda: next((o for o, _ in descendants(assistant)
                                  if o.getRoleName() == "push button" and o.name == nom
                                  and visible(o)), None),
                    f"le bouton « {nom} » affiché")


def boites(app):
    return [f for f in enfants(app) if f.getRoleName() == "alert" and visible(f)]


def suivant(app, assistant, champ_suivant):
    """"Suivant >" accepted: the next page shows its field `champ_suivant`."""
    appuyer(bouton(assistant, "Suivant >"))
    champ(assistant, champ_suivant)
    if boites(app):
        raise Echec(f"message inattendu avant « {champ_suivant} »")


def refus(app, assistant, message, champ_page):
    """"Suivant >" refused: the message box says `message`, its "OK" closes
    it, and the page with the field `champ_page` is still shown."""
    appuyer(bouton(assistant, "Suivant >"))
    boite = attendre(lambda: next(iter(boites(app)), None), f"le message « {message} »")
    textes = [o.name for o, _ in descendants(boite) if o.getRoleName() == "label" and o.name]
    if textes != [message]:
        raise Echec(f"message lu : {textes}, attendu : « {message} »")
    appuyer(controle(boite, "push button", "OK"))
    attendre(lambda: not boites(app), f"le message « {message} » se ferme")
    champ(assistant, champ_page)
    print(f"refusé : « {message} »")
    sys.stdout.flush()


def coche(objet):
    return "checked" in etats(objet)


def parcourir_assistant(fenetre):
    principale = fenetre("frame", "Brivane")
    appuyer(controle(principale, "push button", "Définir le format..."))
    assistant = fenetre("dialog", TITRE)
    app = assistant.parent

    # "Page": a width written checks "Autre"; 0 is refused; a full stop is not
    # the comma here, and the field keeps its text.
    a4 = controle(assistant, "radio button", "A4")
    autre = controle(assistant, "radio button", "Autre (précisez :)")
    if not coche(a4) or coche(autre):
        raise Echec("la feuille A4 n'est pas cochée à l'ouverture")
    if texte(champ(assistant, "Largeur (cm) :")) != "21,00":
        raise Echec("la largeur A4 ne s'affiche pas « 21,00 »")
    ecrire(assistant, "Largeur (cm) :", "0")
    attendre(lambda: coche(autre) and not coche(a4), "« Autre (précisez :) » coché")
    refus(app, assistant, "Valeurs incorrectes", "Largeur (cm) :")
    ecrire(assistant, "Largeur (cm) :", "20.5", attendu="0")
    ecrire(assistant, "Largeur (cm) :", "20")
    ecrire(assistant, "Hauteur (cm) :", "28,00")
    if not coche(controle(assistant, "radio button", "portrait")):
        raise Echec("l'orientation « portrait » n'est pas cochée")
    suivant(app, assistant, "Nombre de lignes")

    # "NombreEtiq"
    ecrire(assistant, "Nombre de lignes", "0")
    ecrire(assistant, "Nombre de colonnes", "2")
    refus(app, assistant, "Nombre de lignes incorrect", "Nombre de lignes")
    ecrire(assistant, "Nombre de lignes", "7")
    suivant(app, assistant, "Largeur, cm")

    # "Etiquette": 2 × 10,01 cm is wider than the 20 cm sheet.
    ecrire(assistant, "Largeur, cm", "10,01")
    ecrire(assistant, "Hauteur, cm", "3,8")
    refus(app, assistant, "Les étiquettes sont trop larges pour tenir sur la page.",
          "Largeur, cm")
    ecrire(assistant, "Largeur, cm", "9,5")
    suivant(app, assistant, "Marge haute (cm)")

    # "MargesInternes"
    for nom, valeur in [("Marge haute (cm)", "0,3"), ("Marge basse (cm)", "0,2"),
                        ("Marge gauche (cm)", "0,6"), ("Marge droite (cm)", "0,1")]:
        ecrire(assistant, nom, valeur)
    suivant(app, assistant, "Décalage marge haute  (cm)")

    # "Decalage": 0,01 cm too much across, then exactly enough.
    for nom, valeur in [("Décalage marge haute  (cm)", "0,7"),
                        ("Décalage marge gauche (cm)", "0,41"),
                        ("Décalage marge droite (cm)", "0,6"),
                        ("Décalage marge basse  (cm)", "0,5")]:
        ecrire(assistant, nom, valeur)
    refus(app, assistant,
          "Marges 'gauche' ou 'droite' trop importantes: impossible de faire tenir les "
          "étiquettes sur la page - dépassement de 0.01 cm", "Décalage marge gauche (cm)")
    ecrire(assistant, "Décalage marge gauche (cm)", "0,4")
    appuyer(bouton(assistant, "Suivant >"))

    # "Fonte", then "Merci": "Suivant >" gone, "Annuler" become "Terminer";
    # "< Précédent" goes back without a check and brings them back.
    bouton(assistant, "Changer la police...")
    attendre(lambda: visible(controle(assistant, "label", "Arial 10")), "la police « Arial 10 »")
    if boites(app):
        raise Echec("message inattendu en quittant la page des décalages")
    appuyer(bouton(assistant, "Suivant >"))
    bouton(assistant, "Imprimer une page de test...")
    bouton(assistant, "Terminer")
    if any(o.name == "Suivant >" and visible(o) for o, _ in descendants(assistant)):
        raise Echec("« Suivant > » est encore affiché sur la dernière page")
    appuyer(bouton(assistant, "< Précédent"))
    bouton(assistant, "Annuler")
    appuyer(bouton(assistant, "Suivant >"))
    appuyer(bouton(assistant, "Terminer"))
    attendre(lambda: not any(f.getRoleName() == "dialog" and f.name == TITRE and visible(f)
                             for f in enfants(app)), "l'assistant se ferme")
    if boites(app):
        raise Echec("message inattendu à la fermeture de l'assistant")


def lire_reglages(ini):
    valeurs, section = {}, None
    with open(ini, encoding="utf-8") as f:
        for ligne in f.read().splitlines():
            if ligne.startswith("["):
                section = ligne
            elif section == "[Brivane]" and "=" in ligne:
                cle, valeur = ligne.split("=", 1)
                valeurs[cle] = valeur
    return valeurs


def mots_pdf(pdf):
    """Each page's size and words, in millimetres from its top left corner."""
    sortie = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, check=True,
                            timeout=bus.DELAI).stdout
    mm = 25.4 / 72
    pages = []
    for page in ET.fromstring(sortie).iter("{http://www.w3.org/1999/xhtml}page"):
        mots = [(m.text, float(m.get("xMin")) * mm, float(m.get("yMin")) * mm)
                for m in page.iter("{http://www.w3.org/1999/xhtml}word")]
        pages.append((float(page.get("width")) * mm, float(page.get("height")) * mm, mots))
    return pages


def etiquettes_aux_places(brivane_pdf, ini, exemple, dossier, env):
    """brivane-pdf reads the same settings: every voter's label starts with
    the first word of the child's name at its text rectangle's corner."""
    pdf = os.path.join(dossier, "etiquettes.pdf")
    subprocess.run([brivane_pdf, "--settings", ini, exemple, pdf], env=env, check=True,
                   timeout=bus.DELAI, stdin=subprocess.DEVNULL)
    with open(exemple, encoding="cp1252", newline="") as f:
        rangees = list(csv.reader(f, delimiter=";"))
    enfant = rangees[0].index("nom enfant 1")
    pages = mots_pdf(pdf)
    parpage = len(GAUCHES_MM) * len(HAUTS_MM)
    if len(pages) != -(-(len(rangees) - 1) // parpage):
        raise Echec(f"{len(pages)} page(s) d'étiquettes pour {len(rangees) - 1} électeurs")
    for largeur, hauteur, _ in pages:
        if abs(largeur - 200) > TOLERANCE_MM or abs(hauteur - 280) > TOLERANCE_MM:
            raise Echec(f"feuille de {largeur:.1f} × {hauteur:.1f} mm au lieu de 200 × 280")
    for i, rangee in enumerate(rangees[1:]):
        k = i % parpage
        x, y = GAUCHES_MM[k % len(GAUCHES_MM)], HAUTS_MM[k // len(GAUCHES_MM)]
        premier = rangee[enfant].split()[0]
        if not any(mot == premier and abs(gauche - x) <= TOLERANCE_MM
                   and abs(haut - y) <= 1.0 for mot, gauche, haut in pages[i // parpage][2]):
            raise Echec(f"électeur {i + 1} : « {premier} » absent de ({x} ; {y}) mm, "
                        f"page {i // parpage + 1}")
    print(f"{len(rangees) - 1} étiquettes aux places du nouveau format")


def dedans(brivane, brivane_pdf, exemple, dossier):
    serveur, ecran = bus.xvfb()
    try:
        os.environ["DISPLAY"] = ecran
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   **LOCALE)
        del env[bus.MARQUE]
        ini = os.path.join(env["XDG_CONFIG_HOME"], "Kelvora", "Brivane.ini")

        bus.lancer(brivane, env, parcourir_assistant)
        reglages = lire_reglages(ini)
        ecarts = {cle: reglages.get(cle) for cle, valeur in ATTENDU.items()
                  if reglages.get(cle) != valeur}
        if ecarts:
            raise Echec(f"réglages écrits {ecarts}, attendus "
                        f"{ {cle: ATTENDU[cle] for cle in ecarts} }")
        etiquettes_aux_places(brivane_pdf, ini, exemple, dossier,
                              dict(env, QT_QPA_PLATFORM="offscreen"))
        print("Assistant sur le bus d'accessibilité : tout est conforme")
        return 0
    except (Echec, OSError, subprocess.SubprocessError, ET.ParseError) as e:
        print(f"ÉCHEC : {e}", file=sys.stderr)
        return 1
    finally:
        serveur.terminate()
        serveur.wait()


def main():
    if len(sys.argv) != 4 or not all(os.access(p, os.X_OK) for p in sys.argv[1:3]) \
            or not os.path.isfile(sys.argv[3]):
        print("usage : assistant_atspi.py CHEMIN_DE_BRIVANE CHEMIN_DE_BRIVANE_PDF EXEMPLE.csv",
              file=sys.stderr)
        return 2
    brivane, brivane_pdf, exemple = (os.path.abspath(p) for p in sys.argv[1:])
    dossier = os.environ.get(bus.MARQUE)
    if dossier:
        return dedans(brivane, brivane_pdf, exemple, dossier)
    return bus.dehors(brivane, __file__, (brivane_pdf, exemple))


if __name__ == "__main__":
    sys.exit(main())
