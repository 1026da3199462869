#pragma once
// Whole-file reads and writes for tests that check exact bytes on disk.

#include <QByteArray>
#include <QString>

// The file's bytes, or "<illisible>" when it cannot be read.
QByteArray LitOctets(const QString& fichier);
// Replaces the file with these bytes; a failure fails the current test.
void EcritOctets(const QString& fichier, const QByteArray& octets);
