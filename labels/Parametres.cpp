#include "Parametres.h"

#include "Arith32.h"

namespace {

using Arith32::Divise;
using Arith32::Fois;
using Arith32::Moins;
using Arith32::Plus;

// start + (index × span) ÷ (count − 1), truncated toward zero; a single label
// sits at the start offset.
int32_t Position(int32_t etendue, int32_t debut, int32_t fin, int32_t taille,
                 int32_t nombre, int32_t index)
{
    if (nombre <= 1)
        return debut;
    const int32_t ecart = Moins(Moins(Moins(etendue, debut), fin), taille);
    return Plus(debut, Divise(Fois(index, ecart), nombre - 1));
}

}  // namespace

void InitParametres(Parametres& p)
{
    p.LargeurPage = 2100;
    p.HauteurPage = 2970;
    p.Orientation = false;
    p.LargeurEtiq = 700;
    p.HauteurEtiq = 360;
    p.NbCols = 3;
    p.NbLignes = 8;
    p.MargeHaute = 40;
    p.MargeDroite = 0;
    p.MargeBasse = 50;
    p.MargeGauche = 0;
    p.ImprimerAdresse = true;
    p.ImprimerEnfant = true;
    p.ImprimerClasse = true;
    p.ImprimerSignature = false;
    p.MargesInternes = qlRect(50, 50, 50, 50);
    p.Fonte = ::Fonte();
    p.Fonte.CharSet = 1;
}

int32_t PositionColonne(const Parametres& p, int32_t colonne)
{
    if (p.Orientation)
        return Position(p.HauteurPage, p.MargeHaute, p.MargeBasse, p.LargeurEtiq, p.NbCols, colonne);
    return Position(p.LargeurPage, p.MargeGauche, p.MargeDroite, p.LargeurEtiq, p.NbCols, colonne);
}

int32_t PositionLigne(const Parametres& p, int32_t ligne)
{
    if (p.Orientation)
        return Position(p.LargeurPage, p.MargeGauche, p.MargeDroite, p.HauteurEtiq, p.NbLignes, ligne);
    return Position(p.HauteurPage, p.MargeHaute, p.MargeBasse, p.HauteurEtiq, p.NbLignes, ligne);
}

int64_t EtiquettesParPage(const Parametres& p)
{
    if (p.NbCols <= 0 || p.NbLignes <= 0)
        return 0;
    return static_cast<int64_t>(p.NbCols) * p.NbLignes;
}

qlRect CelluleEtiquette(const Parametres& p, int32_t ligne, int32_t colonne)
{
    const int32_t x = PositionColonne(p, colonne);
    const int32_t y = PositionLigne(p, ligne);
    return qlRect(x, y, Plus(x, p.LargeurEtiq), Plus(y, p.HauteurEtiq));
}

qlRect RectangleTexte(const Parametres& p, int32_t ligne, int32_t colonne)
{
    const qlRect c = CelluleEtiquette(p, ligne, colonne);
    return qlRect(Plus(c.left, p.MargeInterneGauche()), Plus(c.top, p.MargeInterneHaute()),
                  Moins(c.right, p.MargeInterneDroite()), Moins(c.bottom, p.MargeInterneBasse()));
}
