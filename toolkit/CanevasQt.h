#pragma once
// A Canevas drawing with a QPainter on any device: printer, PDF writer, image
// or widget. Lengths are the painter's logical units; unitesParPouce says how
// many of them make an inch, so that a font given in points gets its size in
// those units (254 on a printed page set up in tenths of a millimetre, the
// device's resolution on a widget).
//
// Measuring and drawing go through the same font metrics and the same tab
// expansion, so a measured width is the width drawn. Line feeds, form feeds,
// carriage returns and soft hyphens, which Qt neither shows nor gives room
// to, are left out of both.

#include "Canevas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

class CanevasQt : public Canevas {
public:
    // The painter must be active and outlive the canvas.
    CanevasQt(QPainter& painter, double unitesParPouce);

    void SauveEtat() override;
    void RestaureEtat() override;
    void IntersecteClip(const qlRect& rectangle) override;

    void ChoisitStylo(StyleStylo style, uint32_t couleur, int largeur) override;
    void ChoisitBrosse(StyleBrosse style, uint32_t couleur) override;
    void RectangleArrondi(const qlRect& rectangle, int largeurCoin, int hauteurCoin) override;

    Police PoliceCourante() const override;
    void ChoisitPolice(const Police& police) override;
    int HauteurCellule() override;
    int Descente() override;
    int64_t EtendueTexte(const char* texte, int longueur) override;
    int64_t SortieTexte(int x, int y, const char* texte, int longueur, int origineTab) override;
    void AlignementLigneDeBase(bool actif) override;
    bool EstLettre(unsigned char octet) const override;

    // Width of the text in the selected font, unrounded, tabs counted from
    // the text's start: what EtendueTexte rounds.
    double LargeurExacte(const char* texte, int longueur) const;
    // The Qt font the selected Police resolves to.
    const QFont& PoliceQt() const { return m_font; }
    // Distance between default tab stops in logical units.
    double LargeurTabulation() const;

private:
    struct Etat {
        Police police;
        QFont font;
        bool ligneDeBase;
    };

    // Calls dessin(texte, glyphes, avances, x) for every run between tabs of a
    // line that starts at xDepart, its tab stops counted from origineTab, and
    // returns where the line ends. No glyphs: the run is Qt's to lay out.
    template <typename Dessin>
    double Dispose(const QString& ligne, double xDepart, double origineTab, Dessin&& dessin) const;
    QFont ConstruitFont(const Police& police) const;
    const QFontMetricsF& Metriques() const;
    // The selected font's own glyphs, which give the text its widths.
    const QRawFont& PoliceBrute() const;

    QPainter& m_painter;
    double m_unitesParPouce;
    Police m_police;
    QFont m_font;
    mutable std::optional<QFontMetricsF> m_metriques;
    mutable std::optional<QRawFont> m_brute;
    bool m_ligneDeBase = false;
    std::vector<Etat> m_pile;
};
