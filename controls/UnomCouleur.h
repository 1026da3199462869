#pragma once
// The everyday French name of a colour, as a screen reader says it: "vert",
// "rouge", "bleu"... System colours are named by what they are on this desktop.

#include <QString>
#include <cstdint>

QString NomCouleur(uint32_t couleur);
