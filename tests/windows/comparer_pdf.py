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
    """Per page, the lines as (x, baseline, words), label column by label
    column: a label whose text wraps elsewhere moves none beside it."""
    part = descente(fichier)
    pages = []
    for page in open(fichier, encoding="utf-8").read().split("<page ")[1:]:
        bases = {}
        for x, haut, fin, bas, mot in MOT.findall(page):
            y = float(bas) - part * (float(bas) - float(haut))
            bases.setdefault(round(y, 1), []).append((float(x), float(fin), y, mot))
        morceaux = []
        for mots in bases.values():
            mots.sort()
            morceau = [mots[0]]
            for mot in mots[1:]:
                if mot[0] - morceau[-1][1] > ENTRE_ETIQUETTES:
                    morceaux.append(morceau)
                    morceau = []
                morceau.append(mot)
            morceaux.append(morceau)
        # The label columns, left to right, each read top to bottom, cut into
        # labels where the gap between two lines is more than a line's.
        morceaux.sort(key=lambda m: (round(m[0][0] / 28.35), m[0][2]))
        ecarts = sorted(b[0][2] - a[0][2] for a, b in zip(morceaux, morceaux[1:])
                        if round(a[0][0] / 28.35) == round(b[0][0] / 28.35))
        interligne = ecarts[len(ecarts) // 2] if ecarts else 0
        etiquettes = []
        for i, m in enumerate(morceaux):
            ligne = (m[0][0], m[0][2], [mot for _, _, _, mot in m])
            precedent = morceaux[i - 1] if i else None
            if (precedent is None or round(precedent[0][0] / 28.35) != round(m[0][0] / 28.35)
                    or m[0][2] - precedent[0][2] > 1.5 * interligne):
                etiquettes.append([])
            etiquettes[-1].append(ligne)
        pages.append(etiquettes)
    return pages


def main():
    reference, autre = lignes(sys.argv[1]), lignes(sys.argv[2])
    tolerance = float(sys.argv[3] if len(sys.argv) > 3 else 0.1) * POINTS_PAR_MM
    if len(reference) != len(autre):
        sys.exit(f"pages : {len(reference)} contre {len(autre)}")
    ecart_max, nombre = 0.0, 0
    for numero, (a, b) in enumerate(zip(reference, autre), 1):
        if len(a) != len(b):
            sys.exit(f"page {numero} : {len(a)} étiquettes contre {len(b)}")
        for ea, eb in zip(a, b):
            texte_a = " / ".join(" ".join(m) for _, _, m in ea)
            texte_b = " / ".join(" ".join(m) for _, _, m in eb)
            if texte_a != texte_b:
                sys.exit(f"page {numero} : « {texte_a} » contre « {texte_b} »")
            for (xa, ya, ma), (xb, yb, _) in zip(ea, eb):
                ecart = max(abs(xa - xb), abs(ya - yb))
                ecart_max = max(ecart_max, ecart)
                nombre += 1
                if ecart > tolerance:
                    sys.exit(f"page {numero}, « {ma[0]} » : écart de {ecart / POINTS_PAR_MM:.3f} mm")
    print(f"{len(reference)} pages, {nombre} lignes identiques, "
          f"écart maximal {ecart_max / POINTS_PAR_MM:.3f} mm")


if __name__ == "__main__":
    main()
