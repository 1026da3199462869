#include "TLabel3D.h"

#include "Ucouleurs.h"

#include <QPainter>
#include <optional>

namespace {
// The copies of each style: colour of the one at (+1, +1) and of the one at
// (-1, -1), drawn in that order.
struct Copies {
    std::optional<uint32_t> basDroite;
    std::optional<uint32_t> hautGauche;
};

Copies CopiesDuStyle(TCaptionStyle style)
{
    switch (style) {
    case TCaptionStyle::csNone:
        return {};
    case TCaptionStyle::csRaised:
        return {std::nullopt, Couleurs::clBtnHighlight};
    case TCaptionStyle::csHeavyRaised:
        return {Couleurs::clBtnShadow, Couleurs::clBtnHighlight};
    case TCaptionStyle::csRecessed:
        return {Couleurs::clBtnHighlight, std::nullopt};
    case TCaptionStyle::csHeavyRecessed:
        return {Couleurs::clBtnHighlight, Couleurs::clBtnShadow};
    }
    return {};
}
}  // namespace

TLabel3D::TLabel3D(QWidget* parent) : TCustomLabel(parent)
{
    setWordWrap(true);
    resize(62, 16);
}

void TLabel3D::SetCaptionStyle(TCaptionStyle style)
{
    if (style == FCaptionStyle)
        return;
    FCaptionStyle = style;
    update();
}

int TLabel3D::DrawFlags() const
{
    return TCustomLabel::DrawFlags() | Qt::TextWordWrap;
}

void TLabel3D::DoDrawText(QPainter& painter, const QRect& r, int flags) const
{
    const Copies copies = CopiesDuStyle(FCaptionStyle);
    if (copies.basDroite) {
        painter.setPen(VersQColor(*copies.basDroite));
        painter.drawText(r.translated(1, 1), flags, text());
    }
    if (copies.hautGauche) {
        painter.setPen(VersQColor(*copies.hautGauche));
        painter.drawText(r.translated(-1, -1), flags, text());
    }
    TCustomLabel::DoDrawText(painter, r, flags);
}
