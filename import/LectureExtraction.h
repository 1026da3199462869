#pragma once
// Loading an extraction as a spreadsheet may have re-saved it: the encoding
// (Windows-1252, UTF-8 with or without its mark, UTF-16 with its mark) and
// the separator (";", "," or a tab) are recognised from the start of the
// file, and the text is turned into the Windows-1252 cells the rest of the
// program reads. A Windows-1252 ";" file is read by TCSV as it stands.

#include "RapportExtraction.h"
#include "Ucsv.h"

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

enum class Encodage { Windows1252, Utf8, Utf8Marque, Utf16LE, Utf16BE };

// Bytes of the file's start the detection looks at.
constexpr std::size_t kTailleDebut = 65536;

// The encoding of a file from its first bytes (`tronque`: the file goes on
// after them). UTF-16 and marked UTF-8 by their mark; unmarked UTF-8 when the
// bytes hold at least one non-ASCII character and are all valid UTF-8 (a
// Windows-1252 accented letter alone never is); otherwise Windows-1252.
Encodage DetecteEncodage(std::string_view debut, bool tronque);

// The text in Windows-1252, the mark removed. A character the code page
// lacks becomes its letter without accent ("ő" → "o"), a blank becomes a
// space, anything else "?"; each line where this happened is reported. In
// UTF-8, a byte outside a valid sequence is kept as it is (Windows-1252
// already). Line feeds are kept, so lines keep their numbers.
std::string ConvertitEnCp1252(std::string_view octets, Encodage encodage,
                              RapportExtraction& remplacements);

// The first of ";", "," and tab that splits the first row of `debut`
// (Windows-1252) into cells holding every required column name; ";" when
// none does.
char DetecteSeparateur(std::string_view debut);

// "UTF-8", "UTF-16", ... for the messages.
QString NomEncodage(Encodage encodage);

struct LectureExtraction {
    bool chargee = false;
    int erreur = 0;  // errno value when not loaded
    Encodage encodage = Encodage::Windows1252;
    RapportExtraction remplacements;  // characters the conversion replaced
};

// Loads the file into `table` as described above. On failure the table is
// left as it was and `erreur` says why.
LectureExtraction ChargeExtraction(TCSV& table, const QString& chemin);

// What the header row holds, for the message of a missing column: a single
// column (so the separator is none of the three), or its number of columns
// and their separator, with the encoding when it was not Windows-1252.
QString ConstatEntete(const TCSV& table, Encodage encodage);
