#include "Utexte.h"

#include "Arith32.h"

#include <QString>

namespace {

using Arith32::Moins;
using Arith32::Plus;

// A coordinate at the drawing scale, in percent.
int Echelle(int valeur, int zoom)
{
    return Arith32::Divise(Arith32::Fois(valeur, zoom), 100);
}

constexpr char kCR = '\r';
constexpr char kLF = '\n';

// The text ends at its length, or earlier at a NUL byte.
unsigned char Caractere(const std::string& texte, std::size_t i)
{
    return i < texte.size() ? static_cast<unsigned char>(texte[i]) : 0;
}

bool EstBlanc(unsigned char c)
{
    return c == ' ' || c == '\t';
}

bool FinitLigne(unsigned char c)
{
    return c == 0 || c == kCR;
}

}  // namespace

void qlTexte::Init(Canevas& canvas, const Police& police, int zoom)
{
    Actif = true;
    Zoom = zoom;
    Canvas = &canvas;
    FontePrincipale = police;
    FonteZoom = police;
    FonteFin = police;
    // Negative: the character height without internal leading, in tenths of
    // a millimetre (254 per inch, 72 points per inch).
    FontePrincipale.Height = Arith32::Divise(Arith32::Fois(Arith32::Oppose(police.Size), 254), 72);
    FonteZoom.Height = Arith32::Divise(
        Arith32::Fois(Arith32::Fois(Arith32::Oppose(police.Size), Zoom), 254), 7200);
    FonteFin.Height = FonteZoom.Height;
}

int qlTexte::Ecrire(Canevas& canvas, const Police& police, int /*zoom*/, const std::string& texte,
                    const qlRect& rectangle, Alignement alignement, int decalagePremiereLigne,
                    int interligne, int decalageVertical, bool cursive, const qlRect& marges)
{
    canvas.Sauver();
    const Police policeAppelant = canvas.PoliceCourante();
    Init(canvas, police, 100);

    // The right edge reaches one unit further than the bottom edge.
    canvas.IntersecterClip(qlRect(Echelle(rectangle.left, Zoom), Echelle(rectangle.top, Zoom),
                                  Echelle(Plus(rectangle.right, 1), Zoom),
                                  Echelle(rectangle.bottom, Zoom)));

    const qlRect zone(Plus(rectangle.left, marges.left), Plus(rectangle.top, marges.top),
                      Moins(rectangle.right, marges.right), Moins(rectangle.bottom, marges.bottom));
    int ligneDeBase = zone.top;
    if (zone.left < zone.right && zone.top < zone.bottom) {
        bool modeCursif = false;
        if (cursive) {
            for (int i = 0; FonteDep[i][0] != '\0'; ++i) {
                if (police.Name == QLatin1String(FonteDep[i])) {
                    modeCursif = true;
                    FonteFin.Name = QString::fromLatin1(FonteArr[i]);
                    break;
                }
            }
        }

        canvas.ChoisirPolice(FontePrincipale);
        const int hauteur = canvas.HauteurCellule();
        if (decalagePremiereLigne == 0)
            decalagePremiereLigne = hauteur;
        if (interligne == 0)
            interligne = hauteur;

        // A line is started only while its top lies inside the area; its
        // lower part may still be cut off by the clip.
        ligneDeBase = Plus(zone.top, decalagePremiereLigne);
        std::size_t position = 0;
        while (Caractere(texte, position) != 0
               && Moins(ligneDeBase, decalagePremiereLigne) < zone.bottom) {
            EcrireLigne(texte, position, zone, ligneDeBase, alignement, modeCursif, Zoom,
                        decalageVertical);
            ligneDeBase = Plus(ligneDeBase, interligne);
        }
    }

    canvas.AlignementLigneDeBase(false);
    canvas.Restaurer();
    canvas.ChoisirPolice(policeAppelant);
    return Moins(ligneDeBase, zone.top);
}

void qlTexte::EcrireLigne(const std::string& texte, std::size_t& position, const qlRect& zone,
                          int ligneDeBase, Alignement alignement, bool cursive, int zoom,
                          int decalageVertical)
{
    const int largeur = Moins(zone.right, zone.left);
    const int gauche = Echelle(zone.left, zoom);
    const int droite = Echelle(zone.right, zoom);
    const int y = Echelle(Plus(ligneDeBase, decalageVertical), zoom);

    auto car = [&](std::size_t i) { return Caractere(texte, i); };
    auto mesure = [&](std::size_t debut, std::size_t fin) {
        return Canvas->EtendueTexte(texte.data() + debut, static_cast<int>(fin - debut));
    };
    auto dessine = [&](std::size_t debut, std::size_t fin) {
        Afficher(texte.data() + debut, static_cast<int>(fin - debut), gauche, droite, y,
                 alignement, cursive);
    };

    const std::size_t debutLigne = position;
    bool finDeLigne = true;
    while (!FinitLigne(car(position))) {
        const std::size_t finMotPrecedent = position;
        while (EstBlanc(car(position)))
            ++position;

        if (position > debutLigne) {
            if (mesure(debutLigne, position) >= largeur) {
                // The blanks overflow: give back those that do not fit.
                while (position > finMotPrecedent && EstBlanc(car(position - 1))
                       && mesure(debutLigne, position) >= largeur)
                    --position;
                if (position > debutLigne) {
                    dessine(debutLigne, position);
                    if (car(position) == ' ')
                        ++position;
                } else {
                    // Not even one character fits: drop it rather than loop.
                    ++position;
                    finDeLigne = false;
                }
                break;
            }
            if (FinitLigne(car(position))) {
                dessine(debutLigne, position);
                break;
            }
        }

        const std::size_t debutMot = position;
        while (!FinitLigne(car(position)) && !EstBlanc(car(position)))
            ++position;
        if (position == debutMot)
            continue;

        if (mesure(debutLigne, position) < largeur) {
            if (FinitLigne(car(position))) {
                dessine(debutLigne, position);
                break;
            }
            continue;
        }

        if (debutMot > debutLigne) {
            // The word begins the next line.
            position = debutMot;
            dessine(debutLigne, debutMot);
            break;
        }

        // A word wider than the line on its own: cut it at the longest
        // beginning that fits.
        while (position > debutLigne && mesure(debutLigne, position) >= largeur)
            --position;
        if (position == debutLigne) {
            ++position;
            finDeLigne = false;
        } else {
            dessine(debutLigne, position);
        }
        break;
    }

    if (finDeLigne && car(position) == kCR)
        ++position;
    if (car(position) == kLF)
        ++position;
}

void qlTexte::Afficher(const char* texte, int longueur, int gauche, int droite, int ligneDeBase,
                       Alignement alignement, bool cursive)
{
    if (!Actif)
        return;
    Canvas->ChoisirPolice(FonteZoom);

    int x = gauche;
    switch (alignement) {
    case Alignement::Gauche:
        break;
    case Alignement::Droite:
        x = Moins(droite, Canvas->EtendueTexte(texte, longueur));
        break;
    case Alignement::Centre:
        x = Moins(Plus(gauche, droite), Canvas->EtendueTexte(texte, longueur)) / 2;
        break;
    }
    Canvas->AlignementLigneDeBase(true);

    if (!cursive) {
        Canvas->SortieTexte(x, ligneDeBase, texte, longueur, x);
    } else {
        // Segments: a run of non-letters, then a run of letters whose last
        // one is drawn with the companion font. Tabs keep the line's origin.
        const int origineTab = x;
        int i = 0;
        while (i < longueur) {
            const int debut = i;
            while (i < longueur && !Canvas->EstLettre(static_cast<unsigned char>(texte[i])))
                ++i;
            while (i < longueur && Canvas->EstLettre(static_cast<unsigned char>(texte[i])))
                ++i;
            const int n = i - debut;
            if (n > 1)
                x = Plus(x, Canvas->SortieTexte(x, ligneDeBase, texte + debut, n - 1, origineTab));
            if (n > 0) {
                Canvas->ChoisirPolice(FonteFin);
                x = Plus(x, Canvas->SortieTexte(x, ligneDeBase, texte + debut + n - 1, 1, origineTab));
                Canvas->ChoisirPolice(FonteZoom);
            }
        }
    }
    Canvas->ChoisirPolice(FontePrincipale);
}
