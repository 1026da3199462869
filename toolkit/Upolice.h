#pragma once
// The toolkit's font object. Qt's QFont holds neither a colour nor a character
// set, and its pitch is only a flag, so a Police carries them beside the face.

#include <QFont>
#include <QString>
#include <cstdint>

class Police {
public:
    QString Name{QStringLiteral("Arial")};
    int Size = 8;        // points, used when Height is 0
    int Height = 0;      // canvas units; negative asks for that character (em) height
    uint32_t Color = 0;  // 32-bit colour value (see Ucouleurs.h)
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    int8_t Pitch = 0;     // 0 default, 1 variable, 2 fixed
    uint8_t CharSet = 1;  // 1: the default character set

    // A Qt font for widgets, sized in points (Height is ignored).
    QFont VersQFont() const;
    // The font a Qt font dialog chose, with a colour it does not carry.
    static Police DepuisQFont(const QFont& font, uint32_t couleur);

    bool operator==(const Police& autre) const;
    bool operator!=(const Police& autre) const { return !(*this == autre); }
};

// The family the desktop really draws for this font ("Arial" is drawn with
// Liberation Sans here): the one a font dialog can show as chosen.
QString FamilleReelle(const Police& police);
// The face name to keep after a font dialog opened on `famille`, the family
// drawn for `nom`, returned `choisie`: the name the user chose stays unless
// they chose another family.
QString NomApresDialogue(const QString& nom, const QString& famille, const QString& choisie);

// "MS Sans Serif" would resolve to DejaVu Sans here, about a tenth wider than
// the widths the windows' fixed positions are laid out for; Liberation Sans
// keeps captions inside those positions. Call once, after the application object exists.
void InstalleSubstitutionsPolices();
