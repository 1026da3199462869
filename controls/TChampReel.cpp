#include "TChampReel.h"

#include "Unombres.h"

#include <cmath>

TChampReel::TChampReel(QWidget* parent) : TCommonEdit(parent)
{
    SetMajuscules(true);
}

long double TChampReel::Value() const
{
    if (text().isEmpty())
        return 0;
    return LitReel(text(), Separateur()).value_or(m_minValue);
}

long double TChampReel::CheckValue(long double valeur)
{
    return Borne(valeur, m_minValue, m_maxValue);
}

void TChampReel::SetValue(long double valeur)
{
    if (!std::isfinite(valeur))
        valeur = m_minValue;
    Afficher(Formate(CheckValue(valeur)));
}

void TChampReel::SetValue2()
{
    SetValue(Value());
}

TCommonEdit::TKeyChar TChampReel::CheckKeyChar(QChar& touche)
{
    if (touche == u'.')
        touche = Separateur();
    if (touche == u'\b')
        return TKeyChar::BackspaceChar;
    if (touche == Separateur() || (touche >= u'0' && touche <= u'9')
        || QStringView(u"Ee+-").contains(touche))
        return TKeyChar::NumberChar;
    return TKeyChar::UnknownChar;
}

bool TChampReel::SyntaxOk()
{
    const QChar separateur = Separateur();
    return EmptyOrSign() || EstSeparateurSeul(Candidat, separateur)
           || LitReel(Candidat, separateur).has_value();
}
