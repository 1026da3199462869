#pragma once
// A numeric field for decimal numbers shown with a fixed number of decimals
// (FormatString, "2" by default) and the locale's decimal separator; a full
// stop typed becomes that separator.

#include "TChampReel.h"

class TDecimalEdit : public TChampReel {
    Q_OBJECT

public:
    explicit TDecimalEdit(QWidget* parent = nullptr);

    // Off: trailing zeros are dropped (12,50 shows 12,5 and 12,00 shows 12).
    bool FixedDecimals() const { return m_fixedDecimals; }
    void SetFixedDecimals(bool fixes);

    // The number of decimals FormatString asks for; a FormatString that is
    // not a number from 0 to 18 gives two.
    int Decimales() const;

protected:
    QString Formate(long double valeur) const override;

private:
    bool m_fixedDecimals = true;
};
