#include "SurfaceBulleQt.h"

#include <QPainter>

SurfaceBulleQt::SurfaceBulleQt(QPainter& painter, const QFont& police, const QColor& couleurTexte)
    : m_painter(painter), m_police(police), m_mesure(police, painter.device())
{
    m_painter.setFont(m_police);
    m_painter.setPen(couleurTexte);
    m_painter.setBackgroundMode(Qt::TransparentMode);
}

StyleTexte SurfaceBulleQt::Style() const
{
    StyleTexte style;
    style.Gras = m_police.bold();
    style.Italique = m_police.italic();
    style.Souligne = m_police.underline();
    style.Barre = m_police.strikeOut();
    return style;
}

void SurfaceBulleQt::FixeStyle(const StyleTexte& style)
{
    if (style == Style())
        return;
    m_police.setBold(style.Gras);
    m_police.setItalic(style.Italique);
    m_police.setUnderline(style.Souligne);
    m_police.setStrikeOut(style.Barre);
    m_painter.setFont(m_police);
    m_mesure = QFontMetrics(m_police, m_painter.device());
}

QSize SurfaceBulleQt::MesureTexte(const QString& texte)
{
    if (texte.isEmpty())
        return {0, 0};
    return {m_mesure.horizontalAdvance(texte), m_mesure.height()};
}

void SurfaceBulleQt::Ecrire(int x, int y, const QString& texte)
{
    if (!texte.isEmpty())
        m_painter.drawText(x, y + m_mesure.ascent(), texte);
}
