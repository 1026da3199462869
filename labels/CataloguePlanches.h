#pragma once
// The catalogue of A4 label sheets sold in France, by maker and reference,
// with their figures already in the sheet format's terms (tenths of a
// millimetre). The program carries it as a resource (resources/planches).

#include "Parametres.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

struct Planche {
    QString Marque;
    QString Reference;
    QString Description;
    int32_t LargeurEtiq = 0;
    int32_t HauteurEtiq = 0;
    int32_t NbCols = 0;
    int32_t NbLignes = 0;
    int32_t MargeHaute = 0;
    int32_t MargeDroite = 0;
    int32_t MargeBasse = 0;
    int32_t MargeGauche = 0;

    // "Marque Reference", as a user names the sheet.
    QString Nom() const;
    int32_t EtiquettesParPlanche() const { return NbCols * NbLignes; }
};

// "63,5 × 38,1 mm": the label's size in millimetres with a decimal comma,
// whole millimetres without decimals.
QString TailleEtiquetteMm(const Planche& planche);

class CataloguePlanches {
public:
    // How many of the closest names MessagePlancheInconnue offers.
    static constexpr int NombreProches = 5;
    // Longest name searched or echoed, in characters: far more than any
    // maker and reference, short enough that a pasted text costs nothing.
    static constexpr int LongueurNomMax = 80;

    // Reads the catalogue from its CSV text: UTF-8, ";" between cells, a
    // header line, then maker;reference;description;label width;label
    // height;columns;rows;top;right;bottom;left offsets. Lines that do not
    // describe a usable sheet (wrong number of cells, a figure that is not a
    // whole number, a label or grid that is not positive, a negative offset,
    // an empty maker or reference, a name already listed) are left out, and
    // the result is then false; the other lines are kept.
    bool Charge(const QByteArray& contenu);

    const std::vector<Planche>& Planches() const { return m_planches; }

    // The sheets every word of the query matches: a word matches when it is
    // part of the maker or of the reference, case, accents, blanks and
    // punctuation ignored ("herma 4457", "l7160", "ea 1050"). An empty query
    // gives every sheet. Catalogue order, except that sheets whose reference
    // is one of the words come first, then those whose reference starts with
    // one.
    std::vector<const Planche*> Filtre(const QString& requete) const;

    // The sheet named exactly "MAKER REFERENCE", case ignored, blanks around
    // and between the two parts not counted; nullptr when there is none (as
    // for any name longer than LongueurNomMax).
    const Planche* Trouve(const QString& nom) const;

    // The names of the sheets nearest to a name that was not found (fewest
    // letters to change, case, accents, blanks and punctuation ignored, the
    // maker optional), closest first, at most `nombre`. Only the first
    // LongueurNomMax characters of the name count.
    QStringList Proches(const QString& nom, int nombre = NombreProches) const;

    // "Planche inconnue : « nom ». Planches proches : A, B, C." for a usage
    // message; a name longer than LongueurNomMax is cut, "…" in its place.
    QString MessagePlancheInconnue(const QString& nom) const;

private:
    struct CleRecherche {
        QString marque;     // folded for the search: no case, accents,
        QString reference;  // blanks or punctuation
    };

    std::vector<Planche> m_planches;
    std::vector<CleRecherche> m_cles;  // one per sheet
};

// The catalogue of the program's resource, read once. Never empty in a
// correct build.
const CataloguePlanches& CataloguePlanchesA4();

// Gives the format the sheet: A4 (2100 × 2970) in portrait, the grid, the
// label size and the four offsets; the font, print flags and PathFich are
// left as they are. The catalogue's figures are nominal and a few sheets
// overrun the sheet by up to half a millimetre once rounded; such an overrun
// is taken from the right or bottom offset, so the format passes the
// wizard's checks and the first label stays where the maker puts it.
// The inner margins stay too, unless the two of one direction take half of
// the label or more (the default 5 mm on a label 10 mm high leaves no room
// at all): those two become an eighth of the label's size each, and the
// returned French line says so, naming the keys. Empty otherwise.
QString AppliquePlanche(const Planche& planche, Parametres& p);
