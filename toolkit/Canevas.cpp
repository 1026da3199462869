#include "Canevas.h"

void FixeStylo(Canevas& canevas, Canevas::StyleStylo style, uint32_t couleur, int largeur)
{
    if (largeur < 1)
        canevas.ChoisirStylo(Canevas::StyleStylo::Invisible, couleur, 1);
    else if (style != Canevas::StyleStylo::Plein)
        canevas.ChoisirStylo(style, couleur, 1);
    else
        canevas.ChoisirStylo(style, couleur, largeur);
}

void FixeBrosse(Canevas& canevas, Canevas::StyleBrosse style, uint32_t couleur)
{
    canevas.ChoisirBrosse(style, couleur);
}

EtatCanevasSauve::~EtatCanevasSauve()
{
    if (m_restaure)
        return;
    try {
        m_canevas.Restaurer();
    } catch (...) {
        // The exception already under way says what went wrong.
    }
}

void EtatCanevasSauve::Restaurer()
{
    if (m_restaure)
        return;
    m_restaure = true;
    m_canevas.Restaurer();
}
