#pragma once
// What every printed page of labels shares, the voters' labels and the test
// page alike: the pen and the brush, the walk over the grid in the label
// font, and the way a text is written into a label's text rectangle. Both
// pages call these, so the test page writes its sample exactly where the
// print job writes a voter.

#include "Parametres.h"

#include <cstdint>
#include <functional>
#include <string>

class Canevas;
class Police;

// Called for the label at (ligne, colonne) with the label font; returns
// whether to go on with the next label.
using VisiteEtiquette = std::function<bool(int32_t ligne, int32_t colonne, const Police& police)>;

// Gives the canvas the page's pen (solid black, 1 unit) and brush (solid
// white). When the grid holds labels, saves the canvas state, builds the font
// of the format, and visits the labels row by row from the top, left to right
// within a row, until the visit returns false; the canvas state is restored
// afterwards, also when a visit throws.
void ParcourtPage(Canevas& canevas, const Parametres& parametres, const VisiteEtiquette& visite);

// Writes a label's text into its text rectangle with the text writer:
// left-justified, at 100 %, lines one font height apart from the top, no
// cursive, no margins, clipped to the rectangle. Nothing at all (no clip
// either) when the rectangle has no width or no height.
void EcritTexteEtiquette(Canevas& canevas, const Police& police, const qlRect& rectangle,
                         const std::string& texte);
