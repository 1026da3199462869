#!/usr/bin/env python3
"""Two PDFs of the same labels agree: same words on every page, and the first
word of every line within a tolerance (0.1 mm) of its place in the other.
Reads the files that `pdftotext -bbox` wrote, and beside each its PDF (same
name, .pdf): a word's box spans the font's ascent and descent as the PDF's
font descriptor gives them, and two systems describe the same font with other
ascents (hhea or OS/2 tables), so lines are placed by their baseline.
    comparer_pdf.py REFERENCE.html AUTRE.html [TOLERANCE_MM]"""
import re
import sys

MOT = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>')
DESCRIPTEUR = re.compile(rb"/Ascent ([-\d.]+)\s*/Descent ([-\d.]+)")
POINTS_PAR_MM = 72 / 25.4


def descente(fichier):
    """The share of a word box's height below the baseline."""
    with open(re.sub(r"\.html$", ".pdf", fichier), "rb") as pdf:
        valeurs = set(DESCRIPTEUR.findall(pdf.read()))
    if len(valeurs) != 1:
        sys.exit(f"{fichier} : {len(valeurs)} descriptions de police, une attendue")
    montee, descente = (float(v) for v in valeurs.pop())
    return -descente / (montee - descente)


def lignes(fichier):
    """Per page, the lines as (x, baseline, words), in reading order."""
    part = descente(fichier)
    pages = []
    for page in open(fichier, encoding="utf-8").read().split("<page ")[1:]:
        rangs = []
        for x, haut, bas, mot in MOT.findall(page):
            x, y = float(x), float(bas) - part * (float(bas) - float(haut))
            if rangs and abs(rangs[-1][1] - y) < 1 and x > rangs[-1][2]:
                rangs[-1][3].append(mot)
                rangs[-1][2] = x
            else:
                rangs.append([x, y, x, [mot]])
        pages.append([(x, y, mots) for x, y, _, mots in rangs])
    return pages


def main():
    reference, autre = lignes(sys.argv[1]), lignes(sys.argv[2])
    tolerance = float(sys.argv[3] if len(sys.argv) > 3 else 0.1) * POINTS_PAR_MM
    if len(reference) != len(autre):
        sys.exit(f"pages : {len(reference)} contre {len(autre)}")
    ecart_max, nombre = 0.0, 0
    for numero, (a, b) in enumerate(zip(reference, autre), 1):
        if len(a) != len(b):
            sys.exit(f"page {numero} : {len(a)} lignes contre {len(b)}")
        for (xa, ya, ma), (xb, yb, mb) in zip(a, b):
            if ma != mb:
                sys.exit(f"page {numero} : « {' '.join(ma)} » contre « {' '.join(mb)} »")
            ecart = max(abs(xa - xb), abs(ya - yb))
            ecart_max = max(ecart_max, ecart)
            nombre += 1
            if ecart > tolerance:
                sys.exit(f"page {numero}, « {ma[0]} » : écart de {ecart / POINTS_PAR_MM:.3f} mm")
    print(f"{len(reference)} pages, {nombre} lignes identiques, "
          f"écart maximal {ecart_max / POINTS_PAR_MM:.3f} mm")


if __name__ == "__main__":
    main()
