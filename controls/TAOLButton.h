#pragma once
// A flat-coloured push button with a raised edge, drawn entirely by itself,
// with its own enabled flag and its own click event. It takes no keyboard
// focus unless its window gives it a focus policy; focused, it shows a dotted
// rectangle inside its face, and Space (pressed look, click on release),
// Return and Enter press it. Assistive technologies see a push button named by
// its caption, which they can press.

#include "Ucouleurs.h"
#include "Upolice.h"

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>

class TAOLButton : public QWidget {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TAOLButton* Sender)>;
    using TMouseEvent = std::function<void(TAOLButton* Sender, Qt::MouseButton Button,
                                           Qt::KeyboardModifiers Shift, int X, int Y)>;

    static constexpr uint32_t CouleurFace = 10840372;      // red 52, green 105, blue 165
    static constexpr uint32_t CouleurRelief = 14131850;    // red 138, green 162, blue 215

    explicit TAOLButton(QWidget* parent = nullptr);

    const QString& Caption() const { return m_caption; }
    uint32_t Color() const { return m_color; }
    uint32_t RaiseColor() const { return m_raiseColor; }
    const Police& Font() const { return m_font; }

    // These three redraw the raised look at once, even for an unchanged value.
    void SetCap(const QString& legende);
    void SetCol(uint32_t couleur);
    void SetRaiseCol(uint32_t couleur);
    void SetFont(const Police& police);

    // The button's own flag, not QWidget::isEnabled(): while it is false,
    // presses draw nothing and raise nothing, and the look stays the same.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool actif);

    // Left button only, and only while Enabled() is set.
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnClick;

    // True while the pressed look is on screen.
    bool Enfonce() const { return m_enfonce; }

    QSize sizeHint() const override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

    virtual void MouseDown(Qt::MouseButton bouton, Qt::KeyboardModifiers etat, int x, int y);
    virtual void MouseUp(Qt::MouseButton bouton, Qt::KeyboardModifiers etat, int x, int y);
    virtual void Click();

private:
    // Presses the button on behalf of an assistive technology.
    friend class TAOLButtonAccessible;

    // Draws the raised look, or the pressed one while a press is shown.
    void Paint(QPainter& painter) const;
    void DessineLegende(QPainter& painter, int decalage) const;
    void DessineFocus(QPainter& painter, int decalage) const;
    // Shows the raised look now.
    void Releve();

    QString m_caption;
    uint32_t m_color = CouleurFace;
    uint32_t m_raiseColor = CouleurRelief;
    Police m_font;
    bool m_enabled = true;

    // Qt paints only in paintEvent: the pressed look is remembered until the
    // next change back to the raised look.
    bool m_enfonce = false;
    // A left press began on the button; its release over it is a click.
    bool m_clicEnCours = false;
    // Space is held on the button; its release is a click.
    bool m_espaceEnCours = false;
};
