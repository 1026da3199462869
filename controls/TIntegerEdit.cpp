#include "TIntegerEdit.h"

#include "Unombres.h"

#include <optional>

namespace {
std::optional<int32_t> LireEntier32(const QString& texte)
{
    const auto valeur = LireEntier(texte);
    if (!valeur || *valeur < INT32_MIN || *valeur > INT32_MAX)
        return std::nullopt;
    return static_cast<int32_t>(*valeur);
}
}  // namespace

TIntegerEdit::TIntegerEdit(QWidget* parent) : TCommonEdit(parent)
{
    SetFormatString(QStringLiteral("%d"));
}

int32_t TIntegerEdit::Value() const
{
    if (text().isEmpty())
        return 0;
    return LireEntier32(text()).value_or(FMinValue);
}

int32_t TIntegerEdit::CheckValue(int32_t valeur)
{
    return Borner(valeur, FMinValue, FMaxValue);
}

void TIntegerEdit::SetValue(int32_t valeur)
{
    const int32_t borne = CheckValue(valeur);
    Afficher(FormatPrintfEntier(FormatString(), borne)
                 .value_or(*FormatPrintfEntier(QStringLiteral("%d"), borne)));
}

void TIntegerEdit::SetValue2()
{
    SetValue(Value());
}

TCommonEdit::TKeyChar TIntegerEdit::CheckKeyChar(QChar& touche)
{
    if (touche == u'\b')
        return TKeyChar::BackspaceChar;
    if ((touche >= u'0' && touche <= u'9') || touche == u'+' || touche == u'-')
        return TKeyChar::NumberChar;
    return TKeyChar::UnknownChar;
}

bool TIntegerEdit::SyntaxOk()
{
    return EmptyOrSign() || LireEntier32(Candidat).has_value();
}
