#pragma once
// A numeric field for decimal numbers shown with a fixed number of decimals
// (FormatString, "2" by default) and the locale's decimal separator; a full
// stop typed becomes that separator.

#include "TCommonEdit.h"

class TDecimalEdit : public TCommonEdit {
    Q_OBJECT

public:
    explicit TDecimalEdit(QWidget* parent = nullptr);

    // Empty text gives 0, unreadable text (a lone sign or separator) MinValue.
    long double Value() const;
    // Range-checked (when Validate is on), formatted, shown. A value that is
    // not a finite number is shown as MinValue.
    void SetValue(long double valeur);
    long double CheckValue(long double valeur);

    long double MinValue() const { return FMinValue; }
    void SetMinValue(long double valeur) { FMinValue = valeur; }
    long double MaxValue() const { return FMaxValue; }
    void SetMaxValue(long double valeur) { FMaxValue = valeur; }
    // Off: trailing zeros are dropped (12,50 shows 12,5 and 12,00 shows 12).
    bool FixedDecimals() const { return FFixedDecimals; }
    void SetFixedDecimals(bool fixes);

    // The number of decimals FormatString asks for; a FormatString that is
    // not a number from 0 to 18 gives two.
    int Decimales() const;

    void SetValue2() override;

protected:
    TKeyChar CheckKeyChar(QChar& touche) override;
    bool SyntaxOk() override;

private:
    long double FMinValue = 0;
    long double FMaxValue = 0;
    bool FFixedDecimals = true;
};
