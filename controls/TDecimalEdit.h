#pragma once
// A numeric field for decimal numbers shown with a fixed number of decimals
// (FormatString, "2" by default) and the locale's decimal separator; a full
// stop typed becomes that separator.

#include "TCommonEdit.h"

class TDecimalEdit : public TCommonEdit {
    Q_OBJECT

public:
    explicit TDecimalEdit(QWidget* parent = nullptr);

    // Empty text gives 0, unreadable text MinValue.
    long double Value() const;
    // Range-checked (when Validate is on), formatted, shown.
    void SetValue(long double valeur);
    long double CheckValue(long double valeur);

    long double MinValue() const { return FMinValue; }
    void SetMinValue(long double valeur) { FMinValue = valeur; }
    long double MaxValue() const { return FMaxValue; }
    void SetMaxValue(long double valeur) { FMaxValue = valeur; }
    bool FixedDecimals() const { return FFixedDecimals; }
    void SetFixedDecimals(bool fixes);

    void SetValue2() override;

private:
    long double FMinValue = 0;
    long double FMaxValue = 0;
    bool FFixedDecimals = true;
};
