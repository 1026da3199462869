#pragma once
// What the system decides rather than the program's rules: where the settings
// and the help document live, and in which 8-bit encoding the settings file is
// written. Each system has its own .cpp, chosen at build time.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

// The per-user folder that holds the "Kelvora" settings folder: the roaming
// application-data folder on Windows (%APPDATA%), the configuration folder
// (~/.config, or $XDG_CONFIG_HOME) elsewhere. Empty when the system gives none.
QString DossierDonneesUtilisateur();

// The folder of the help document, always ending with a separator. On Windows
// the installer's registry value (text value "path" of the key "Brivane"
// under the classes root); elsewhere the installed data folder (share/brivane
// beside the program's bin folder). Without it, the current folder.
QString TrouveDossierAide();

// The program's arguments once Qt has taken its own options out of argv, file
// names unchanged: elsewhere the bytes pass through even when they are not
// valid UTF-8; on Windows they come from the wide-character command line, so
// a name outside the ANSI code page survives.
QStringList ArgumentsProgramme(int argc, char** argv);

// The Qt platform that draws without a screen, with the system's fonts: for
// a program that only writes PDF files, and for the tests.
QByteArray PlateformeSansEcran();

// Makes a console show the UTF-8 messages of a command-line program: a
// Windows console otherwise reads them in its old OEM code page.
void PrepareConsole();

// The bytes of a settings text as the settings file holds it: the ANSI code
// page (Windows-1252) on Windows, UTF-8 elsewhere. Nothing when the text
// cannot be written in that encoding.
std::optional<QByteArray> EncodeTexteIni(QStringView texte);
