#pragma once
// The wizard's pictures (resource folder ":/assistant"): drawn from their SVG
// where Qt Svg is there, else from PNG pictures drawn from the same SVG when
// the program was built. Each way has its own .cpp, chosen at build time.

#include <QRect>
#include <QSizeF>
#include <QString>

class QWidget;

// The box (x, y, largeur, hauteur) shrunk to the picture's aspect ratio and
// centred in it; the whole box when the picture has no size.
QRect CadreImage(const QSizeF& naturelle, int x, int y, int largeur, int hauteur);

// The picture named nom (its SVG name), fitted into the box by CadreImage.
QWidget* ImageAssistant(QWidget* parent, const QString& nom, int x, int y, int largeur, int hauteur);
