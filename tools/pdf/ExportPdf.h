#pragma once
// brivane-pdf's work: read the settings, load and check the extraction as the
// main window does, and print the labels with the window's print job onto a
// PDF whose page is the format's sheet; or, with OptionsPdf::pageTest, print
// the wizard's test page of the format without any extraction. Needs a
// QGuiApplication.

#include "LigneCommandePdf.h"

#include <QString>
#include <QStringList>

#include <cstdint>

struct ResultatExport {
    static constexpr int kSucces = 0;
    static constexpr int kEchec = 1;
    static constexpr int kUsage = 2;

    int code = kEchec;
    QString message;     // French, for standard error, when code is not kSucces
    int32_t pages = 0;   // pages written
    QStringList avertissements;  // French, for standard error, whatever the code
};

struct Parametres;

// What a hand-edited format makes of the labels: one French line per key
// that leaves them blank (a label size that is not positive, inner margins
// that leave no room for the text). Empty for a sound format.
QStringList AvertissementsFormat(const Parametres& p);

// Why the format's sheet cannot be a PDF page, naming the key: a PDF page
// measures from 3 to 14,400 points (1.1 mm to 5.08 m) each way. Empty when
// it can.
QString RefusFeuillePdf(const Parametres& p);

// The PDF reaches its output only once complete, through EcriturePdf: after a
// failure (a full disk included) no partial file is left and an older file is
// untouched. An
// output that is the extraction or the settings file themselves (whatever
// the path that leads to them) is refused before anything is read.
ResultatExport ExportePdf(const OptionsPdf& options);
