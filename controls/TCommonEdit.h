#pragma once
// The base of the numeric edit fields: a one-line edit that accepts only text
// that is, or can still become, a number of its kind (the typing filter judges
// Candidat, the text the field would hold), shows its value through a format,
// can clamp the value to a range, then turns the text to a warning colour and
// raises an event once the current input has been handled.

#include "Ucouleurs.h"

#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <functional>

class TCommonEdit : public QLineEdit {
    Q_OBJECT

public:
    enum class TKeyChar { NumberChar, BackspaceChar, UnknownChar };
    using TNotifyEvent = std::function<void(TCommonEdit* Sender)>;

    explicit TCommonEdit(QWidget* parent = nullptr);

    const QString& FormatString() const { return FFormatString; }
    void SetFormatString(const QString& format);
    bool Validate() const { return FValidate; }
    void SetValidate(bool valider);
    // Left, right or centred (Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter).
    Qt::Alignment Alignment() const { return FAlignment; }
    void SetAlignment(Qt::Alignment alignement);
    uint32_t ColorNormal() const { return FColorNormal; }
    void SetColorNormal(uint32_t couleur);
    uint32_t ColorWarning() const { return FColorWarning; }
    void SetColorWarning(uint32_t couleur);

    // Raised, with the field as sender, after the value was clamped to
    // MaxValue (OnOverflow) or MinValue (OnUnderflow).
    TNotifyEvent OnOverflow;
    TNotifyEvent OnUnderflow;

    // Re-reads the text, checks the range and re-formats it.
    virtual void SetValue2();

    // The colour the text is drawn in now (ColorNormal or ColorWarning).
    uint32_t CouleurTexte() const { return FCouleurTexte; }

protected:
    virtual bool IsValidChar(QChar& touche);
    virtual TKeyChar CheckKeyChar(QChar& touche);
    virtual bool SyntaxOk();
    bool EmptyOrSign() const;

    void ColorerTexte(uint32_t couleur);

    QString Candidat;

private:
    QString FFormatString;
    bool FValidate = false;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    uint32_t FColorNormal = Couleurs::clBlack;
    uint32_t FColorWarning = Couleurs::clRed;
    uint32_t FCouleurTexte = Couleurs::clBlack;
};
