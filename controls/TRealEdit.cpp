#include "TRealEdit.h"

#include "Unombres.h"

TRealEdit::TRealEdit(QWidget* parent) : TChampReel(parent)
{
    SetFormatString(QStringLiteral("%g"));
}

QString TRealEdit::Formate(long double valeur) const
{
    const QChar separateur = Separateur();
    return FormatPrintfReel(FormatString(), valeur, separateur)
        .value_or(*FormatPrintfReel(QStringLiteral("%g"), valeur, separateur));
}
