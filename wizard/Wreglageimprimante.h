#pragma once
// "Réglage de l'imprimante...": the shift of everything printed, in
// millimetres with one decimal (decimal comma), to make up for a printer
// that does not print where it is told. The values come in and go out in
// tenths of a millimetre, the unit of the settings. The shifts are those seen
// on the sheet held upright as it leaves the printer, whatever the format's
// orientation; the dialog says so in words and with a small picture.

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

    TDecimalEdit* edDecalageX = nullptr;  // positive: toward the sheet's right edge
    TDecimalEdit* edDecalageY = nullptr;  // positive: toward the sheet's bottom edge
};
