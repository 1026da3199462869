#pragma once
// Reading back what a PDF shows, for tests, with poppler's command-line tools.
//
// LitPdf runs `pdftotext -bbox` and returns every page's size and words with
// their boxes, in millimetres from the page's top-left corner (y downward).
// A word's box spans its glyphs' advance widths across, and the font's ascent
// to descent down.
//
// RasterisePage runs `pdftoppm -gray` at the given resolution; at 254 dpi
// one pixel is 0.1 mm. BoiteEncre then finds the bounding box of the dark
// pixels of an image.

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

struct MotPdf {
    QString texte;
    double gauche = 0;  // millimetres
    double haut = 0;
    double droite = 0;
    double bas = 0;
};

struct PagePdf {
    double largeur = 0;  // millimetres
    double hauteur = 0;
    std::vector<MotPdf> mots;
};

struct ContenuPdf {
    bool ok = false;
    QString erreur;  // why it failed, when ok is false
    std::vector<PagePdf> pages;

    // The first word of any page whose text is exactly texte, or nullptr.
    const MotPdf* Cherche(const QString& texte) const;
    // True when the words prefixe+premier … prefixe+dernier are all there and
    // their neighbours prefixe+(premier−1) and prefixe+(dernier+1) are not.
    bool ContientExactement(const QString& prefixe, int premier, int dernier) const;
};

ContenuPdf LitPdf(const QString& cheminPdf);

// Page numbers count from 1. A null image on failure.
QImage RasterisePage(const QString& cheminPdf, int page, int pointsParPouce);

// Pixels whose grey level is below the threshold; an empty QRect when none.
QRect BoiteEncre(const QImage& image, int seuil = 128);

// Why poppler's tools cannot run here (a Windows build under Wine cannot
// start Linux programs); empty when they can.
QString RaisonSansOutilsPdf();

// Skips the current test, saying why, where the PDF cannot be read back.
#define EXIGE_OUTILS_PDF()                                                \
    if (const QString raisonOutils = RaisonSansOutilsPdf(); !raisonOutils.isEmpty()) \
    GTEST_SKIP() << raisonOutils.toStdString()
