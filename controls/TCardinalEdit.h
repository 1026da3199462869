#pragma once
// A numeric field for unsigned 32-bit numbers: digits only, shown through a
// printf format ("%u" by default).

#include "TCommonEdit.h"

#include <cstdint>

class TCardinalEdit : public TCommonEdit {
    Q_OBJECT

public:
    explicit TCardinalEdit(QWidget* parent = nullptr);

    // Empty text gives 0; otherwise the low 32 bits of the number; unreadable
    // text gives MinValue.
    uint32_t Value() const;
    // Range-checked (when Validate is on), formatted, shown. A FormatString
    // that is not one integer conversion ("%u", "%03u") is read as "%u".
    void SetValue(uint32_t valeur);
    uint32_t CheckValue(uint32_t valeur);

    uint32_t MinValue() const { return FMinValue; }
    void SetMinValue(uint32_t valeur) { FMinValue = valeur; }
    uint32_t MaxValue() const { return FMaxValue; }
    void SetMaxValue(uint32_t valeur) { FMaxValue = valeur; }

    void SetValue2() override;

protected:
    TKeyChar CheckKeyChar(QChar& touche) override;
    // Digits up to 4294967295; no sign, which would wrap round when read.
    bool SyntaxOk() override;

private:
    uint32_t FMinValue = 0;
    uint32_t FMaxValue = 0;
};
