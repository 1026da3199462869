#pragma once
// The coordinate system of a printed page: origin at the physical top-left
// corner of the sheet as it leaves the printer (not at the printable area),
// x to the right, y downward, one logical unit = 0.1 mm, so the lengths of the
// label sheet format reach the page unconverted. In landscape, x runs along
// the sheet's long side.

#include "Uclasses.h"

#include <QString>

#include <cstdint>

class QPainter;
class QPrinter;

// Logical units per inch on a page set up by FixeReperePage.
constexpr double kUnitesParPouce = 254.0;

// Sets the painter's transform to the page coordinate system. The painter is
// active on a printer (or any paged device); call it after begin() and again
// after every newPage(). Best with a QPrinter in HighResolution mode and full
// page; a printer that is not in full-page mode gets its printable area's
// offset taken back so the origin stays on the sheet's corner.
void FixeReperePage(QPainter& painter);

// Gives the printer a sheet of largeur × hauteur (tenths of a millimetre,
// measured with the sheet upright), turned when paysage, no margins, full
// page.
void FixeFeuille(QPrinter& printer, int32_t largeur, int32_t hauteur, bool paysage);


// Largest calibration shift either way, in tenths of a millimetre (1 cm).
constexpr int32_t kDecalageMax = 100;

// The same system moved by the printer's calibration: everything drawn lands
// decalageX tenths of a millimetre further right and decalageY further down
// (left and up when negative), along the printed page's own axes.
void FixeReperePage(QPainter& painter, int32_t decalageX, int32_t decalageY);

// The printer's calibration along the printed page's axes. It is measured on
// the sheet held upright as it leaves the printer, which for a portrait page
// are the page's own axes. A landscape page leaves the printer turned a
// quarter turn counter-clockwise (its left edge at the sheet's bottom): a
// shift toward the sheet's right is a shift down the page, one toward the
// sheet's bottom a shift toward the page's left.
qlPoint DecalageSurPage(const qlPoint& surFeuille, bool paysage);
