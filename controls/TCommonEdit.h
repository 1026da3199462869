#pragma once
// The base of the numeric edit fields: a one-line edit that accepts only text
// that is, or can still become, a number of its kind (the typing filter judges
// Candidat, the text the field would hold), shows its value through a format,
// can clamp the value to a range, then turns the text to a warning colour and
// raises an event once the current input has been handled.
//
// Every way text comes in goes through the same judgement: typed keys,
// Backspace and Delete, cut and paste from the keyboard or the context menu,
// the middle-button paste, drops, and anything else the line edit does
// (undo, input methods), which a validator checks last. Text set from outside
// (an assistive technology writing into the field) that the judgement refuses
// leaves the field's text as it was.

#include "Ucouleurs.h"

#include <QClipboard>
#include <QEvent>
#include <QLineEdit>
#include <QString>

#include <cstdint>
#include <functional>

class QMenu;

class TCommonEdit : public QLineEdit {
    Q_OBJECT

public:
    enum class TKeyChar { NumberChar, BackspaceChar, UnknownChar };
    using TNotifyEvent = std::function<void(TCommonEdit* Sender)>;

    // Posted to the field itself after a clamp, delivered once the current
    // input has been handled.
    static constexpr QEvent::Type CMUnderflow = static_cast<QEvent::Type>(QEvent::User + 100);
    static constexpr QEvent::Type CMOverflow = static_cast<QEvent::Type>(QEvent::User + 101);

    explicit TCommonEdit(QWidget* parent = nullptr);

    // Each setter below but the colours re-reads and re-formats the value.
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
    // Select the whole text when the field is entered (on by default).
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool selectionner) { FAutoSelect = selectionner; }
    // Letters are shown in upper case (the decimal fields: an exponent shows as E).
    bool Majuscules() const { return FMajuscules; }

    // Raised, with the field as sender, after the value was clamped to
    // MaxValue (OnOverflow) or MinValue (OnUnderflow).
    TNotifyEvent OnOverflow;
    TNotifyEvent OnUnderflow;

    // Re-reads the text, checks the range and re-formats it.
    virtual void SetValue2();

    // The colour the text is drawn in now (ColorNormal or ColorWarning); it
    // is the QPalette::Text colour of the field.
    uint32_t CouleurTexte() const { return FCouleurTexte; }

    // The field's context menu (undo, redo, cut, copy, paste, delete, select
    // all), its cut, paste and delete judged as their keys are.
    QMenu* CreerMenuContextuel();

protected:
    // The typing filter: classifies the key (which CheckKeyChar may change),
    // builds Candidat and lets SyntaxOk judge it.
    virtual bool IsValidChar(QChar& touche);
    virtual TKeyChar CheckKeyChar(QChar& touche);
    virtual bool SyntaxOk();
    // Candidat is empty, "-" or "+".
    bool EmptyOrSign() const;

    // The decimal fields' key classes: a full stop becomes the locale's
    // separator; the separator, digits, E, e, + and - are NumberChar.
    TKeyChar ClasserToucheDecimale(QChar& touche) const;
    // The locale's decimal separator.
    static QChar Separateur();

    // The range check shared by every value type: returns the value or the
    // bound it was clamped to, sets the text colour and posts the event.
    template <class T>
    T Borner(T valeur, T minimum, T maximum)
    {
        MontrerNormal();
        if (!FValidate)
            return valeur;
        if (valeur < minimum) {
            Avertir(CMUnderflow, OnUnderflow);
            return minimum;
        }
        if (valeur > maximum) {
            Avertir(CMOverflow, OnOverflow);
            return maximum;
        }
        return valeur;
    }

    // Shows `texte` unless the field already holds it, so the caret and the
    // selection stay when nothing changes.
    void Afficher(const QString& texte);
    void ColorerTexte(uint32_t couleur);
    void SetMajuscules(bool majuscules) { FMajuscules = majuscules; }

    // Judges a text: stores it as Candidat and asks SyntaxOk.
    bool Approuve(const QString& candidat);

    // Each applies the change when Candidat is approved; true if it did.
    bool Coller(QClipboard::Mode mode);
    bool Couper();
    bool Supprimer();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    QString Candidat;

private:
    class Filtre;

    // Undoes a text set from outside that SyntaxOk refuses: the line edit's
    // validator cannot refuse setText, and keeps it.
    void GarderTexteApprouve(const QString& texte);
    // The text with `ajout` in place of the selection, or at the caret.
    QString AvecInsertion(const QString& ajout) const;
    // The text without the character at `position` (unchanged outside it).
    QString SansCaractere(int position) const;
    // Applies a typed character approved by IsValidChar.
    void Frapper(QChar touche);
    void Avertir(QEvent::Type type, const TNotifyEvent& evenement);
    void MontrerNormal();

    QString FFormatString;
    bool FValidate = false;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    uint32_t FColorNormal = Couleurs::clBlack;
    uint32_t FColorWarning = Couleurs::clRed;
    uint32_t FCouleurTexte = Couleurs::clBlack;
    bool FEnAvertissement = false;
    bool FAutoSelect = true;
    bool FMajuscules = false;
    // The field's last text that SyntaxOk approved or that it showed itself.
    QString FTexteApprouve;
    bool FAffichage = false;  // Afficher is setting the text
    // The focus left for a popup menu or another window and will come back:
    // neither an exit nor, on its return, an entry.
    bool FFocusSuspendu = false;
};
