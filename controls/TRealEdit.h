#pragma once
// A numeric field for decimal numbers shown through a printf format ("%g" by
// default) with the locale's decimal separator; it types as TDecimalEdit.

#include "TCommonEdit.h"

class TRealEdit : public TCommonEdit {
    Q_OBJECT

public:
    explicit TRealEdit(QWidget* parent = nullptr);

    // Empty text gives 0, unreadable text (a lone sign or separator) MinValue.
    long double Value() const;
    // Range-checked (when Validate is on), formatted, shown. A value that is
    // not a finite number is shown as MinValue; a FormatString that is not one
    // real conversion ("%.3f", "%g cm") is read as "%g".
    void SetValue(long double valeur);
    long double CheckValue(long double valeur);

    long double MinValue() const { return FMinValue; }
    void SetMinValue(long double valeur) { FMinValue = valeur; }
    long double MaxValue() const { return FMaxValue; }
    void SetMaxValue(long double valeur) { FMaxValue = valeur; }

    void SetValue2() override;

protected:
    TKeyChar CheckKeyChar(QChar& touche) override;
    bool SyntaxOk() override;

private:
    long double FMinValue = 0;
    long double FMaxValue = 0;
};
