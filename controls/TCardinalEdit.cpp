#include "TCardinalEdit.h"

#include "Unombres.h"

TCardinalEdit::TCardinalEdit(QWidget* parent) : TCommonEdit(parent)
{
    SetFormatString(QStringLiteral("%u"));
}

uint32_t TCardinalEdit::Value() const
{
    if (text().isEmpty())
        return 0;
    const auto valeur = LireEntier(text());
    return valeur ? static_cast<uint32_t>(*valeur) : FMinValue;
}

uint32_t TCardinalEdit::CheckValue(uint32_t valeur)
{
    return Borner(valeur, FMinValue, FMaxValue);
}

void TCardinalEdit::SetValue(uint32_t valeur)
{
    const uint32_t borne = CheckValue(valeur);
    Afficher(FormatPrintfEntier(FormatString(), borne)
                 .value_or(*FormatPrintfEntier(QStringLiteral("%u"), borne)));
}

void TCardinalEdit::SetValue2()
{
    SetValue(Value());
}

TCommonEdit::TKeyChar TCardinalEdit::CheckKeyChar(QChar& touche)
{
    if (touche == u'\b')
        return TKeyChar::BackspaceChar;
    return touche >= u'0' && touche <= u'9' ? TKeyChar::NumberChar : TKeyChar::UnknownChar;
}

bool TCardinalEdit::SyntaxOk()
{
    if (Candidat.isEmpty())
        return true;
    const auto valeur = LireEntier(Candidat, false);
    return valeur && *valeur <= 4294967295;
}
