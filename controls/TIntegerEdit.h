#pragma once
// A numeric field for signed 32-bit numbers: digits and a sign, shown through
// a printf format ("%d" by default).

#include "TCommonEdit.h"

#include <cstdint>

class TIntegerEdit : public TCommonEdit {
    Q_OBJECT

public:
    explicit TIntegerEdit(QWidget* parent = nullptr);

    // Empty text gives 0; text that is not a 32-bit number gives MinValue.
    int32_t Value() const;
    // Range-checked (when Validate is on), formatted, shown. A FormatString
    // that is not one integer conversion ("%d", "%+d") is read as "%d".
    void SetValue(int32_t valeur);
    int32_t CheckValue(int32_t valeur);

    int32_t MinValue() const { return FMinValue; }
    void SetMinValue(int32_t valeur) { FMinValue = valeur; }
    int32_t MaxValue() const { return FMaxValue; }
    void SetMaxValue(int32_t valeur) { FMaxValue = valeur; }

    void SetValue2() override;

protected:
    TKeyChar CheckKeyChar(QChar& touche) override;
    bool SyntaxOk() override;

private:
    int32_t FMinValue = 0;
    int32_t FMaxValue = 0;
};
