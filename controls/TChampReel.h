#pragma once
// The decimal fields' shared piece (TDecimalEdit, TRealEdit): numbers in the
// locale's notation, a full stop typed becomes its decimal separator, letters
// shown in upper case so an exponent shows as E. Each field says how a value
// is shown.

#include "TCommonEdit.h"

class TChampReel : public TCommonEdit {
    Q_OBJECT

public:
    // Empty text gives 0, unreadable text (a lone sign or separator) MinValue.
    long double Value() const;
    // Range-checked (when Validate is on), formatted, shown. A value that is
    // not a finite number is shown as MinValue.
    void SetValue(long double valeur);
    long double CheckValue(long double valeur);

    long double MinValue() const { return m_minValue; }
    void SetMinValue(long double valeur) { m_minValue = valeur; }
    long double MaxValue() const { return m_maxValue; }
    void SetMaxValue(long double valeur) { m_maxValue = valeur; }

    void SetValue2() override;

protected:
    // The field's own constructor sets its FormatString, once Formate works.
    explicit TChampReel(QWidget* parent);

    // The text of a range-checked value.
    virtual QString Formate(long double valeur) const = 0;

    TKeyChar CheckKeyChar(QChar& touche) override;
    bool SyntaxOk() override;

private:
    long double m_minValue = 0;
    long double m_maxValue = 0;
};
