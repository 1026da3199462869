#include "Uglobal.h"

QString FichierIni;
