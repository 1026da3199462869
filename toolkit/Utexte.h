#pragma once
// qlTexte writes a block of Windows-1252 text into a rectangle of a canvas:
// lines break at CR (or CR LF) and between words so that each fits the
// rectangle's width, are aligned left, right or centred, stack from the top
// while their top lies inside the rectangle, and everything is clipped to it.
// Lengths are the canvas's logical units, tenths of a millimetre on a printed
// page, which is the unit the font heights are computed for.
//
// For the school cursive families, whose letters join the next one, the last
// letter of each word is drawn with the family's "Detache" companion.

#include "Canevas.h"
#include "Uclasses.h"
#include "Upolice.h"

#include <cstddef>
#include <cstdint>
#include <string>

class qlTexte {
public:
    enum class Alignement { Gauche, Droite, Centre };

    // Cursive families, ended by an empty entry, and their companions whose
    // letters end without a joining stroke (same index).
    static constexpr int kTailleNomFonte = 32;
    static constexpr char FonteDep[5][kTailleNomFonte] = {"Sorvang", "Sorvind", "Tuvelka",
                                                         "Tuvelmo", ""};
    static constexpr char FonteArr[5][kTailleNomFonte] = {"SorvangDetache", "SorvindDetache",
                                                         "TuvelkaDetache", "TuvelmoDetache", ""};

    Canevas* Canvas = nullptr;  // bound by Init, not owned
    Police FontePrincipale;     // measures lines
    Police FonteZoom;           // draws them
    Police FonteFin;            // draws the last letter of a word in cursive
    int32_t Zoom = 100;         // percent
    bool Actif = false;         // when false, lines are laid out but not drawn
    // When positive, the size in half points in place of the font's own
    // (whole points): a label's text can be written at 11.5 points.
    int32_t DemiPoints = 0;

    // What writing a text would lose, found without drawing (see MesureTexte).
    struct Mesure {
        bool Tient = true;  // every visible character written, whole, inside
        // The box the written lines take: from the leftmost line start to the
        // rightmost line end, from the area's top to the last baseline plus
        // the font's descent. Empty when no line is written.
        qlRect Encre;
    };

    // Binds the canvas and sizes the three fonts from the font's points.
    void Init(Canevas& canvas, const Police& police, int zoom);

    // Writes the whole text into the rectangle shrunk by the margins. A
    // first-baseline offset or line spacing of 0 takes the font's cell
    // height. The text is raw Windows-1252 bytes; it ends at its length or
    // at a NUL byte. The zoom argument is not used: the writer always works
    // at 100 %. Returns the distance from the top of the text area to the
    // baseline after the last line written (0 when the area is empty).
    // The canvas is left as it was found: state, clip, alignment, font.
    int Ecrire(Canevas& canvas, const Police& police, int zoom, const std::string& texte,
               const qlRect& rectangle, Alignement alignement, int decalagePremiereLigne,
               int interligne, int decalageVertical, bool cursive, const qlRect& marges);

    // Lays the text out as Ecrire does, drawing nothing, and tells whether it
    // fits: a text does not fit when some of it is left unwritten below the
    // area, when its last line reaches below the rectangle's bottom edge
    // (descent included), or when a word wider than the area is cut or a
    // character dropped. The canvas is left as it was found.
    Mesure MesureTexte(Canevas& canvas, const Police& police, const std::string& texte,
                       const qlRect& rectangle, Alignement alignement, int decalagePremiereLigne,
                       int interligne, const qlRect& marges);

    // Lays out and draws the line starting at position and moves position
    // past it (and past the CR, CR LF that ends it).
    void EcrireLigne(const std::string& texte, std::size_t& position, const qlRect& zone,
                     int ligneDeBase, Alignement alignement, bool cursive, int zoom,
                     int decalageVertical);

    // Draws one laid-out line between gauche and droite on the baseline.
    void Afficher(const char* texte, int longueur, int gauche, int droite, int ligneDeBase,
                  Alignement alignement, bool cursive);

private:
    // Ecrire's work; when mesurer, draws nothing and fills m_mesure.
    int Dispose(Canevas& canvas, const Police& police, const std::string& texte,
                const qlRect& rectangle, Alignement alignement, int decalagePremiereLigne,
                int interligne, int decalageVertical, bool cursive, const qlRect& marges,
                bool mesurer);

    // While measuring: widens m_mesure.Encre to a line placed as Afficher would.
    void Etend(const char* texte, int longueur, int gauche, int droite, int ligneDeBase,
               Alignement alignement);

    bool m_mesurer = false;
    Mesure m_mesure;
};
