#pragma once
// The print settings read from and written to section "Impression" of the
// settings file; section "Brivane" is never touched.

#include "ReglagesImpression.h"

#include <QString>
#include <QStringList>

class UIni;

// The settings the file holds: a missing or unreadable file, a missing key or
// a value that is not a number gives the default (false, 0, 0, false); a shift out
// of range counts as 0, and avertissements (when given) receives one French
// line naming its key.
ReglagesImpression LitReglagesImpression(const QString& fichierIni,
                                         QStringList* avertissements = nullptr);
ReglagesImpression LitReglagesImpression(const UIni& ini, QStringList* avertissements = nullptr);

// Writes the keys "TriClasse", "DecalageX", "DecalageY" and "AjusterTexte" into section
// "Impression", a shift out of range as 0, keeping everything else the file
// holds. The file is replaced in one step: on failure it is left as it was,
// false is returned and erreur receives "Impossible d'écrire dans <file>".
bool EcritReglagesImpression(const ReglagesImpression& reglages, const QString& fichierIni,
                             QString& erreur);
// The same into a document already loaded, for a caller that saves it with
// other settings in one step. False when a key cannot be stored.
bool EcritReglagesImpression(const ReglagesImpression& reglages, UIni& ini);
