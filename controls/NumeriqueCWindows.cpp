// On Windows a program starts in the C locale and Qt leaves it there (it never
// calls setlocale), so numbers already have a full stop: nothing to change.
#include "NumeriqueC.h"

struct NumeriqueC::Etat {};

NumeriqueC::NumeriqueC() = default;

NumeriqueC::~NumeriqueC() = default;
