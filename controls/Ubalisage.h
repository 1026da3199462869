#pragma once
// The hint box's mark-up. Style tags (<b>, <i>, <u>, <strike> and their
// closing forms) change the font while a text is measured or drawn; layout
// tags (<center>, <right>, their closing forms and <br>) split a source line
// into display lines, each with its alignment. Tag names are case-insensitive;
// anything else between brackets is ordinary text. There are no attributes,
// entities or escapes. Positions count characters from 1.

#include <QList>
#include <QString>

#include <functional>

enum class AlignementBulle { Gauche = 0, Centre = 1, Droite = 2 };

// One display line: its text, still carrying its style tags, and its alignment.
struct LigneBulle {
    QString Texte;
    AlignementBulle Alignement = AlignementBulle::Gauche;

    bool operator==(const LigneBulle& l) const
    {
        return Texte == l.Texte && Alignement == l.Alignement;
    }
};
using LignesBulle = QList<LigneBulle>;

// Bold, italic, underline and strike-out, switched on and off by the tags.
struct StyleTexte {
    bool Gras = false;
    bool Italique = false;
    bool Souligne = false;
    bool Barre = false;

    bool operator==(const StyleTexte& s) const
    {
        return Gras == s.Gras && Italique == s.Italique && Souligne == s.Souligne
               && Barre == s.Barre;
    }
    bool operator!=(const StyleTexte& s) const { return !(*this == s); }
};

namespace Balisage {
// First position at or after `debut` where `motif` occurs in `texte`, or 0.
int FindNext(const QString& texte, const QString& motif, int debut);

// Applies a style tag (its name in upper case) to `style`; false, and
// `style` untouched, when the name is not one of a style tag.
bool AppliqueStyle(const QString& nom, StyleTexte& style);

// Appends the display lines of one source line. The alignment never carries
// over to the next source line.
void ParseLine(const QString& ligne, LignesBulle& lignes);

// True when the text is one or more complete tags with nothing around or
// between them, at least one of them a style tag.
bool OnlyContainsTags(const QString& texte);

// Walks a marked-up text as it is measured and drawn: `morceau` receives each
// run of ordinary text in order (possibly empty), `balise` each style tag's
// upper-case name where it takes effect. A bracketed text that is not a style
// tag is part of a run, brackets included.
void Parcourt(const QString& texte, const std::function<void(const QString& morceau)>& morceau,
              const std::function<void(const QString& nom)>& balise);

// The text as a reader sees it: the runs without the style tags.
QString SansBalises(const QString& texte);
}  // namespace Balisage
