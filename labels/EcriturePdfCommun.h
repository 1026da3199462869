#pragma once
// What writing a PDF output says and checks alike on every system.

#include <QByteArray>
#include <QString>

QString MessageEcriture(const QString& sortie, const QString& raison);
QString MessageCreation(const QString& sortie, const QString& raison);
// The reason of an errno value; a missing part of an output's path is a
// folder, the file being still to make.
QString Raison(int erreur);
QString RaisonDocumentIncomplet();
// Why `sortie` cannot be written at all, as the message naming it; empty
// when it can be.
QString MessageRefusSortie(const QString& sortie);
// Whether the last bytes of a document hold a finished PDF's end marker.
bool FinDeDocument(const QByteArray& fin);
