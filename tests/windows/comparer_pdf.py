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

MOT = re.compile(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>')
# More than this between two words of a baseline (points, 4 mm) parts two labels.
ENTRE_ETIQUETTES = 11.3
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
    """Per page, the lines of every label as (x, baseline, words), in
    reading order: words of one baseline part where labels part."""
    part = descente(fichier)
    pages = []
    for page in open(fichier, encoding="utf-8").read().split("<page ")[1:]:
        bases = {}
        for x, haut, fin, bas, mot in MOT.findall(page):
            y = float(bas) - part * (float(bas) - float(haut))
            bases.setdefault(round(y, 1), []).append((float(x), float(fin), y, mot))
        rangs = []
        for mots in bases.values():
            mots.sort()
            rang = [mots[0]]
            for mot in mots[1:]:
                if mot[0] - rang[-1][1] > ENTRE_ETIQUETTES:
                    rangs.append(rang)
                    rang = []
                rang.append(mot)
            rangs.append(rang)
        rangs.sort(key=lambda r: (round(r[0][2], 1), r[0][0]))
        pages.append([(r[0][0], r[0][2], [m for _, _, _, m in r]) for r in rangs])
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
