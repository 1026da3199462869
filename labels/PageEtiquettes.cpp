#include "PageEtiquettes.h"

#include "Canevas.h"
#include "Ucouleurs.h"
#include "Upolice.h"
#include "Utexte.h"

#include <algorithm>

void ParcourtPage(Canevas& canevas, const Parametres& p, const VisiteEtiquette& visite)
{
    FixeStylo(canevas, Canevas::StyleStylo::Plein, Couleurs::clBlack, 1);
    FixeBrosse(canevas, Canevas::StyleBrosse::Plein, Couleurs::clWhite);
    if (p.NbLignes <= 0 || p.NbCols <= 0)
        return;

    // Restored also when a visit throws (see EtatCanevasSauve).
    EtatCanevasSauve etat(canevas);
    Police police;
    p.Fonte.Restaure(police);
    bool suite = true;
    for (int32_t ligne = 0; ligne < p.NbLignes && suite; ++ligne) {
        for (int32_t colonne = 0; colonne < p.NbCols && suite; ++colonne)
            suite = visite(ligne, colonne, police);
    }
    etat.RestaureEtat();
}

namespace {

qlTexte::Mesure MesureA(Canevas& canevas, const Police& police, const qlRect& rectangle,
                        const std::string& texte, int32_t demiPoints)
{
    qlTexte redacteur;
    redacteur.DemiPoints = demiPoints;
    return redacteur.MesureTexte(canevas, police, texte, rectangle, qlTexte::Alignement::Gauche,
                                 0, 0, qlRect(0, 0, 0, 0));
}

}  // namespace

void EcritTexteEtiquette(Canevas& canevas, const Police& police, const qlRect& rectangle,
                         const std::string& texte, int32_t demiPoints)
{
    if (rectangle.left >= rectangle.right || rectangle.top >= rectangle.bottom)
        return;
    qlTexte redacteur;
    redacteur.DemiPoints = demiPoints;
    redacteur.Ecrire(canevas, police, 100, texte, rectangle, qlTexte::Alignement::Gauche, 0, 0, 0,
                     false, qlRect(0, 0, 0, 0));
}

DispositionTexte DisposeTexteEtiquette(Canevas& canevas, const Police& police,
                                       const qlRect& rectangle, const std::string& texte,
                                       bool reduire)
{
    DispositionTexte disposition;
    qlTexte::Mesure mesure = MesureA(canevas, police, rectangle, texte, 0);
    // Sizes are tried from the largest: a smaller one may break the lines
    // otherwise, so fitting is not known to follow the size.
    // Beyond 72 points the search starts at 72, so it stays short.
    const int64_t depart = std::min<int64_t>(2 * static_cast<int64_t>(police.Size), 144) - 1;
    for (int64_t demi = depart; reduire && !mesure.Tient && demi >= kDemiPointsMin; --demi) {
        disposition.DemiPoints = static_cast<int32_t>(demi);
        mesure = MesureA(canevas, police, rectangle, texte, disposition.DemiPoints);
    }
    disposition.Coupe = !mesure.Tient;
    disposition.Encre = mesure.Encre;
    return disposition;
}
