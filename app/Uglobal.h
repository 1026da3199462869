#pragma once
// The program's few globals and the two canvas helpers shared by the label
// print job and the test page.

#include "Canevas.h"

#include <QString>
#include <cstdint>

// Full name of the settings file; empty means nothing is saved at close.
extern QString FichierIni;

// A width below 1 gives an invisible pen of width 1; a style other than solid
// gives width 1 with that style; the solid style keeps the width given.
void FixeStylo(Canevas& canevas, Canevas::StyleStylo style, uint32_t couleur, int largeur);
void FixeBrosse(Canevas& canevas, Canevas::StyleBrosse style, uint32_t couleur);
