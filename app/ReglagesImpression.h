#pragma once
// The print settings beside the sheet format: labels sorted by class, crowded
// labels written smaller, and the printer's calibration, which moves
// everything printed by a few tenths of a millimetre. Kept in section
// "Impression" of the settings file; section "Brivane" is never touched.

#include "ReperePage.h"

#include <QString>
#include <QStringList>

#include <cstdint>

class UIni;

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
};

// The shift itself when it lies within ±DecalageMax, 0 otherwise.
int32_t DecalageValide(int32_t decalage);

// The settings the file holds: a missing or unreadable file, a missing key or
// a value that is not a number gives the default (false, 0, 0, false); a shift out
// of range counts as 0, and avertissements (when given) receives one French
// line naming its key.
ReglagesImpression LitReglagesImpression(const QString& fichierIni,
                                         QStringList* avertissements = nullptr);
ReglagesImpression LitReglagesImpression(const UIni& ini, QStringList* avertissements = nullptr);

// Writes the keys "TriClasse", "DecalageX", "DecalageY" and "AjusterTexte" into section
// "Impression", a shift out of range as 0, keeping everything else the file
// holds. The file is replaced in one step: on failure it is left as it was,
// false is returned and erreur receives "Impossible d'écrire dans <file>".
bool EcritReglagesImpression(const ReglagesImpression& reglages, const QString& fichierIni,
                             QString& erreur);
// The same into a document already loaded, for a caller that saves it with
// other settings in one step. False when a key cannot be stored.
bool EcritReglagesImpression(const ReglagesImpression& reglages, UIni& ini);
