#pragma once
// A label whose caption looks embossed: one or two copies of the text, moved
// one pixel down-right or up-left, in the desktop's button highlight and
// shadow colours, lie under the text itself. Its text always wraps.
// Assistive technologies read it as a label, by its caption.

#include "TCustomLabel.h"

enum class TCaptionStyle : int {
    csNone,
    csRaised,
    csHeavyRaised,
    csRecessed,
    csHeavyRecessed,
};

class TLabel3D : public TCustomLabel {
    Q_OBJECT

public:
    explicit TLabel3D(QWidget* parent = nullptr);

    TCaptionStyle CaptionStyle() const { return m_captionStyle; }
    void SetCaptionStyle(TCaptionStyle style);

protected:
    int DrawFlags() const override;
    void DoDrawText(QPainter& painter, const QRect& r, int flags) const override;

private:
    TCaptionStyle m_captionStyle = TCaptionStyle::csRecessed;
};
