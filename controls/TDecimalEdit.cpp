// Provisional: see TCommonEdit.cpp.
#include "TDecimalEdit.h"

#include <QLocale>

TDecimalEdit::TDecimalEdit(QWidget* parent) : TCommonEdit(parent)
{
    SetFormatString(QStringLiteral("2"));
}

long double TDecimalEdit::Value() const
{
    if (text().isEmpty())
        return 0;
    bool ok = false;
    const double valeur = QLocale().toDouble(text(), &ok);
    return ok ? valeur : FMinValue;
}

long double TDecimalEdit::CheckValue(long double valeur) { return valeur; }

void TDecimalEdit::SetValue(long double valeur)
{
    setText(QLocale().toString(static_cast<double>(CheckValue(valeur)), 'f',
                               FormatString().toInt()));
}

void TDecimalEdit::SetFixedDecimals(bool fixes) { FFixedDecimals = fixes; }

void TDecimalEdit::SetValue2() { SetValue(Value()); }
