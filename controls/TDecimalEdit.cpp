#include "TDecimalEdit.h"

#include "Unombres.h"

TDecimalEdit::TDecimalEdit(QWidget* parent) : TChampReel(parent)
{
    SetFormatString(QStringLiteral("2"));
}

QString TDecimalEdit::Formate(long double valeur) const
{
    const QChar separateur = Separateur();
    const QString texte = FormatFixe(valeur, Decimales(), separateur);
    return m_fixedDecimals ? texte : SansZerosFinals(texte, separateur);
}

void TDecimalEdit::SetFixedDecimals(bool fixes)
{
    m_fixedDecimals = fixes;
    SetValue2();
}

int TDecimalEdit::Decimales() const
{
    bool ok = false;
    const int decimales = FormatString().toInt(&ok);
    return ok && decimales >= 0 && decimales <= 18 ? decimales : 2;
}
