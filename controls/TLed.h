#pragma once
// A small indicator lamp with a boolean value: it shows a picture of a lamp
// whose face is recoloured with TrueColor or FalseColor, and can blink
// between the two pictures. Assistive technologies see a graphic named
// "Voyant de contrôle" (or its accessible name) whose description is the
// French name of the colour of its value, and are told when either changes.

#include "Ucouleurs.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>

class QTimer;

// Shape of the lamp; each one fixes the control's size.
enum class TLEDStyle : int {
    LEDSmall,       // 16 x 16, round
    LEDLarge,       // 22 x 22, round
    LEDSqSmall,     // 16 x 16, square
    LEDSqLarge,     // 22 x 22, square
    LEDVertical,    // 16 x 22, upright bar
    LEDHorizontal,  // 22 x 16, lying bar
};

class TLed : public QWidget {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TLed* Sender)>;

    explicit TLed(QWidget* parent = nullptr);
    ~TLed() override;

    uint32_t TrueColor() const { return FTrueColor; }
    uint32_t FalseColor() const { return FFalseColor; }
    uint32_t BorderColor() const { return FBorderColor; }
    bool Blink() const { return m_blink; }
    bool Bordered() const { return m_bordered; }
    bool Value() const { return m_value; }
    int Interval() const { return m_interval; }
    TLEDStyle LEDStyle() const { return m_ledStyle; }

    // Every setter does nothing when given the value already held.
    void SetTrueColor(uint32_t couleur);
    void SetFalseColor(uint32_t couleur);
    void SetBordColor(uint32_t couleur);
    void ChangeBlink(bool clignote);
    void ChangeBorder(bool encadre);
    void ChangeValue(bool valeur);
    void SetInterval(int millisecondes);
    void ChangeStyle(TLEDStyle style);

    // Raised after each blink step, and when the pointer enters or leaves.
    TNotifyEvent OnTimer;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // 0 while the true picture is the one to show, 1 for the false picture.
    int Phase() const { return m_phase; }
    // The blink timer exists only while the lamp blinks.
    bool HasLedTimer() const { return !m_timer.isNull(); }

    QSize sizeHint() const override;

    // The lamp's name on the accessibility bus when it has no accessible name.
    static QString NomAccessibleParDefaut();
    // The French name of the colour of the current value ("vert", "rouge"...).
    QString CouleurLue() const;

    // Size of the control, and name of the picture, for a style.
    static QSize TailleStyle(TLEDStyle style);
    static QString NomImage(TLEDStyle style, bool encadre);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    virtual void Paint();
    virtual void CMMouseEnter();
    virtual void CMMouseLeave();

    void CreateLedBitmap();
    void FreeLedBitmap();
    void SetToTrueColor();
    void SetToFalseColor();
    void SetLedTimer();
    void ResetLedTimer();
    void OnLedTimer();

private:
    // Shows the picture of the current value, as a value change does.
    void MontreValeur();
    // Changes a colour around a rebuild of the pictures, pausing the blinking.
    void ChangeCouleur(uint32_t& champ, uint32_t couleur);
    // Tells assistive technologies what changed since `valeur` and `couleur`
    // were the value and its colour's name.
    void AnnonceChangement(bool valeur, const QString& couleur);

    uint32_t FTrueColor = Couleurs::clLime;
    uint32_t FFalseColor = Couleurs::clSilver;
    uint32_t FBorderColor = Couleurs::clBtnFace;
    bool m_blink = true;
    bool m_bordered = true;
    bool m_value = false;
    int m_interval = 1000;
    TLEDStyle m_ledStyle = TLEDStyle::LEDSmall;

    QImage m_trueImage;
    QImage m_falseImage;
    QPointer<QTimer> m_timer;
    int m_phase = 1;
};
