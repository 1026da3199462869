#pragma once
// What every printed page of labels shares, the voters' labels and the test
// page alike: the pen and the brush, the walk over the grid in the label
// font, and the way a text is written into a label's text rectangle. Both
// pages call these, so the test page writes its sample exactly where the
// print job writes a voter.

#include "Parametres.h"

#include "Uclasses.h"

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
// either) when the rectangle has no width or no height. A positive
// demiPoints writes at that size in half points instead of the font's.
void EcritTexteEtiquette(Canevas& canevas, const Police& police, const qlRect& rectangle,
                         const std::string& texte, int32_t demiPoints = 0);

// The smallest size a crowded label's text is reduced to, in half points.
constexpr int32_t kDemiPointsMin = 12;

// How a label's text comes out of EcritTexteEtiquette.
struct DispositionTexte {
    int32_t DemiPoints = 0;  // the size to write at; 0: the font's own
    bool Coupe = false;      // some text is lost (qlTexte::MesureTexte)
    qlRect Encre;            // where the written lines lie
};

// Measures the label's text at the font's size, drawing nothing. With
// `reduire`, a text that does not fit is measured again from half a point
// smaller down to 6 points, half a point at a time, and takes the largest
// size at which it fits, or 6 points when none does (a font above 72 points
// starts from 72). A rectangle with no
// room loses any visible text.
DispositionTexte DisposeTexteEtiquette(Canevas& canevas, const Police& police,
                                       const qlRect& rectangle, const std::string& texte,
                                       bool reduire);
