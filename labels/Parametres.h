#pragma once
// The label sheet format: sheet, grid, label size, offsets, inner margins,
// print flags and font. Every length is a signed 32-bit count of tenths of a
// millimetre, which is also the logical unit of a printed page, so values
// reach the page unconverted.

#include "Uclasses.h"
#include "Ufonte.h"

#include <QString>
#include <cstdint>

struct Parametres {
    QString PathFich;             // the CSV extraction last chosen
    int32_t LargeurPage = 0;      // sheet width, sheet upright
    int32_t HauteurPage = 0;      // sheet height, sheet upright
    bool Orientation = false;     // false portrait, true landscape
    int32_t LargeurEtiq = 0;      // label width on the printed page
    int32_t HauteurEtiq = 0;      // label height on the printed page
    int32_t NbCols = 0;
    int32_t NbLignes = 0;
    int32_t MargeHaute = 0;       // offsets of the grid from the sheet's edges
    int32_t MargeDroite = 0;
    int32_t MargeBasse = 0;
    int32_t MargeGauche = 0;
    bool ImprimerAdresse = false;
    bool ImprimerEnfant = false;
    bool ImprimerClasse = false;
    bool ImprimerSignature = false;
    qlRect MargesInternes;        // left, top, right, bottom inner margins
    ::Fonte Fonte;

    int32_t MargeInterneGauche() const { return MargesInternes.left; }
    int32_t MargeInterneHaute() const { return MargesInternes.top; }
    int32_t MargeInterneDroite() const { return MargesInternes.right; }
    int32_t MargeInterneBasse() const { return MargesInternes.bottom; }
};

// Gives every field its default except PathFich, which stays as it is.
void InitParametres(Parametres& p);

// Left edge of every label of a column, top edge of every label of a row, on
// the printed page; landscape turns the sheet's extents and offsets.
int32_t PositionColonne(const Parametres& p, int32_t colonne);
int32_t PositionLigne(const Parametres& p, int32_t ligne);

// Labels per page, NbCols × NbLignes: 0 unless both counts are positive (two
// negative counts make no grid), in 64 bits so that a large grid cannot wrap.
int64_t EtiquettesParPage(const Parametres& p);

// The label cell of (ligne, colonne), and the rectangle its text is written in.
qlRect CelluleEtiquette(const Parametres& p, int32_t ligne, int32_t colonne);
qlRect RectangleTexte(const Parametres& p, int32_t ligne, int32_t colonne);
