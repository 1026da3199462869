#pragma once
// The print settings beside the sheet format: labels sorted by class, crowded
// labels written smaller, and the printer's calibration, which moves
// everything printed by a few tenths of a millimetre.

#include "ReperePage.h"
#include "Uclasses.h"

#include <cstdint>

// The shift itself when it lies within ±kDecalageMax, 0 otherwise.
int32_t DecalageValide(int32_t decalage);

struct ReglagesImpression {
    // Largest shift either way, in tenths of a millimetre (1 cm).
    static constexpr int32_t DecalageMax = kDecalageMax;

    bool TriClasse = false;  // print the labels grouped by class
    // Tenths of a millimetre, as seen on the sheet held upright as it leaves
    // the printer (so a portrait page's own axes); a landscape page turns
    // them (DecalageSurPage).
    int32_t DecalageX = 0;   // positive: toward the sheet's right edge
    int32_t DecalageY = 0;   // positive: toward the sheet's bottom edge
    bool AjusterTexte = false;  // write a label too full for its font smaller

    // The calibration printing applies: a shift out of range counts as 0.
    qlPoint Decalage() const
    {
        return qlPoint(DecalageValide(DecalageX), DecalageValide(DecalageY));
    }
};
