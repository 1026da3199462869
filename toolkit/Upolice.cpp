#include "Upolice.h"

QFont Police::VersQFont() const
{
    QFont font(Name);
    if (Size > 0)
        font.setPointSize(Size);
    font.setBold(Bold);
    font.setItalic(Italic);
    font.setUnderline(Underline);
    font.setStrikeOut(StrikeOut);
    font.setFixedPitch(Pitch == 2);
    if (Pitch == 2)
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

void Police::DepuisQFont(const QFont& font)
{
    Name = font.family();
    Size = font.pointSize() > 0 ? font.pointSize()
                                : static_cast<int>(font.pointSizeF() + 0.5);
    Height = 0;
    Bold = font.bold();
    Italic = font.italic();
    Underline = font.underline();
    StrikeOut = font.strikeOut();
    if (font.fixedPitch())
        Pitch = 2;
    else if (Pitch == 2)
        Pitch = 0;
}

bool Police::operator==(const Police& autre) const
{
    return Name == autre.Name && Size == autre.Size && Height == autre.Height
           && Color == autre.Color && Bold == autre.Bold && Italic == autre.Italic
           && Underline == autre.Underline && StrikeOut == autre.StrikeOut
           && Pitch == autre.Pitch && CharSet == autre.CharSet;
}

void InstallerSubstitutionsPolices()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
