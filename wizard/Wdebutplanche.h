#pragma once
// Asked before the print dialog: the label of the first sheet to start at, so
// that a sheet already partly used can be finished. Counted from 1, row by
// row from the top left corner; 1 (a new sheet) unless the user changes it.
// A small picture of the sheet shows the labels that stay blank.

#include <QDialog>

#include <cstdint>

class QSpinBox;

class TDebutPlanche : public QDialog {
    Q_OBJECT

public:
    // A sheet of nbCols × nbLignes labels; the start label runs from 1 to
    // their product (1 when the grid holds no label). The miniature lies on
    // its side when the format prints in landscape, as the page is printed.
    TDebutPlanche(int32_t nbCols, int32_t nbLignes, QWidget* parent = nullptr,
                  bool paysage = false);

    int32_t Debut() const;
    void SetDebut(int32_t debut);

    QSpinBox* edDebut = nullptr;

private:
    class Apercu;
    Apercu* m_apercu = nullptr;
};
