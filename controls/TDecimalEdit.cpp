#include "TDecimalEdit.h"

#include "Unombres.h"

#include <cmath>

TDecimalEdit::TDecimalEdit(QWidget* parent) : TCommonEdit(parent)
{
    SetMajuscules(true);
    SetFormatString(QStringLiteral("2"));
}

long double TDecimalEdit::Value() const
{
    if (text().isEmpty())
        return 0;
    return LireReel(text(), Separateur()).value_or(FMinValue);
}

long double TDecimalEdit::CheckValue(long double valeur)
{
    return Borner(valeur, FMinValue, FMaxValue);
}

void TDecimalEdit::SetValue(long double valeur)
{
    if (!std::isfinite(valeur))
        valeur = FMinValue;
    const QChar separateur = Separateur();
    const QString texte = FormatFixe(CheckValue(valeur), Decimales(), separateur);
    Afficher(FFixedDecimals ? texte : SansZerosFinals(texte, separateur));
}

void TDecimalEdit::SetFixedDecimals(bool fixes)
{
    FFixedDecimals = fixes;
    SetValue2();
}

int TDecimalEdit::Decimales() const
{
    bool ok = false;
    const int decimales = FormatString().toInt(&ok);
    return ok && decimales >= 0 && decimales <= 18 ? decimales : 2;
}

void TDecimalEdit::SetValue2()
{
    SetValue(Value());
}

TCommonEdit::TKeyChar TDecimalEdit::CheckKeyChar(QChar& touche)
{
    return ClasserToucheDecimale(touche);
}

bool TDecimalEdit::SyntaxOk()
{
    const QChar separateur = Separateur();
    return EmptyOrSign() || EstSeparateurSeul(Candidat, separateur)
           || LireReel(Candidat, separateur).has_value();
}
