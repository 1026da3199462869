// Qt sets LC_NUMERIC from the desktop (a comma in French): a C locale for this
// thread only, so other threads keep theirs.
#include "NumeriqueC.h"

#include <clocale>
#include <locale.h>

struct NumeriqueC::Etat {
    locale_t c;
    locale_t ancienne;
};

NumeriqueC::NumeriqueC()
{
    const locale_t c = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    if (c)
        m_etat = std::make_unique<Etat>(Etat{c, uselocale(c)});
}

NumeriqueC::~NumeriqueC()
{
    if (m_etat) {
        uselocale(m_etat->ancienne);
        freelocale(m_etat->c);
    }
}
