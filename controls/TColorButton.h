#pragma once
// A push button whose face shows a swatch of the colour it holds; a click (or
// a press, see ActivationEvent) opens the colour dialog and, when the user
// confirms a colour, shows it and raises OnColorChange.

#include "Ucouleurs.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>

class Dialogues;

class TColorButton : public QWidget {
    Q_OBJECT

public:
    enum class TActivationEvent { aeClick, aeMouseDown };
    using TNotifyEvent = std::function<void(TColorButton* Sender)>;

    explicit TColorButton(QWidget* parent = nullptr);
    ~TColorButton() override;

    TActivationEvent ActivationEvent() const { return FActivationEvent; }
    void SetActivationEvent(TActivationEvent evenement) { FActivationEvent = evenement; }
    uint32_t Color() const { return FColor; }
    // Shows the colour at once; raises no OnColorChange.
    void SetStateColor(uint32_t couleur);
    // QColorDialog::ColorDialogOptions, as an int.
    int Options() const { return FOptions; }
    void SetOptions(int options) { FOptions = options; }
    const QStringList& CustomColors() const { return FCustomColors; }
    void SetCustomColors(const QStringList& couleurs) { FCustomColors = couleurs; }
    int Margin() const { return FMargin; }
    void SetMargin(int marge);

    // Raised after the user confirmed a colour in the dialog.
    TNotifyEvent OnColorChange;

    // Where the colour dialog comes from: the desktop's when none is given.
    // The dialogs must outlive the button.
    void SetDialogues(Dialogues* dialogues) { FDialogues = dialogues; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // Opens the colour dialog.
    virtual void DoClick();

private:
    TActivationEvent FActivationEvent = TActivationEvent::aeClick;
    uint32_t FColor = Couleurs::clWhite;
    int FOptions = 0;
    QStringList FCustomColors;
    int FMargin = 1;
    Dialogues* FDialogues = nullptr;
};
