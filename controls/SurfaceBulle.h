#pragma once
// What the hint box's layout asks of a drawing surface: a font whose style
// the mark-up switches, text measurement and text output, in pixels. The
// widget paints through SurfaceBulleQt; tests may use their own.

#include "Ubalisage.h"

#include <QSize>
#include <QString>

class SurfaceBulle {
public:
    virtual ~SurfaceBulle() = default;

    virtual StyleTexte Style() const = 0;
    virtual void FixeStyle(const StyleTexte& style) = 0;
    // Width and height of the text as written, in the current style; an
    // empty text measures 0 x 0.
    virtual QSize MesureTexte(const QString& texte) = 0;
    // Draws the text as written, its top-left corner at (x, y).
    virtual void Ecrire(int x, int y, const QString& texte) = 0;
};
