#include "UmiseEnPageBulle.h"

#include <algorithm>

namespace {
constexpr int MargeTexte = 4;

int Abscisse(AlignementBulle alignement, const qlRect& zone, int largeur)
{
    switch (alignement) {
    case AlignementBulle::Centre:
        return zone.left + (zone.right - zone.left - largeur) / 2 - MargeTexte;
    case AlignementBulle::Droite:
        return zone.right - largeur - MargeTexte;
    case AlignementBulle::Gauche:
        break;
    }
    return zone.left;
}

// A row of height h drawn at row `rang` fits above the bottom edge.
bool Tient(int rang, int h, const qlRect& zone)
{
    return (rang + 1) * h + zone.top < zone.bottom;
}
}  // namespace

qlRect MiseEnPageBulle::ZoneTexte(int largeur, int hauteur, int ombre, bool dessinerBoite)
{
    if (!dessinerBoite)
        return {0, 0, largeur, hauteur};
    return {MargeTexte, MargeTexte, largeur - ombre, hauteur - ombre};
}

void MiseEnPageBulle::ChangeStyleCourant(const QString& nom)
{
    StyleTexte style = m_surface.Style();
    Balisage::AppliqueStyle(nom, style);
    m_surface.FixeStyle(style);
}

QSize MiseEnPageBulle::TextExtentEx(const QString& texte)
{
    const StyleTexte garde = m_surface.Style();
    QSize etendue(0, 0);
    Balisage::Parcourt(
        texte,
        [&](const QString& morceau) {
            const QSize m = m_surface.MesureTexte(morceau);
            etendue.rwidth() += m.width();
            etendue.setHeight(std::max(etendue.height(), m.height()));
        },
        [&](const QString& nom) { ChangeStyleCourant(nom); });
    m_surface.FixeStyle(garde);
    return etendue;
}

void MiseEnPageBulle::TextOutEx(int x, int y, const QString& texte)
{
    int avance = 0;
    Balisage::Parcourt(
        texte,
        [&](const QString& morceau) {
            if (morceau.isEmpty())
                return;
            m_surface.Ecrire(x + avance, y, morceau);
            avance += m_surface.MesureTexte(morceau).width();
        },
        [&](const QString& nom) { ChangeStyleCourant(nom); });
}

bool MiseEnPageBulle::DessineLigne(const QString& ligne, AlignementBulle alignement,
                                   const qlRect& zone, int largeurUtile, int& rang,
                                   const Mesure& mesurer, const Sortie& ecrire)
{
    if (ligne.isEmpty()) {
        ++rang;
        return true;
    }
    QSize etendue = mesurer(ligne);
    QString reste = ligne;
    if (etendue.width() > largeurUtile) {
        // Positions from 1: the row runs from `debut`, `coupure` is the last
        // space seen in it (0 for none).
        const QChar espace(u' ');
        const int n = ligne.size();
        int debut = 1;
        int pos = 1;
        int coupure = 0;
        while (pos <= n) {
            ++pos;
            const QString piece = ligne.mid(debut - 1, pos - debut);
            const QSize m = m_surface.MesureTexte(piece);
            if (piece.endsWith(espace))
                coupure = pos - 1;
            if (largeurUtile >= m.width())
                continue;
            if (coupure == 0)
                coupure = pos - 1;  // no space in the row: the word is cut
            // A surface without height would never reach the bottom edge.
            if (m.height() <= 0 || !Tient(rang, m.height(), zone))
                return false;
            const QString rangee = ligne.mid(debut - 1, coupure - debut);
            const QSize r = mesurer(rangee);
            ecrire(Abscisse(alignement, zone, r.width()), r.height() * rang + zone.top, rangee);
            debut = pos = ligne.at(coupure - 1) == espace ? coupure + 1 : coupure;
            coupure = 0;
            ++rang;
        }
        reste = ligne.mid(debut - 1);
        etendue = mesurer(reste);
    }
    if (Tient(rang, etendue.height(), zone))
        ecrire(Abscisse(alignement, zone, etendue.width()), etendue.height() * rang + zone.top,
               reste);
    ++rang;
    return true;
}

void MiseEnPageBulle::DessineFormate(const LignesBulle& lignes, const qlRect& zone, int ombre)
{
    m_surface.FixeStyle(StyleTexte());
    const int utile = LargeurUtile(zone, ombre);
    const Mesure mesurer = [this](const QString& t) { return TextExtentEx(t); };
    const Sortie ecrire = [this](int x, int y, const QString& t) { TextOutEx(x, y, t); };
    int rang = 0;
    for (const LigneBulle& ligne : lignes) {
        if (!ligne.Texte.isEmpty() && Balisage::OnlyContainsTags(ligne.Texte)) {
            // Takes no row; only its style changes count.
            Balisage::Parcourt(
                ligne.Texte, [](const QString&) {},
                [this](const QString& nom) { ChangeStyleCourant(nom); });
            continue;
        }
        if (!DessineLigne(ligne.Texte, ligne.Alignement, zone, utile, rang, mesurer, ecrire))
            return;
    }
}

void MiseEnPageBulle::DessineSimple(const QStringList& lignes, const qlRect& zone, int ombre)
{
    const int utile = LargeurUtile(zone, ombre);
    const Mesure mesurer = [this](const QString& t) { return m_surface.MesureTexte(t); };
    const Sortie ecrire = [this](int x, int y, const QString& t) { m_surface.Ecrire(x, y, t); };
    int rang = 0;
    for (const QString& ligne : lignes)
        if (!DessineLigne(ligne, AlignementBulle::Gauche, zone, utile, rang, mesurer, ecrire))
            return;
}
