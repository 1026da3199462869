#pragma once
// What the layout code asks of a drawing surface. Coordinates are the
// surface's logical units (tenths of a millimetre on a printed page, pixels on
// a widget); texts are raw Windows-1252 bytes. QPainter is behind CanevasQt;
// tests use a recording canvas with a fixed-width font.

#include "Uclasses.h"
#include "Upolice.h"

#include <cstdint>

class Canevas {
public:
    enum class StyleStylo { Plein, Tirets, Points, TiretsPoints, TiretsPointsPoints, Invisible };
    enum class StyleBrosse { Plein, Vide };

    virtual ~Canevas() = default;

    // Device-context state: clip, pen, brush, font and text alignment.
    virtual void SauveEtat() = 0;
    virtual void RestaureEtat() = 0;
    // Narrows the clip to the rectangle (right and bottom edges excluded).
    virtual void IntersecteClip(const qlRect& rectangle) = 0;

    // The pen and brush exactly as given; FixeStylo and FixeBrosse below add
    // the width rule of printed pages on top.
    virtual void ChoisitStylo(StyleStylo style, uint32_t couleur, int largeur) = 0;
    virtual void ChoisitBrosse(StyleBrosse style, uint32_t couleur) = 0;
    // Outlined with the pen and filled with the brush; corners are quarters of
    // an ellipse largeurCoin wide and hauteurCoin high.
    virtual void RectangleArrondi(const qlRect& rectangle, int largeurCoin, int hauteurCoin) = 0;

    virtual Police PoliceCourante() const = 0;
    virtual void ChoisitPolice(const Police& police) = 0;
    // Ascent plus descent of the selected font.
    virtual int HauteurCellule() = 0;
    // How far the selected font's letters reach below their baseline; 0 for
    // a canvas that cannot tell.
    virtual int Descente() { return 0; }
    // Width of the text in the selected font, tabs expanded to the default
    // stops (eight average character widths), in full. A text is never
    // narrower than its own beginning: the text writer relies on it to find
    // where a line stops fitting without measuring every beginning.
    virtual int64_t EtendueTexte(const char* texte, int longueur) = 0;
    // Draws at (x, y); y is the top of the text, or its baseline when the
    // baseline alignment is on. Tab stops count from origineTab. Returns the
    // width drawn (from x to the end of the text, tabs included), in full,
    // so that a caller drawing a line piece by piece can advance x.
    virtual int64_t SortieTexte(int x, int y, const char* texte, int longueur, int origineTab) = 0;
    virtual void AlignementLigneDeBase(bool actif) = 0;
    // Letter classification of the Windows-1252 code page, accents included.
    virtual bool EstLettre(unsigned char octet) const = 0;
};

// Saves the canvas state for its lifetime, so that an exception thrown while
// drawing still leaves the canvas as it was. RestaureEtat() restores at once and
// passes on any error; the destructor restores only if that was not done, and
// swallows any error, since it runs while another exception is on its way
// (out of memory, typically, when restoring needs memory too).
class EtatCanevasSauve {
public:
    explicit EtatCanevasSauve(Canevas& canevas) : m_canevas(canevas) { m_canevas.SauveEtat(); }
    ~EtatCanevasSauve();
    EtatCanevasSauve(const EtatCanevasSauve&) = delete;
    EtatCanevasSauve& operator=(const EtatCanevasSauve&) = delete;

    void RestaureEtat();

private:
    Canevas& m_canevas;
    bool m_restaure = false;
};

// The pen and the brush of every printed page (the labels and the test page).
// A width below 1 gives an invisible pen of width 1; a style other than solid
// gives width 1 with that style; the solid style keeps the width given.
void FixeStylo(Canevas& canevas, Canevas::StyleStylo style, uint32_t couleur, int largeur);
void FixeBrosse(Canevas& canevas, Canevas::StyleBrosse style, uint32_t couleur);
