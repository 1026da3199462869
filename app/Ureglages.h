#pragma once
// The settings file: the label sheet format and the last CSV path, kept
// between two runs in section "Brivane" of an INI file, one key per field.

#include "Parametres.h"
#include "UreglagesImpression.h"

#include <QString>

class UIni;

// Gives p its defaults, then every value the file holds. A missing or
// unreadable file, a missing key or a value that is not a number leaves the
// field at its default; an empty font value leaves the default font.
void LitParametres(Parametres& p, const QString& fichierIni);
// The same, for a program that must not print with other settings than the
// file's: false when the file exists but cannot be read (not a regular file,
// no permission), with erreur naming the file and the reason, in French. A
// missing file gives the defaults and true.
bool LitParametres(Parametres& p, const QString& fichierIni, QString& erreur);
// The two steps of the above, for a reader of several sections that loads the
// file once: the load (false and erreur as above; ini then empty), and the
// format from what ini holds.
bool ChargeReglages(UIni& ini, const QString& fichierIni, QString& erreur);
void LitParametres(Parametres& p, const UIni& ini);

// Writes the 21 keys, keeping everything else the file holds. A PathFich
// that cannot stand in the file (a line break, a lone surrogate) is written
// empty rather than losing the other settings. The file is
// replaced in one step: on failure it is left as it was, nothing is written,
// false is returned and erreur receives "Impossible d'écrire dans <file>".
bool EcritParametres(const Parametres& p, const QString& fichierIni, QString& erreur);
// The same 21 keys into a document already loaded, for a caller that saves it
// with other settings in one step. False when a key cannot be stored.
bool EcritParametres(const Parametres& p, UIni& ini);
// Everything the program keeps, in one replacement of the file: the 21 keys
// of section "Brivane", then the print settings of section "Impression"
// (EcritReglagesImpression), everything else kept. On failure the file is
// left as it was, false is returned and erreur receives "Impossible d'écrire
// dans <file>".
bool EcritReglages(const Parametres& p, const ReglagesImpression& impression,
                   const QString& fichierIni, QString& erreur);

// Full name of the settings file: "Kelvora/Brivane.ini" under the user's
// configuration folder, creating the folders if needed (a failure is
// ignored); the bare "Brivane.ini" when the folder is unknown.
QString CheminFichierIni();
// The same name, for a program that only reads the settings: no folder is
// created.
QString CheminFichierIniSansCreer();
// The same under dossierConfig; the bare name when dossierConfig is empty.
QString CheminFichierIni(const QString& dossierConfig);
