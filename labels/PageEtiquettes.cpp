#include "PageEtiquettes.h"

#include "Canevas.h"
#include "Ucouleurs.h"
#include "Upolice.h"
#include "Utexte.h"

namespace {

// Saves the canvas state for the lifetime of the object, so an exception
// thrown while writing a label still leaves the canvas as it was.
class EtatCanevasSauve {
public:
    explicit EtatCanevasSauve(Canevas& canevas) : m_canevas(canevas) { m_canevas.Sauver(); }
    ~EtatCanevasSauve() { m_canevas.Restaurer(); }
    EtatCanevasSauve(const EtatCanevasSauve&) = delete;
    EtatCanevasSauve& operator=(const EtatCanevasSauve&) = delete;

private:
    Canevas& m_canevas;
};

}  // namespace

void ParcourtPage(Canevas& canevas, const Parametres& p, const VisiteEtiquette& visite)
{
    FixeStylo(canevas, Canevas::StyleStylo::Plein, Couleurs::clBlack, 1);
    FixeBrosse(canevas, Canevas::StyleBrosse::Plein, Couleurs::clWhite);
    if (p.NbLignes <= 0 || p.NbCols <= 0)
        return;

    const EtatCanevasSauve etat(canevas);
    Police police;
    p.Fonte.Restaure(police);
    for (int32_t ligne = 0; ligne < p.NbLignes; ++ligne) {
        for (int32_t colonne = 0; colonne < p.NbCols; ++colonne) {
            if (!visite(ligne, colonne, police))
                return;
        }
    }
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
