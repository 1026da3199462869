#pragma once
// The hint box's drawing surface on a QPainter: the given font, whose style
// the mark-up switches, and one text colour on a transparent background.

#include "SurfaceBulle.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>

class QPainter;

class SurfaceBulleQt final : public SurfaceBulle {
public:
    // The painter must outlive the surface.
    SurfaceBulleQt(QPainter& painter, const QFont& police, const QColor& couleurTexte);

    StyleTexte Style() const override;
    void FixeStyle(const StyleTexte& style) override;
    QSize MesureTexte(const QString& texte) override;
    void Ecrire(int x, int y, const QString& texte) override;

private:
    QPainter& m_painter;
    QFont m_police;
    QFontMetrics m_mesure;
};
