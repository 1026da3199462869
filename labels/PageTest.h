#pragma once
// The test page: the outline of every label of the grid as a rounded
// rectangle, with a fixed five-line sample written in each text rectangle
// exactly where the print job writes a voter's text. Printed on plain paper
// and laid over a real sheet, it shows whether the format is right.

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
// millimetre.
void ImprimePageTest(Canevas& canevas, const Parametres& parametres);

// Prints the one-page test document on the printer as the dialog left it.
// Throws ErreurImpression when the printer refuses a step.
void ImprimeTest(QPrinter& imprimante, const Parametres& parametres);
