#pragma once
// The checks "Suivant >" makes before the format wizard leaves a page, the
// same checks on a whole format read from the settings file, and the
// conversion between the centimetres its fields show and the hundredths
// of a centimetre the format stores.
//
// Each check takes the wizard's working copy with the page's values already
// read into it and returns the message to show, empty when the page may be
// left. The sums and products are computed exactly: a product that would wrap
// in 32 bits (100 columns of 30 000 000 units) must not pass for a small one.

#include "Parametres.h"

#include <QString>

#include <cstdint>

// A field's value in centimetres as a stored length: times 100, truncated
// toward zero. A value that lies within rounding noise of a whole hundredth
// reads as that hundredth (7,01 cm is 701, though 7.01 × 100 falls a hair
// short of it in binary); values beyond 32 bits stop at the nearest limit.
int32_t CentiemesDepuisCm(long double centimetres);
// A stored length as the centimetres a field shows.
long double CmDepuisCentiemes(int32_t centiemes);

// "Page": the sheet's width in 1..10000 and its height in 1..9999.
QString VerifieTaillePage(const Parametres& p);
// "NombreEtiq": 1 to 100 rows, then 1 to 100 columns.
QString VerifieNombreEtiquettes(const Parametres& p);
// "Etiquette": no zero size, then the columns across and the rows down the
// printed page (turned in landscape) no larger than the sheet.
QString VerifieTailleEtiquette(const Parametres& p);
// "MargesInternes": a text rectangle at least one unit wide, then high.
QString VerifieMargesInternes(const Parametres& p);
// "Decalage": the offsets and the grid within the sheet, across then down the
// printed page, with the offsets the layout really uses in each orientation,
// so that an accepted format never gives labels a negative gap; the message
// names those offsets and gives the excess in centimetres. Then no offset may
// be negative, which would spread the labels beyond the sheet's edge (the
// message names the offsets and how far beyond).
QString VerifieDecalage(const Parametres& p);

// The font's size in points: 4 to 72, what the printer can draw legibly on a
// label (a size of 0 prints specks, a huge one black boxes).
QString VerifieTaillePolice(const Parametres& p);

// A whole format, as the settings file gives it: the wizard's page checks in
// the order of its pages, then the font's size. The first that fails gives
// "Format des étiquettes incorrect (page « <page's title> » de
// l'assistant) : <the check's own message>"; empty when the format may be
// printed. Nothing is printed from a refused format, so no loop of the
// layout can run away on a grid or a sheet that no wizard would accept.
QString RefusFormat(const Parametres& p);
