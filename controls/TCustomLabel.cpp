#include "TCustomLabel.h"

#include "Ucouleurs.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
// Room enough for a caption laid out on one line.
constexpr int LargeurLibre = 1 << 20;
}  // namespace

TCustomLabel::TCustomLabel(QWidget* parent) : QLabel(parent) {}

void TCustomLabel::SetTransparent(bool transparent)
{
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    update();
}

void TCustomLabel::SetShowAccelChar(bool accelerateurs)
{
    if (accelerateurs == m_showAccelChar)
        return;
    m_showAccelChar = accelerateurs;
    update();
}

int TCustomLabel::DrawFlags() const
{
    // There is no vertical alignment: the text starts at the top.
    int flags = static_cast<int>(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop
                | Qt::TextExpandTabs;
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QString TCustomLabel::LegendeMesuree() const
{
    const QString legende = text();
    if (legende.isEmpty() || (m_showAccelChar && legende == QLatin1String("&")))
        return legende + QLatin1Char(' ');
    return legende;
}

QSize TCustomLabel::sizeHint() const
{
    const QFontMetrics mesure(font(), this);
    const int flags = DrawFlags();
    const int largeur = (flags & Qt::TextWordWrap) ? width() : LargeurLibre;
    const QRect boite = mesure.boundingRect(QRect(0, 0, largeur, LargeurLibre), flags,
                                            LegendeMesuree());
    return boite.size();
}

QSize TCustomLabel::minimumSizeHint() const
{
    return sizeHint();
}

void TCustomLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_transparent)
        painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setFont(font());
    painter.setBackgroundMode(Qt::TransparentMode);
    DoDrawText(painter, rect(), DrawFlags());
}

void TCustomLabel::DoDrawText(QPainter& painter, const QRect& r, int flags) const
{
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText)
                               : VersQColor(Couleurs::clGrayText));
    painter.drawText(r, flags, text());
}

void TCustomLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_clicEnCours = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void TCustomLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_clicEnCours) {
        m_clicEnCours = false;
        event->accept();
        if (rect().contains(event->position().toPoint()))
            Click();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}
