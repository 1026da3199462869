#pragma once
// "Réglage de l'imprimante...": the shift of everything printed, in
// millimetres with one decimal (decimal comma), to make up for a printer
// that does not print where it is told. The values come in and go out in
// tenths of a millimetre, the unit of the settings.

#include <QDialog>

#include <cstdint>

class TDecimalEdit;

// Millimetres typed → tenths of a millimetre, rounded to the nearest and
// kept within ±100 (1 cm).
int32_t DixiemesDepuisMillimetres(long double millimetres);

class TReglageImprimante : public QDialog {
    Q_OBJECT

public:
    explicit TReglageImprimante(QWidget* parent = nullptr);

    // Shows the shifts, in tenths of a millimetre.
    void SetDecalages(int32_t decalageX, int32_t decalageY);
    // The shifts typed, in tenths of a millimetre, within ±100.
    int32_t DecalageX() const;
    int32_t DecalageY() const;

    TDecimalEdit* edDecalageX = nullptr;  // positive: to the right
    TDecimalEdit* edDecalageY = nullptr;  // positive: downward
};
