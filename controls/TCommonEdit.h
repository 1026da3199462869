#pragma once
// The base of the numeric edit fields: a one-line edit that accepts only text
// that is, or can still become, a number of its kind (the typing filter judges
// Candidat, the text the field would hold), shows its value through a format,
// can clamp the value to a range, then turns the text to a warning colour and
// raises an event once the current input has been handled.
//
// One judge, the line edit's validator, approves every change the line edit
// makes (typing, Backspace, Delete, paste, undo, input methods, drops). Kept
// around it only what the line edit does not do: a typed full stop becomes the
// locale's separator; a cut is judged before it copies; a refused drop is
// ignored so that a moved text stays in its source; and text set from outside
// (an assistive technology writing into the field), which the line edit keeps
// even when its validator refuses it, is undone.

#include "Ucouleurs.h"

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
    const QString& FormatString() const { return m_formatString; }
    void SetFormatString(const QString& format);
    bool Validate() const { return m_validate; }
    void SetValidate(bool valider);
    // Left, right or centred (Qt::AlignLeft, Qt::AlignRight, Qt::AlignHCenter).
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alignement);
    uint32_t ColorNormal() const { return m_colorNormal; }
    void SetColorNormal(uint32_t couleur);
    uint32_t ColorWarning() const { return m_colorWarning; }
    void SetColorWarning(uint32_t couleur);
    // Select the whole text when the field is entered (on by default).
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool selectionner) { m_autoSelect = selectionner; }
    // Letters are shown in upper case (the decimal fields: an exponent shows as E).
    bool Majuscules() const { return m_majuscules; }

    // Raised, with the field as sender, after the value was clamped to
    // MaxValue (OnOverflow) or MinValue (OnUnderflow).
    TNotifyEvent OnOverflow;
    TNotifyEvent OnUnderflow;

    // Re-reads the text, checks the range and re-formats it.
    virtual void SetValue2();

    // The colour the text is drawn in now (ColorNormal or ColorWarning); it
    // is the QPalette::Text colour of the field.
    uint32_t CouleurTexte() const { return m_couleurTexte; }

    // The field's context menu (undo, redo, cut, copy, paste, delete, select
    // all) in French whatever translation is loaded, its cut judged first.
    QMenu* CreeMenuContextuel();

protected:
    // The typing filter: the key class (CheckKeyChar may change the key);
    // false refuses it at once, otherwise the validator judges the result.
    virtual bool IsValidChar(QChar& touche);
    virtual TKeyChar CheckKeyChar(QChar& touche);
    virtual bool SyntaxOk();
    // Candidat is empty, "-" or "+".
    bool EmptyOrSign() const;

    // The locale's decimal separator.
    static QChar Separateur();

    // The range check shared by every value type: returns the value or the
    // bound it was clamped to, sets the text colour and posts the event.
    template <class T>
    T Borne(T valeur, T minimum, T maximum)
    {
        MontreNormal();
        if (!m_validate)
            return valeur;
        if (valeur < minimum) {
            Avertit(CMUnderflow, OnUnderflow);
            return minimum;
        }
        if (valeur > maximum) {
            Avertit(CMOverflow, OnOverflow);
            return maximum;
        }
        return valeur;
    }

    // Shows `texte` unless the field already holds it, so the caret and the
    // selection stay when nothing changes.
    void Afficher(const QString& texte);
    void ColoreTexte(uint32_t couleur);
    void SetMajuscules(bool majuscules) { m_majuscules = majuscules; }

    // Judges a text: stores it as Candidat and asks SyntaxOk.
    bool Approuve(const QString& candidat);

    // Cuts the selection when the text without it is approved (the line
    // edit's own cut would copy first); true if it did.
    bool CoupeSelection();

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    QString Candidat;

private:
    class Filtre;

    // Undoes a text set from outside that SyntaxOk refuses: the line edit's
    // validator cannot refuse setText, and keeps it.
    void GardeTexteApprouve(const QString& texte);
    void Avertit(QEvent::Type type, const TNotifyEvent& evenement);
    void MontreNormal();

    QString m_formatString;
    bool m_validate = false;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    uint32_t m_colorNormal = Couleurs::clBlack;
    uint32_t m_colorWarning = Couleurs::clRed;
    uint32_t m_couleurTexte = Couleurs::clBlack;
    bool m_enAvertissement = false;
    bool m_autoSelect = true;
    bool m_majuscules = false;
    // The field's last text that SyntaxOk approved or that it showed itself.
    QString m_texteApprouve;
    bool m_affichage = false;  // Afficher is setting the text
    // The focus left for a popup menu or another window and will come back:
    // neither an exit nor, on its return, an entry.
    bool m_focusSuspendu = false;
};
