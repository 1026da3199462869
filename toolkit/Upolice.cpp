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
