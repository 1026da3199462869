// Provisional: the typing filter and the range check come with the numeric
// fields' own work; this keeps the fields usable meanwhile.
#include "TCommonEdit.h"

TCommonEdit::TCommonEdit(QWidget* parent) : QLineEdit(parent) {}

void TCommonEdit::SetFormatString(const QString& format)
{
    FFormatString = format;
    SetValue2();
}

void TCommonEdit::SetValidate(bool valider)
{
    FValidate = valider;
    SetValue2();
}

void TCommonEdit::SetAlignment(Qt::Alignment alignement)
{
    FAlignment = alignement;
    setAlignment(alignement | Qt::AlignVCenter);
}

void TCommonEdit::SetColorNormal(uint32_t couleur) { FColorNormal = couleur; }
void TCommonEdit::SetColorWarning(uint32_t couleur) { FColorWarning = couleur; }
void TCommonEdit::SetValue2() {}
bool TCommonEdit::IsValidChar(QChar&) { return true; }
TCommonEdit::TKeyChar TCommonEdit::CheckKeyChar(QChar&) { return TKeyChar::UnknownChar; }
bool TCommonEdit::SyntaxOk() { return true; }
bool TCommonEdit::EmptyOrSign() const
{
    return Candidat.isEmpty() || Candidat == QLatin1String("-") || Candidat == QLatin1String("+");
}
void TCommonEdit::ColorerTexte(uint32_t couleur) { FCouleurTexte = couleur; }
