#include "TLabel3D.h"

#include "Uaccessibilite.h"
#include "Ucouleurs.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

// Static text read by its caption, the embossing being mere looks.
class TLabel3DAccessible final : public QAccessibleWidget {
public:
    explicit TLabel3DAccessible(TLabel3D* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }


    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) {
            const auto* label = static_cast<const TLabel3D*>(widget());
            return Accessibilite::Nom(
                label, Accessibilite::LegendeLue(label->text(), label->ShowAccelChar()));
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.readOnly = true;
        return etat;
    }
};
}  // namespace

TLabel3D::TLabel3D(QWidget* parent) : TCustomLabel(parent)
{
    Accessibilite::EnregistreInterface<TLabel3D, TLabel3DAccessible>();
    setWordWrap(true);
    resize(62, 16);
}

void TLabel3D::SetCaptionStyle(TCaptionStyle style)
{
    if (style == m_captionStyle)
        return;
    m_captionStyle = style;
    update();
}

int TLabel3D::DrawFlags() const
{
    return TCustomLabel::DrawFlags() | Qt::TextWordWrap;
}

void TLabel3D::DoDrawText(QPainter& painter, const QRect& r, int flags) const
{
    const Copies copies = CopiesDuStyle(m_captionStyle);
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
