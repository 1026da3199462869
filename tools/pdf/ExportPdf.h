#pragma once
// brivane-pdf's work: read the settings, load and check the extraction as the
// main window does, and print the labels with the window's print job onto a
// PDF whose page is the format's sheet; or, with OptionsPdf::pageTest, print
// the wizard's test page of the format without any extraction. Needs a
// QGuiApplication.

#include "LigneCommandePdf.h"

#include <QString>

#include <cstdint>

struct ResultatExport {
    static constexpr int kSucces = 0;
    static constexpr int kEchec = 1;
    static constexpr int kUsage = 2;

    int code = kEchec;
    QString message;     // French, for standard error, when code is not kSucces
    int32_t pages = 0;   // pages written
};

// The PDF is written under a temporary name in the output's folder and
// renamed on success; after a failure no file is left at either name.
ResultatExport ExportePdf(const OptionsPdf& options);
