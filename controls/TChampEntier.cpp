#include "TChampEntier.h"

#include "Unombres.h"

#include <limits>
#include <optional>
#include <type_traits>

namespace {
template <class T>
constexpr bool Signe = std::is_signed_v<T>;

template <class T>
QString FormatParDefaut()
{
    return Signe<T> ? QStringLiteral("%d") : QStringLiteral("%u");
}

// Signed: a number within T; unsigned: the low bits of any 64-bit number.
template <class T>
std::optional<T> Lire(const QString& texte)
{
    const auto valeur = LitEntier(texte);
    if (!valeur
        || (Signe<T>
            && (*valeur < std::numeric_limits<T>::min() || *valeur > std::numeric_limits<T>::max())))
        return std::nullopt;
    return static_cast<T>(*valeur);
}
}  // namespace

template <class T>
TChampEntier<T>::TChampEntier(QWidget* parent) : TCommonEdit(parent)
{
    SetFormatString(FormatParDefaut<T>());
}

template <class T>
T TChampEntier<T>::Value() const
{
    if (text().isEmpty())
        return 0;
    return Lire<T>(text()).value_or(m_minValue);
}

template <class T>
T TChampEntier<T>::CheckValue(T valeur)
{
    return Borne(valeur, m_minValue, m_maxValue);
}

template <class T>
void TChampEntier<T>::SetValue(T valeur)
{
    const T borne = CheckValue(valeur);
    Afficher(FormatPrintfEntier(FormatString(), borne)
                 .value_or(*FormatPrintfEntier(FormatParDefaut<T>(), borne)));
}

template <class T>
void TChampEntier<T>::SetValue2()
{
    SetValue(Value());
}

template <class T>
TCommonEdit::TKeyChar TChampEntier<T>::CheckKeyChar(QChar& touche)
{
    if (touche == u'\b')
        return TKeyChar::BackspaceChar;
    if ((touche >= u'0' && touche <= u'9') || (Signe<T> && (touche == u'+' || touche == u'-')))
        return TKeyChar::NumberChar;
    return TKeyChar::UnknownChar;
}

template <class T>
bool TChampEntier<T>::SyntaxOk()
{
    if constexpr (Signe<T>) {
        return EmptyOrSign() || Lire<T>(Candidat).has_value();
    } else {
        if (Candidat.isEmpty())
            return true;
        const auto valeur = LitEntier(Candidat, false);
        return valeur && *valeur <= std::numeric_limits<T>::max();
    }
}

template class TChampEntier<uint32_t>;
template class TChampEntier<int32_t>;
