#include "TAOLButton.h"

#include "Uaccessibilite.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
// Fills the half-open rectangle x1 <= x < x2, y1 <= y < y2.
void Remplit(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& couleur)
{
    if (x2 > x1 && y2 > y1)
        painter.fillRect(x1, y1, x2 - x1, y2 - y1, couleur);
}

// The one-pixel black outline along the edge of the button.
void Contour(QPainter& painter, int w, int h)
{
    Remplit(painter, 0, 0, w, 1, Qt::black);
    Remplit(painter, 0, h - 1, w, h, Qt::black);
    Remplit(painter, 0, 0, 1, h, Qt::black);
    Remplit(painter, w - 1, 0, w, h, Qt::black);
}
}  // namespace

// A push button named by its caption. Its press action is a click, and it has
// none while the button's own Enabled flag is off, the look being the same.
class TAOLButtonAccessible final : public Accessibilite::InterfacePressable {
public:
    explicit TAOLButtonAccessible(TAOLButton* bouton)
        : InterfacePressable(bouton, QAccessible::Button)
    {
    }


    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return Accessibilite::Nom(widget(), Bouton()->Caption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State etat = QAccessibleWidget::state();
        etat.disabled = etat.disabled || !Bouton()->Enabled();
        etat.pressed = Bouton()->Enfonce();
        return etat;
    }

    std::function<void()> Clic() const override
    {
        return [bouton = Bouton()] { bouton->Click(); };
    }

private:
    TAOLButton* Bouton() const { return static_cast<TAOLButton*>(widget()); }
};

TAOLButton::TAOLButton(QWidget* parent) : QWidget(parent)
{
    Accessibilite::EnregistreInterface<TAOLButton, TAOLButtonAccessible>();
    m_font.Name = QStringLiteral("Arial");
    m_font.Size = 8;
    m_font.Bold = true;
    m_font.Color = Couleurs::clWhite;
    QWidget::setFont(m_font.VersQFont());
    setFocusPolicy(Qt::NoFocus);
    resize(89, 23);
}

QSize TAOLButton::sizeHint() const
{
    return {89, 23};
}

void TAOLButton::SetCap(const QString& legende)
{
    const bool change = legende != m_caption;
    m_caption = legende;
    Releve();
    if (change && accessibleName().isEmpty()) {
        QAccessibleEvent evenement(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&evenement);
    }
}

void TAOLButton::SetEnabled(bool actif)
{
    if (actif == m_enabled)
        return;
    m_enabled = actif;
    QAccessible::State change;
    change.disabled = true;
    QAccessibleStateChangeEvent evenement(this, change);
    QAccessible::updateAccessibility(&evenement);
}

void TAOLButton::SetCol(uint32_t couleur)
{
    m_color = couleur;
    Releve();
}

void TAOLButton::SetRaiseCol(uint32_t couleur)
{
    m_raiseColor = couleur;
    Releve();
}

void TAOLButton::SetFont(const Police& police)
{
    m_font = police;
    QWidget::setFont(m_font.VersQFont());
    update();
}

void TAOLButton::Releve()
{
    m_enfonce = false;
    repaint();
}

bool TAOLButton::event(QEvent* event)
{
    // Placed on a window, an uncaptioned button shows its own name. A caption
    // already given is kept: layouts reparent their widgets.
    if (event->type() == QEvent::ParentChange && parentWidget() && m_caption.isEmpty())
        m_caption = objectName();
    return QWidget::event(event);
}

void TAOLButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Paint(painter);
}

void TAOLButton::Paint(QPainter& painter) const
{
    const int w = width();
    const int h = height();
    const QColor face = VersQColor(m_color);
    painter.setFont(font());

    if (m_enfonce) {
        Remplit(painter, 1, 1, w - 1, h - 1, face);
        Remplit(painter, 1, 1, w - 1, 2, Qt::black);
        DessineLegende(painter, 2);
        DessineFocus(painter, 1);
    } else {
        const QColor relief = VersQColor(m_raiseColor);
        Remplit(painter, 1, 1, w - 1, h - 1, face);
        Remplit(painter, 1, 1, 3, h - 1, relief);
        Remplit(painter, 1, 1, w - 1, 3, relief);
        Remplit(painter, w - 2, 1, w, h - 1, Qt::black);
        Remplit(painter, 2, h - 2, w, h, Qt::black);
        DessineLegende(painter, 0);
        DessineFocus(painter, 0);
    }
    Contour(painter, w, h);
}

void TAOLButton::DessineLegende(QPainter& painter, int decalage) const
{
    const QFontMetrics mesure(font(), this);
    const int tw = mesure.horizontalAdvance(m_caption);
    const int th = mesure.height();
    const int x = width() / 2 - tw / 2 + decalage;
    const int y = height() / 2 - th / 2 + decalage;
    // The caption sits on an opaque cell of the face colour.
    painter.fillRect(x, y, tw, th, VersQColor(m_color));
    painter.setPen(VersQColor(m_font.Color));
    painter.drawText(x, y + mesure.ascent(), m_caption);
}

void TAOLButton::DessineFocus(QPainter& painter, int decalage) const
{
    if (!hasFocus())
        return;
    // Every other pixel of the rectangle just inside the raised strips, in
    // the caption's colour: seen on the face, and the same on every screen.
    const int x1 = 3 + decalage, y1 = 3 + decalage;
    const int x2 = width() - 4 + decalage, y2 = height() - 4 + decalage;
    const QColor encre = VersQColor(m_font.Color);
    for (int x = x1; x <= x2; ++x)
        for (int y : {y1, y2})
            if ((x + y) % 2 == 0)
                painter.fillRect(x, y, 1, 1, encre);
    for (int y = y1 + 1; y < y2; ++y)
        for (int x : {x1, x2})
            if ((x + y) % 2 == 0)
                painter.fillRect(x, y, 1, 1, encre);
}

void TAOLButton::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_clicEnCours = true;
    const QPoint p = event->position().toPoint();
    MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TAOLButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // A left press released over the button is a click, which comes
        // before the release itself is reported.
        const bool clic = m_clicEnCours && rect().contains(p);
        m_clicEnCours = false;
        if (clic) {
            // The click handler may close the window and free the button.
            const QPointer<TAOLButton> moi(this);
            Click();
            if (!moi)
                return;
        }
    }
    MouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TAOLButton::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    Releve();
}

void TAOLButton::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    // While a button is held Qt delays the leave notification until the
    // release: leaving is seen here instead.
    if (m_enfonce && !rect().contains(event->position().toPoint()))
        Releve();
}

void TAOLButton::keyPressEvent(QKeyEvent* event)
{
    const int touche = event->key();
    const bool espace = touche == Qt::Key_Space;
    if (!m_enabled || !(espace || touche == Qt::Key_Return || touche == Qt::Key_Enter)) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    if (!espace) {
        Click();
        return;
    }
    // Space looks like a left press until it is released.
    if (!m_espaceEnCours) {
        m_espaceEnCours = true;
        MouseDown(Qt::LeftButton, event->modifiers(), 1, 1);
    }
}

void TAOLButton::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || !m_espaceEnCours) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    m_espaceEnCours = false;
    // The click handler may close the window and free the button.
    const QPointer<TAOLButton> moi(this);
    MouseUp(Qt::LeftButton, event->modifiers(), 1, 1);
    if (moi)
        Click();
}

void TAOLButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void TAOLButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    // Space held while the focus leaves is no press any more.
    if (m_espaceEnCours) {
        m_espaceEnCours = false;
        Releve();
    } else {
        update();
    }
}

void TAOLButton::MouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers etat, int x, int y)
{
    if (bouton != Qt::LeftButton || !m_enabled)
        return;
    if (OnMouseDown)
        OnMouseDown(this, bouton, etat, x, y);
    m_enfonce = true;
    repaint();
}

void TAOLButton::MouseUp(Qt::MouseButton bouton, Qt::KeyboardModifiers etat, int x, int y)
{
    if (bouton != Qt::LeftButton || !m_enabled)
        return;
    if (OnMouseUp)
        OnMouseUp(this, bouton, etat, x, y);
    if (x >= 1 && x <= width() && y >= 1 && y <= height())
        Releve();
}

void TAOLButton::Click()
{
    // Raised first, so that the button looks released while the handler
    // runs (a dialog it opens, for instance).
    Releve();
    if (m_enabled && OnClick)
        OnClick(this);
}
