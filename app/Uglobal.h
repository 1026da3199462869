#pragma once
// The program's one global.

#include <QString>

// Full name of the settings file; empty means nothing is saved at close.
extern QString FichierIni;
