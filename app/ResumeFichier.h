#pragma once
// The line under the main window's status text that tells which extraction
// is loaded, so that last year's file is not printed by mistake.

#include <QDate>
#include <QString>

#include <cstddef>

// "CSVListeElectorale.csv — 30 électeurs — 12/09/2026": the file's name, its
// voters (the rows after the header) and the day it was last changed; no date
// when it is unknown.
QString ResumeFichier(const QString& nom, std::size_t electeurs, const QDate& modifie);

// "« liste.csv » : le fichier n'existe pas": a file that could not be read,
// and why.
QString ResumeEchecFichier(const QString& nom, const QString& raison);
