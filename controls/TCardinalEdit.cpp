// Provisional: see TCommonEdit.cpp.
#include "TCardinalEdit.h"

TCardinalEdit::TCardinalEdit(QWidget* parent) : TCommonEdit(parent)
{
    SetFormatString(QStringLiteral("%u"));
}

uint32_t TCardinalEdit::Value() const
{
    if (text().isEmpty())
        return 0;
    bool ok = false;
    const qulonglong valeur = text().toULongLong(&ok);
    return ok ? static_cast<uint32_t>(valeur) : FMinValue;
}

uint32_t TCardinalEdit::CheckValue(uint32_t valeur) { return valeur; }

void TCardinalEdit::SetValue(uint32_t valeur) { setText(QString::number(CheckValue(valeur))); }

void TCardinalEdit::SetValue2() { SetValue(Value()); }
