#pragma once
// A text label that draws itself: its caption from the top of its rectangle,
// aligned left, right or centred, with tab expansion, optional word wrapping
// and "&" accelerator characters, on its own background unless transparent.
// The caption is QLabel's text, the face QWidget's font, the text colour the
// palette's WindowText and the background the palette's Window.

#include <QLabel>

class QPainter;

class TCustomLabel : public QLabel {
    Q_OBJECT

public:
    explicit TCustomLabel(QWidget* parent = nullptr);

    // When set, nothing is painted behind the text.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);
    // When set, "&" underlines the next letter and "&&" shows one "&";
    // otherwise "&" is drawn as it is.
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool accelerateurs);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // Alignment, wrapping and accelerator flags for QPainter::drawText.
    virtual int DrawFlags() const;
    // Draws the caption into r, with the painter's font already the label's.
    virtual void DoDrawText(QPainter& painter, const QRect& r, int flags) const;
    // A left press released over the label.
    virtual void Click() {}

    // The caption as measured: an empty caption, or a lone accelerator
    // mark, still takes the room of one space.
    QString LegendeMesuree() const;

private:
    bool m_transparent = false;
    bool m_showAccelChar = true;
    bool m_clicEnCours = false;
};
