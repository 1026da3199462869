#pragma once
// The order the voters are printed in when the labels are sorted by class,
// so that each class's labels come out together for its pigeon-hole.

#include "ImpressionEtiquettes.h"
#include "Ucsv.h"

#include <cstddef>
#include <QString>

#include <cstdint>
#include <string>
#include <vector>

// What a voter is sorted on: raw Windows-1252 cells, decoded only to compare.
struct CleTri {
    std::string Classe;
    std::string Enfant;       // the child's name
    std::string Responsable;  // the parent's name
};

// The school level a class name starts with, case, accents and separators
// ignored: 0 to 8 for TPS, PS, MS, GS, CP, CE1, CE2, CM1, CM2 (a mixed class
// "CE2-CM1" is CE2), 9 for a class without a known level, 10 for no class.
// `reste` receives the name after the level (the whole name without one).
int NiveauClasse(const QString& classe, QString& reste);

// Positions 0 to n − 1 of the keys in print order: by class in school order
// (the level of NiveauClasse, then the rest of the name in French order with
// the numbers compared as numbers: "CM1 A" before "CM1 B", "classe 9" before
// "classe 10"), then by the child's name, then by the parent's name. The
// three keys are first compared without accents, case or extra blanks ("CE1",
// "ce1 " and "Cé1" are one class); only voters equal that way are then
// ordered by the keys as written. Voters whose keys are equal keep their
// order in the file.
std::vector<size_t> OrdreTri(const std::vector<CleTri>& cles);

// The table rows of the voters (1 to NbRangees − 1) in that order, reading
// the class, the child's name and the parent's name at their column
// positions ("classe enfant 1", "nom enfant 1", "nom responsable") in place,
// without copying the rows. A position outside a row reads as an empty cell.
std::vector<int32_t> OrdreParClasse(const TCSV& table, const TableIndexChamps& indexChamps);
