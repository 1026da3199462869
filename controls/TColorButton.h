#pragma once
// A push button whose face shows a swatch of the colour it holds; a click (or
// a press, see ActivationEvent) opens the colour dialog and, when the user
// confirms a colour, shows it and raises OnColorChange. Space and Enter work
// as on any button. For a screen reader it is a push button named by its
// accessible name, described by its colour, with a press action.

#include "Ucouleurs.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>

class Dialogues;
class QImage;

class TColorButton : public QWidget {
    Q_OBJECT

public:
    enum class TActivationEvent { aeClick, aeMouseDown };
    using TNotifyEvent = std::function<void(TColorButton* Sender)>;

    explicit TColorButton(QWidget* parent = nullptr);
    ~TColorButton() override;

    TActivationEvent ActivationEvent() const { return m_activationEvent; }
    void SetActivationEvent(TActivationEvent evenement) { m_activationEvent = evenement; }
    uint32_t Color() const { return m_color; }
    // Shows the colour at once; raises no OnColorChange.
    void SetStateColor(uint32_t couleur);
    // QColorDialog::ColorDialogOptions, as an int.
    int Options() const { return m_options; }
    void SetOptions(int options) { m_options = options; }
    const QStringList& CustomColors() const { return m_customColors; }
    void SetCustomColors(const QStringList& couleurs) { m_customColors = couleurs; }
    // 1 enlarges the swatch by two pixels on every side; 2 and above are ignored.
    int Margin() const { return m_margin; }
    void SetMargin(int marge);

    // Raised after the user confirmed a colour in the dialog.
    TNotifyEvent OnColorChange;

    // Where the colour dialog comes from: the desktop's when none is given.
    // The dialogs must outlive the button.
    void SetDialogues(Dialogues* dialogues) { m_dialogues = dialogues; }

    // True while the button is drawn pressed.
    bool Enfonce() const { return m_enfonce; }
    // Opens the colour dialog as a click does; nothing while disabled.
    void ChoisitCouleur();

    // The colour in words, as a screen reader says it ("rouge 255, vert 0, bleu 0").
    QString DescriptionCouleur() const;

    QSize sizeHint() const override { return {44, 22}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

    virtual void MouseDown(Qt::MouseButton bouton, int x, int y);
    virtual void MouseMove(int x, int y);
    virtual void MouseUp(Qt::MouseButton bouton, int x, int y);
    // A completed click: the button comes up; with aeClick the dialog opens.
    virtual void Click();
    // Opens the colour dialog.
    virtual void DoClick();

private:
    // The face, frames, focus rectangle and swatch, pixel for pixel.
    QImage Paint() const;
    void ChangeEtat(bool enfonce);

    TActivationEvent m_activationEvent = TActivationEvent::aeClick;
    uint32_t m_color = Couleurs::clWhite;
    int m_options = 0;
    QStringList m_customColors;
    int m_margin = 1;
    Dialogues* m_dialogues = nullptr;

    bool m_enfonce = false;
    // A left press (or Space) that began on the button is in progress.
    bool m_suivi = false;
};
