#pragma once
// A plain label that reports a left click, for the help link of the main window.

#include <QLabel>
#include <functional>

class LabelCliquable : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
