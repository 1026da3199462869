#pragma once
// The test page: the outline of every label of the grid as a rounded
// rectangle, with a fixed five-line sample written in each text rectangle
// exactly where the print job writes a voter's text. Printed on plain paper
// and laid over a real sheet, it shows whether the format is right. It needs
// no extraction and reads no print flag.

#include "DocumentImpression.h"
#include "Parametres.h"

#include <QString>

#include <string>

class Canevas;
class QPrinter;

// Title of the test document.
QString TitreDocumentTest();

// The five sample lines, CR LF between them, raw Windows-1252 bytes.
const std::string& TexteExempleTest();

// Draws the test page of the format on a canvas set up in tenths of a
// millimetre: the print job's pen, brush and font; for each label, row by
// row and left to right, its cell as a white rectangle outlined in black
// whose corners are quarters of an ellipse 15 % of the label's width wide
// and 15 % of its height high, then the sample in its text rectangle.
void ImprimePageTest(Canevas& canevas, const Parametres& parametres);

// Prints the test document on the printer as the dialog left it: titled
// TitreDocumentTest(), in the format's orientation, exactly one page. A PDF
// output gets the format's sheet as its page (AjustePagePdf).
// Throws ErreurImpression when the printer refuses a step; the document is
// then aborted, and a half-written PDF removed. A format that fails the
// wizard's checks (RefusFormat) is refused with that message before anything
// is sent.
// The page is moved by the printer's calibration `decalage` (tenths of a
// millimetre, right and down).
void ImprimeTest(QPrinter& imprimante, const Parametres& parametres,
                 const qlPoint& decalage = qlPoint());
