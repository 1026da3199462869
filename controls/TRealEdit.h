#pragma once
// A numeric field for decimal numbers shown through a printf format ("%g" by
// default) with the locale's decimal separator; it types as TDecimalEdit.

#include "TChampReel.h"

class TRealEdit : public TChampReel {
    Q_OBJECT

public:
    explicit TRealEdit(QWidget* parent = nullptr);

protected:
    // A FormatString that is not one real conversion ("%.3f", "%g cm") is
    // read as "%g".
    QString Formate(long double valeur) const override;
};
