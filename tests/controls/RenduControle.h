#pragma once
// Pixels of a control as it paints itself, and of what is really on screen.

#include <QColor>
#include <QImage>

class QWidget;

// The control painted alone onto an image first filled with `fond`.
QImage Rendu(QWidget& controle, const QColor& fond = QColor(255, 0, 255));

// The pixels of the control inside its top-level window's backing store, as
// last flushed: only what was really painted, not a fresh rendering.
QImage Ecran(QWidget& controle);

// One pixel, opaque, to compare with QColor::rgb().
QRgb Pixel(const QImage& image, int x, int y);
