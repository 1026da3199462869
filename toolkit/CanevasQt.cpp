#include "CanevasQt.h"

#include "Cp1252.h"
#include "Ucouleurs.h"

#include <QGlyphRun>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

namespace {

// Tab stops fall every eight average character widths.
constexpr int kCaracteresParTabulation = 8;

// Text is measured and drawn glyph by glyph with the font's design advances.
// FreeType gives unhinted outlines those already, but Windows' GDI engine
// rounds each glyph's advance to a whole logical unit (0.1 mm) when Qt lays
// text out: some lines would come out up to 1 % narrower there, and an
// address that fills its label would wrap elsewhere than on Linux.
QList<QPointF> Avances(const QRawFont& police, const QList<quint32>& glyphes)
{
    return police.advancesForGlyphIndexes(glyphes, QRawFont::UseDesignMetrics);
}

double Largeur(const QRawFont& police, const QString& texte)
{
    double largeur = 0;
    for (const QPointF& avance : Avances(police, police.glyphIndexesForString(texte)))
        largeur += avance.x();
    return largeur;
}

// The average character width as TrueType fonts long defined it: the small
// letters and the blank weighted by their frequency in English. Qt reports
// the font file's own figure instead, which newer fonts compute over every
// glyph: Liberation Sans says 0.58 em where Arial, whose widths it shares,
// says 0.44 em. The weighted figure gives both the same tab stops.
double LargeurMoyenne(const QRawFont& police)
{
    static constexpr int kPoids[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20,
                                       56, 56, 17, 4,  49, 56, 71, 31, 10, 18, 3, 18, 2};
    constexpr int kPoidsBlanc = 166;
    double somme = kPoidsBlanc * Largeur(police, QStringLiteral(" "));
    for (int i = 0; i < 26; ++i)
        somme += kPoids[i] * Largeur(police, QString(QChar(static_cast<char16_t>(u'a' + i))));
    return somme / 1000.0;
}

// Line feed, form feed, carriage return and the soft hyphen take no room and
// draw nothing in a line. They are left out before Qt lays the text out, so
// that a run of them megabytes long costs a scan rather than a layout.
bool Invisible(char c)
{
    return c == '\n' || c == '\f' || c == '\r' || c == '\xAD';
}

QString Decode(const char* texte, int longueur)
{
    if (texte == nullptr || longueur <= 0)
        return {};
    const std::string_view octets(texte, static_cast<size_t>(longueur));
    if (std::none_of(octets.begin(), octets.end(), Invisible))
        return DecodeCp1252(octets);
    std::string visibles;
    std::remove_copy_if(octets.begin(), octets.end(), std::back_inserter(visibles), Invisible);
    return DecodeCp1252(visibles);
}

Qt::PenStyle VersStyleQt(Canevas::StyleStylo style)
{
    switch (style) {
    case Canevas::StyleStylo::Plein:
        return Qt::SolidLine;
    case Canevas::StyleStylo::Tirets:
        return Qt::DashLine;
    case Canevas::StyleStylo::Points:
        return Qt::DotLine;
    case Canevas::StyleStylo::TiretsPoints:
        return Qt::DashDotLine;
    case Canevas::StyleStylo::TiretsPointsPoints:
        return Qt::DashDotDotLine;
    case Canevas::StyleStylo::Invisible:
        return Qt::NoPen;
    }
    return Qt::SolidLine;
}

}  // namespace

CanevasQt::CanevasQt(QPainter& painter, double unitesParPouce)
    : m_painter(painter), m_unitesParPouce(unitesParPouce), m_font(ConstruitFont(m_police))
{
    m_painter.setFont(m_font);
}

void CanevasQt::SauveEtat()
{
    m_painter.save();
    m_pile.push_back({m_police, m_font, m_ligneDeBase});
}

void CanevasQt::RestaureEtat()
{
    if (m_pile.empty())
        return;
    m_painter.restore();
    Etat etat = std::move(m_pile.back());
    m_pile.pop_back();
    m_police = std::move(etat.police);
    m_font = std::move(etat.font);
    m_ligneDeBase = etat.ligneDeBase;
    m_metriques.reset();
    m_brute.reset();
}

void CanevasQt::IntersecteClip(const qlRect& r)
{
    // A rectangle of no area (or inverted) leaves nothing visible.
    const double largeur = std::max(0.0, static_cast<double>(r.right) - r.left);
    const double hauteur = std::max(0.0, static_cast<double>(r.bottom) - r.top);
    m_painter.setClipRect(QRectF(r.left, r.top, largeur, hauteur), Qt::IntersectClip);
}

void CanevasQt::ChoisitStylo(StyleStylo style, uint32_t couleur, int largeur)
{
    // Width 0 is one device pixel, as on the platform; round ends and joins
    // like its geometric pens.
    QPen stylo(VersQColor(couleur), std::max(0, largeur), VersStyleQt(style), Qt::RoundCap,
               Qt::RoundJoin);
    m_painter.setPen(stylo);
}

void CanevasQt::ChoisitBrosse(StyleBrosse style, uint32_t couleur)
{
    if (style == StyleBrosse::Vide)
        m_painter.setBrush(Qt::NoBrush);
    else
        m_painter.setBrush(QBrush(VersQColor(couleur)));
}

void CanevasQt::RectangleArrondi(const qlRect& r, int largeurCoin, int hauteurCoin)
{
    const QRectF rectangle(r.left, r.top, static_cast<double>(r.right) - r.left,
                           static_cast<double>(r.bottom) - r.top);
    m_painter.drawRoundedRect(rectangle.normalized(), std::abs(largeurCoin) / 2.0,
                              std::abs(hauteurCoin) / 2.0, Qt::AbsoluteSize);
}

Police CanevasQt::PoliceCourante() const
{
    return m_police;
}

QFont CanevasQt::ConstruitFont(const Police& police) const
{
    QFont font(police.Name);
    font.setBold(police.Bold);
    font.setItalic(police.Italic);
    font.setUnderline(police.Underline);
    font.setStrikeOut(police.StrikeOut);
    if (police.Pitch == 2) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    // Unhinted outlines have linear advances: the width measured at the
    // logical size is then the width drawn at any device scale. The platform
    // draws without pair kerning, and so do we.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);

    double pixels = 0;
    if (police.Height < 0) {
        pixels = -static_cast<double>(police.Height);
    } else if (police.Height > 0) {
        // A positive height is the whole cell, internal leading included.
        constexpr int kReference = 1000;
        QFont reference = font;
        reference.setPixelSize(kReference);
        const QFontMetricsF metriques(reference, m_painter.device());
        const double cellule = metriques.ascent() + metriques.descent();
        pixels = cellule > 0 ? police.Height * kReference / cellule : police.Height;
    } else {
        pixels = police.Size * m_unitesParPouce / 72.0;
    }
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    return font;
}

void CanevasQt::ChoisitPolice(const Police& police)
{
    // The text writer switches between fonts that are often the same.
    if (police == m_police && m_painter.font() == m_font)
        return;
    m_police = police;
    m_font = ConstruitFont(police);
    m_painter.setFont(m_font);
    m_metriques.reset();
    m_brute.reset();
}

const QFontMetricsF& CanevasQt::Metriques() const
{
    if (!m_metriques)
        m_metriques.emplace(m_font, m_painter.device());
    return *m_metriques;
}

const QRawFont& CanevasQt::PoliceBrute() const
{
    if (!m_brute)
        m_brute.emplace(QRawFont::fromFont(QFont(m_font, m_painter.device())));
    return *m_brute;
}

int CanevasQt::HauteurCellule()
{
    const QFontMetricsF& metriques = Metriques();
    return static_cast<int>(std::lround(metriques.ascent()) + std::lround(metriques.descent()));
}

int CanevasQt::Descente()
{
    return static_cast<int>(std::lround(Metriques().descent()));
}

double CanevasQt::LargeurTabulation() const
{
    return kCaracteresParTabulation * static_cast<double>(std::lround(LargeurMoyenne(PoliceBrute())));
}

template <typename Dessin>
double CanevasQt::Dispose(const QString& ligne, double xDepart, double origineTab,
                          Dessin&& dessin) const
{
    const QRawFont& police = PoliceBrute();
    const double tabulation = ligne.contains(u'\t') ? LargeurTabulation() : 0.0;
    double x = xDepart;
    qsizetype debut = 0;
    for (qsizetype i = 0; i <= ligne.size(); ++i) {
        if (i < ligne.size() && ligne.at(i) != u'\t')
            continue;
        if (i > debut) {
            const QString morceau = ligne.mid(debut, i - debut);
            const QList<quint32> glyphes = police.glyphIndexesForString(morceau);
            if (glyphes.contains(0u)) {
                // A character the font lacks: Qt's own layout finds it in another font.
                dessin(morceau, {}, {}, x);
                x += Metriques().horizontalAdvance(morceau);
            } else {
                const QList<QPointF> avances = Avances(police, glyphes);
                dessin(morceau, glyphes, avances, x);
                for (const QPointF& avance : avances)
                    x += avance.x();
            }
        }
        if (i < ligne.size() && tabulation > 0)
            x = origineTab + (std::floor((x - origineTab) / tabulation) + 1) * tabulation;
        debut = i + 1;
    }
    return x;
}

double CanevasQt::LargeurExacte(const char* texte, int longueur) const
{
    return Dispose(Decode(texte, longueur), 0, 0,
                   [](const QString&, const QList<quint32>&, const QList<QPointF>&, double) {});
}

int64_t CanevasQt::EtendueTexte(const char* texte, int longueur)
{
    return std::llround(LargeurExacte(texte, longueur));
}

int64_t CanevasQt::SortieTexte(int x, int y, const char* texte, int longueur, int origineTab)
{
    const QString ligne = Decode(texte, longueur);
    if (ligne.isEmpty())
        return 0;
    const double ligneDeBase =
        m_ligneDeBase ? y : y + static_cast<double>(std::lround(Metriques().ascent()));

    // The pen draws lines; text takes the font's own colour.
    const QPen stylo = m_painter.pen();
    m_painter.setPen(VersQColor(m_police.Color));
    QGlyphRun morceau;
    morceau.setRawFont(PoliceBrute());
    morceau.setUnderline(m_font.underline());
    morceau.setStrikeOut(m_font.strikeOut());
    const double fin = Dispose(ligne, x, origineTab,
                               [&](const QString& texte, const QList<quint32>& glyphes,
                                   const QList<QPointF>& avances, double xMorceau) {
        if (glyphes.isEmpty()) {
            m_painter.drawText(QPointF(xMorceau, ligneDeBase), texte);
            return;
        }
        QList<QPointF> positions;
        positions.reserve(avances.size());
        double avancee = 0;
        for (const QPointF& avance : avances) {
            positions.append(QPointF(avancee, 0));
            avancee += avance.x();
        }
        morceau.setGlyphIndexes(glyphes);
        morceau.setPositions(positions);
        m_painter.drawGlyphRun(QPointF(xMorceau, ligneDeBase), morceau);
    });
    m_painter.setPen(stylo);
    return std::llround(fin - x);
}

void CanevasQt::AlignementLigneDeBase(bool actif)
{
    m_ligneDeBase = actif;
}

bool CanevasQt::EstLettre(unsigned char octet) const
{
    return DecodeCp1252(octet).isLetter();
}
