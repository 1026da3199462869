#include "Canevas.h"

void FixeStylo(Canevas& canevas, Canevas::StyleStylo style, uint32_t couleur, int largeur)
{
    if (largeur < 1)
        canevas.ChoisitStylo(Canevas::StyleStylo::Invisible, couleur, 1);
    else if (style != Canevas::StyleStylo::Plein)
        canevas.ChoisitStylo(style, couleur, 1);
    else
        canevas.ChoisitStylo(style, couleur, largeur);
}

void FixeBrosse(Canevas& canevas, Canevas::StyleBrosse style, uint32_t couleur)
{
    canevas.ChoisitBrosse(style, couleur);
}

EtatCanevasSauve::~EtatCanevasSauve()
{
    if (m_restaure)
        return;
    try {
        m_canevas.RestaureEtat();
    } catch (...) {
        // The exception already under way says what went wrong.
    }
}

void EtatCanevasSauve::RestaureEtat()
{
    if (m_restaure)
        return;
    m_restaure = true;
    m_canevas.RestaureEtat();
}
