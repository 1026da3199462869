#pragma once
// Surface flood fill on an image, as the lamp uses it to recolour the face and
// the background of its pictures.

#include <QImage>

// Replaces by `nouvelle` every pixel of colour `surface` that is 4-connected to
// (x, y). Nothing happens when (x, y) lies outside the image or does not have
// the colour `surface`. Alpha is ignored in the comparison; the image must be
// in a 32-bit format (RGB32 or ARGB32).
void RemplitSurface(QImage& image, int x, int y, QRgb surface, QRgb nouvelle);
