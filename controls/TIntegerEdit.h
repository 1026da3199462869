#pragma once
// A numeric field for signed 32-bit numbers: digits and a sign, shown through
// a printf format ("%d" by default).

#include "TChampEntier.h"

class TIntegerEdit : public TChampEntier<int32_t> {
    Q_OBJECT

public:
    explicit TIntegerEdit(QWidget* parent = nullptr) : TChampEntier(parent) {}
};
