#include "PageEtiquettes.h"

#include "Canevas.h"
#include "Ucouleurs.h"
#include "Upolice.h"
#include "Utexte.h"

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
    etat.Restaurer();
}

void EcritTexteEtiquette(Canevas& canevas, const Police& police, const qlRect& rectangle,
                         const std::string& texte)
{
    if (rectangle.left >= rectangle.right || rectangle.top >= rectangle.bottom)
        return;
    qlTexte redacteur;
    redacteur.Ecrire(canevas, police, 100, texte, rectangle, qlTexte::Alignement::Gauche, 0, 0, 0,
                     false, qlRect(0, 0, 0, 0));
}
