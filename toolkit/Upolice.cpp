#include "Upolice.h"

#include <QFontInfo>

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

Police Police::DepuisQFont(const QFont& font, uint32_t couleur)
{
    Police police;
    police.Name = font.family();
    police.Size = font.pointSize() > 0 ? font.pointSize()
                                       : static_cast<int>(font.pointSizeF() + 0.5);
    police.Color = couleur;
    police.Bold = font.bold();
    police.Italic = font.italic();
    police.Underline = font.underline();
    police.StrikeOut = font.strikeOut();
    police.Pitch = font.fixedPitch() ? 2 : 0;
    return police;
}

bool Police::operator==(const Police& autre) const
{
    return Name == autre.Name && Size == autre.Size && Height == autre.Height
           && Color == autre.Color && Bold == autre.Bold && Italic == autre.Italic
           && Underline == autre.Underline && StrikeOut == autre.StrikeOut
           && Pitch == autre.Pitch && CharSet == autre.CharSet;
}

QString FamilleReelle(const Police& police)
{
    return QFontInfo(police.VersQFont()).family();
}

QString NomApresDialogue(const QString& nom, const QString& famille, const QString& choisie)
{
    return choisie.compare(famille, Qt::CaseInsensitive) == 0 ? nom : choisie;
}

void InstalleSubstitutionsPolices()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
