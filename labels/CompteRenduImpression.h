#pragma once
// What the window says once labels are printed, and the PDF name it offers
// in the print dialog.

#include <QString>

#include <cstdint>

// "30 étiquettes sur 2 pages envoyées à l'imprimante", or for a PDF
// "… enregistrées dans « FICHIER »"; singular for one label or one page.
QString CompteRenduImpression(int64_t etiquettes, int32_t pages, const QString& fichierPdf);

// "Etiquettes - NOM.pdf" in the extraction's folder, NOM being the
// extraction's name without its ".csv" (any case). Empty without extraction.
QString NomPdfPropose(const QString& extraction);
