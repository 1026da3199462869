#include "SurfaceBulleQt.h"

#include <QPainter>

SurfaceBulleQt::SurfaceBulleQt(QPainter& painter, const QFont& police, const QColor& couleurTexte)
    : FPainter(painter), FPolice(police), FMesure(police, painter.device())
{
    FPainter.setFont(FPolice);
    FPainter.setPen(couleurTexte);
    FPainter.setBackgroundMode(Qt::TransparentMode);
}

StyleTexte SurfaceBulleQt::Style() const
{
    StyleTexte style;
    style.Gras = FPolice.bold();
    style.Italique = FPolice.italic();
    style.Souligne = FPolice.underline();
    style.Barre = FPolice.strikeOut();
    return style;
}

void SurfaceBulleQt::FixerStyle(const StyleTexte& style)
{
    if (style == Style())
        return;
    FPolice.setBold(style.Gras);
    FPolice.setItalic(style.Italique);
    FPolice.setUnderline(style.Souligne);
    FPolice.setStrikeOut(style.Barre);
    FPainter.setFont(FPolice);
    FMesure = QFontMetrics(FPolice, FPainter.device());
}

QSize SurfaceBulleQt::Mesurer(const QString& texte)
{
    if (texte.isEmpty())
        return {0, 0};
    return {FMesure.horizontalAdvance(texte), FMesure.height()};
}

void SurfaceBulleQt::Ecrire(int x, int y, const QString& texte)
{
    if (!texte.isEmpty())
        FPainter.drawText(x, y + FMesure.ascent(), texte);
}
