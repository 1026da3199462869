#include "TRealEdit.h"

#include "Unombres.h"

#include <cmath>

TRealEdit::TRealEdit(QWidget* parent) : TCommonEdit(parent)
{
    SetMajuscules(true);
    SetFormatString(QStringLiteral("%g"));
}

long double TRealEdit::Value() const
{
    if (text().isEmpty())
        return 0;
    return LireReel(text(), Separateur()).value_or(FMinValue);
}

long double TRealEdit::CheckValue(long double valeur)
{
    return Borner(valeur, FMinValue, FMaxValue);
}

void TRealEdit::SetValue(long double valeur)
{
    if (!std::isfinite(valeur))
        valeur = FMinValue;
    const long double borne = CheckValue(valeur);
    const QChar separateur = Separateur();
    Afficher(FormatPrintfReel(FormatString(), borne, separateur)
                 .value_or(*FormatPrintfReel(QStringLiteral("%g"), borne, separateur)));
}

void TRealEdit::SetValue2()
{
    SetValue(Value());
}

TCommonEdit::TKeyChar TRealEdit::CheckKeyChar(QChar& touche)
{
    return ClasserToucheDecimale(touche);
}

bool TRealEdit::SyntaxOk()
{
    const QChar separateur = Separateur();
    return EmptyOrSign() || EstSeparateurSeul(Candidat, separateur)
           || LireReel(Candidat, separateur).has_value();
}
