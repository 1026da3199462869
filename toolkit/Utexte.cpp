#include "Utexte.h"

#include "Arith32.h"

#include <QString>

#include <algorithm>
#include <cstdint>

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

// A stretch of the text as the canvas takes it: a label's text would need
// gigabytes to hold 2^31 characters.
int Longueur(std::size_t n)
{
    return static_cast<int>(std::min<std::size_t>(n, INT32_MAX));
}

// The low 32 bits: widths join the writer's coordinates, which wrap.
int32_t Bas32(int64_t valeur)
{
    return Arith32::Signe(static_cast<uint32_t>(static_cast<uint64_t>(valeur)));
}

// Characters a line reads at first: more than a line of a label holds, so an
// ordinary word or run of blanks is measured once, as a whole.
constexpr std::size_t kPremiereSonde = 256;

// After the last line: text left that would show, or a last line whose
// letters reach below the clip, is lost. Encre holds the lines' extent,
// its top the lowest baseline written (INT32_MIN when none).
void FinitMesure(const std::string& texte, std::size_t position, const qlRect& rectangle,
                 const qlRect& zone, int descente, qlTexte::Mesure& mesure)
{
    for (std::size_t i = position; Caractere(texte, i) != 0; ++i) {
        const unsigned char c = Caractere(texte, i);
        if (!EstBlanc(c) && c != kCR && c != kLF) {
            mesure.Tient = false;
            break;
        }
    }
    if (mesure.Encre.top == INT32_MIN) {
        mesure.Encre = qlRect(zone.left, zone.top, zone.left, zone.top);
        return;
    }
    const int bas = Plus(mesure.Encre.top, descente);
    if (bas > rectangle.bottom)
        mesure.Tient = false;
    mesure.Encre.top = zone.top;
    mesure.Encre.bottom = bas;
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
    // Half points give the same heights as whole points when even.
    const bool demi = DemiPoints > 0;
    const int taille = demi ? DemiPoints : police.Size;
    const int diviseur = demi ? 2 : 1;
    FontePrincipale.Height =
        Arith32::Divise(Arith32::Fois(Arith32::Oppose(taille), 254), 72 * diviseur);
    FonteZoom.Height = Arith32::Divise(
        Arith32::Fois(Arith32::Fois(Arith32::Oppose(taille), Zoom), 254), 7200 * diviseur);
    FonteFin.Height = FonteZoom.Height;
}

int qlTexte::Ecrire(Canevas& canvas, const Police& police, int /*zoom*/, const std::string& texte,
                    const qlRect& rectangle, Alignement alignement, int decalagePremiereLigne,
                    int interligne, int decalageVertical, bool cursive, const qlRect& marges)
{
    return Dispose(canvas, police, texte, rectangle, alignement, decalagePremiereLigne,
                   interligne, decalageVertical, cursive, marges, false);
}

qlTexte::Mesure qlTexte::MesureTexte(Canevas& canvas, const Police& police,
                                     const std::string& texte, const qlRect& rectangle,
                                     Alignement alignement, int decalagePremiereLigne,
                                     int interligne, const qlRect& marges)
{
    Dispose(canvas, police, texte, rectangle, alignement, decalagePremiereLigne, interligne, 0,
            false, marges, true);
    return m_mesure;
}

int qlTexte::Dispose(Canevas& canvas, const Police& police, const std::string& texte,
                     const qlRect& rectangle, Alignement alignement, int decalagePremiereLigne,
                     int interligne, int decalageVertical, bool cursive, const qlRect& marges,
                     bool mesurer)
{
    EtatCanevasSauve etat(canvas);
    const Police policeAppelant = canvas.PoliceCourante();
    Init(canvas, police, 100);
    m_mesurer = mesurer;
    m_mesure = Mesure();
    m_mesure.Encre = qlRect(INT32_MAX, INT32_MIN, INT32_MIN, INT32_MIN);
    if (mesurer)
        Actif = false;

    // The right edge reaches one unit further than the bottom edge.
    canvas.IntersecteClip(qlRect(Echelle(rectangle.left, Zoom), Echelle(rectangle.top, Zoom),
                                 Echelle(Plus(rectangle.right, 1), Zoom),
                                 Echelle(rectangle.bottom, Zoom)));

    const qlRect zone(Plus(rectangle.left, marges.left), Plus(rectangle.top, marges.top),
                      Moins(rectangle.right, marges.right), Moins(rectangle.bottom, marges.bottom));
    int ligneDeBase = zone.top;
    std::size_t position = 0;
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

        canvas.ChoisitPolice(FontePrincipale);
        const int hauteur = canvas.HauteurCellule();
        if (decalagePremiereLigne == 0)
            decalagePremiereLigne = hauteur;
        if (interligne == 0)
            interligne = hauteur;

        // A line is started only while its top lies inside the area; its
        // lower part may still be cut off by the clip.
        ligneDeBase = Plus(zone.top, decalagePremiereLigne);
        while (Caractere(texte, position) != 0
               && Moins(ligneDeBase, decalagePremiereLigne) < zone.bottom) {
            EcrireLigne(texte, position, zone, ligneDeBase, alignement, modeCursif, Zoom,
                        decalageVertical);
            ligneDeBase = Plus(ligneDeBase, interligne);
        }
    }
    if (mesurer)
        FinitMesure(texte, position, rectangle, zone, canvas.Descente(), m_mesure);

    canvas.AlignementLigneDeBase(false);
    etat.RestaureEtat();
    canvas.ChoisitPolice(policeAppelant);
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
    const std::size_t debutLigne = position;

    auto car = [&](std::size_t i) { return Caractere(texte, i); };
    // Whether the line from its start to `fin` fits the width.
    auto tient = [&](std::size_t fin) {
        return Canvas->EtendueTexte(texte.data() + debutLigne, Longueur(fin - debutLigne))
               < largeur;
    };
    auto dessine = [&](std::size_t fin) {
        if (m_mesurer)
            Etend(texte.data() + debutLigne, Longueur(fin - debutLigne), gauche, droite, y,
                  alignement);
        Afficher(texte.data() + debutLigne, Longueur(fin - debutLigne), gauche, droite, y,
                 alignement, cursive);
    };

    // How far a run of characters that `dansLaCourse` accepts, starting at
    // `debut`, fits on the line. The line up to `debut` fits, or `debut` is the
    // line's start. The run is read only as far as the probes go (256
    // characters, then twice as many each time), so a word or a run of
    // blanks megabytes long costs what the line can hold, not its length.
    struct Course {
        bool deborde = false;  // the whole run does not fit
        std::size_t fin = 0;   // the run's end, when it fits
        std::size_t bas = 0;   // when it overflows: a position that fits (or debut)
        std::size_t haut = 0;  // and one further that does not
    };
    auto parcourir = [&](std::size_t debut, auto dansLaCourse) {
        Course course;
        course.bas = debut;
        std::size_t lu = debut;
        std::size_t sonde = kPremiereSonde;
        for (;;) {
            const std::size_t cible = debut + sonde;
            while (lu < cible && dansLaCourse(car(lu)))
                ++lu;
            if (lu == course.bas) {
                course.fin = lu;
                return course;
            }
            if (!tient(lu)) {
                course.deborde = true;
                course.haut = lu;
                return course;
            }
            course.bas = lu;
            if (lu < cible) {
                course.fin = lu;
                return course;
            }
            sonde *= 2;
        }
    };
    // The last position between bas (kept) and haut (excluded) whose line
    // still fits; bas when none does.
    auto dernierQuiTient = [&](std::size_t bas, std::size_t haut) {
        while (haut - bas > 1) {
            const std::size_t milieu = bas + (haut - bas) / 2;
            if (tient(milieu))
                bas = milieu;
            else
                haut = milieu;
        }
        return bas;
    };

    bool finDeLigne = true;
    while (!FinitLigne(car(position))) {
        const Course blancs = parcourir(position, EstBlanc);
        if (blancs.deborde) {
            // The blanks overflow: give back those that do not fit.
            position = dernierQuiTient(blancs.bas, blancs.haut);
            if (position > debutLigne) {
                dessine(position);
                if (car(position) == ' ')
                    ++position;
            } else {
                // Not even one character fits: drop it rather than loop.
                ++position;
                finDeLigne = false;
            }
            break;
        }
        position = blancs.fin;
        if (position > debutLigne && FinitLigne(car(position))) {
            dessine(position);
            break;
        }

        const std::size_t debutMot = position;
        const Course mot =
            parcourir(position, [](unsigned char c) { return !FinitLigne(c) && !EstBlanc(c); });
        if (!mot.deborde) {
            position = mot.fin;
            if (position > debutMot && FinitLigne(car(position))) {
                dessine(position);
                break;
            }
            continue;
        }

        if (debutMot > debutLigne) {
            // The word begins the next line.
            position = debutMot;
            dessine(debutMot);
            break;
        }

        // A word wider than the line on its own: cut it at the longest
        // beginning that fits.
        position = dernierQuiTient(mot.bas, mot.haut);
        if (m_mesurer)
            m_mesure.Tient = false;  // a word cut at the right edge
        if (position == debutLigne) {
            ++position;
            finDeLigne = false;
        } else {
            dessine(position);
        }
        break;
    }

    if (finDeLigne && car(position) == kCR)
        ++position;
    if (car(position) == kLF)
        ++position;
}

void qlTexte::Etend(const char* texte, int longueur, int gauche, int droite, int ligneDeBase,
                    Alignement alignement)
{
    const int largeur = Bas32(Canvas->EtendueTexte(texte, longueur));
    int x = gauche;
    if (alignement == Alignement::Droite)
        x = Moins(droite, largeur);
    else if (alignement == Alignement::Centre)
        x = Moins(Plus(gauche, droite), largeur) / 2;
    qlRect& encre = m_mesure.Encre;
    encre.left = std::min(encre.left, x);
    encre.right = std::max(encre.right, Plus(x, largeur));
    encre.top = std::max(encre.top, ligneDeBase);  // the lowest baseline, until FinitMesure
}

void qlTexte::Afficher(const char* texte, int longueur, int gauche, int droite, int ligneDeBase,
                       Alignement alignement, bool cursive)
{
    if (!Actif)
        return;
    Canvas->ChoisitPolice(FonteZoom);

    int x = gauche;
    switch (alignement) {
    case Alignement::Gauche:
        break;
    case Alignement::Droite:
        x = Moins(droite, Bas32(Canvas->EtendueTexte(texte, longueur)));
        break;
    case Alignement::Centre:
        x = Moins(Plus(gauche, droite), Bas32(Canvas->EtendueTexte(texte, longueur))) / 2;
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
                x = Plus(x, Bas32(Canvas->SortieTexte(x, ligneDeBase, texte + debut, n - 1, origineTab)));
            if (n > 0) {
                Canvas->ChoisitPolice(FonteFin);
                x = Plus(x, Bas32(Canvas->SortieTexte(x, ligneDeBase, texte + debut + n - 1, 1,
                                                      origineTab)));
                Canvas->ChoisitPolice(FonteZoom);
            }
        }
    }
    Canvas->ChoisitPolice(FontePrincipale);
}
