#pragma once
// The eight columns of the electoral-list extraction that a label needs, and
// the search for them in the header row of a loaded table.

#include "Ucsv.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

// Column names in the header row, in the order of the main window's
// column-position table.
const std::array<QString, 8>& ChampsRequis();

// True when the header cell (Windows-1252 bytes) spells `nom`, character for
// character, upper and lower case alike. Accents and blanks count; the whole
// cell must match.
bool CorrespondChamp(std::string_view cellule, const QString& nom);

// Looks for every required name, in list order, among the header cells; the
// leftmost matching cell gives the position stored in indexChamps[k]. Returns
// -1 when all eight were found, else the index k of the first missing name:
// entries before k then hold their new positions, the others are untouched.
int ChercheChamps(const Rangee& entete, std::array<int32_t, 20>& indexChamps);

// The message naming the first missing column k, as ChercheChamps returns it.
QString MessageChampNonTrouve(int k);
