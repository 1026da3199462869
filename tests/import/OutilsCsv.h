#pragma once
// Helpers of the import tests: files written byte for byte, tables read back
// whole, and the plain reference reader of the same grammar.

#include "LectureReference.h"
#include "Ucsv.h"

#include <QString>

#include <string>
#include <vector>

using Table = std::vector<Rangee>;

// Writes `octets` to `chemin`, replacing the file; fails the test on error.
void EcritCsv(const QString& chemin, const std::string& octets);
std::string LitCsv(const QString& chemin);

// Every row of the table, through operator[].
Table Rangees(const TCSV& table);
