#pragma once
// A numeric field for unsigned 32-bit numbers: digits only, shown through a
// printf format ("%u" by default).

#include "TChampEntier.h"

class TCardinalEdit : public TChampEntier<uint32_t> {
    Q_OBJECT

public:
    explicit TCardinalEdit(QWidget* parent = nullptr) : TChampEntier(parent) {}
};
