#pragma once
// Whole-file reads and writes for tests that check exact bytes on disk.

#include <QByteArray>
#include <QString>

// The file's bytes, or "<illisible>" when it cannot be read.
QByteArray LitOctets(const QString& fichier);
// Replaces the file with these bytes; a failure fails the current test.
void EcritOctets(const QString& fichier, const QByteArray& octets);
// A UTF-8 text as the settings file holds it on this system: unchanged, or in
// Windows-1252 on Windows (the tests' accented letters are all Latin-1 ones).
QByteArray OctetsIni(const QByteArray& utf8);
// Points the per-user settings folder at dossier for this process and the
// programs it starts: XDG_CONFIG_HOME, or APPDATA on Windows.
void DetourneDossierReglages(const QString& dossier);
// The name of that environment variable.
QString VariableDossierReglages();
