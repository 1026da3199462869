#pragma once
// The integer fields' shared piece, for 32-bit numbers of type T: unsigned
// (TCardinalEdit, digits only, "%u") or signed (TIntegerEdit, digits and a
// sign, "%d"), shown through a printf format.

#include "TCommonEdit.h"

#include <cstdint>

template <class T>
class TChampEntier : public TCommonEdit {
public:
    // Empty text gives 0; otherwise the number (unsigned: the low 32 bits of
    // any 64-bit number); unreadable text gives MinValue.
    T Value() const;
    // Range-checked (when Validate is on), formatted, shown. A FormatString
    // that is not one integer conversion ("%u", "%03u", "%+d") is read as the
    // default one.
    void SetValue(T valeur);
    T CheckValue(T valeur);

    T MinValue() const { return m_minValue; }
    void SetMinValue(T valeur) { m_minValue = valeur; }
    T MaxValue() const { return m_maxValue; }
    void SetMaxValue(T valeur) { m_maxValue = valeur; }

    void SetValue2() override;

protected:
    explicit TChampEntier(QWidget* parent);

    TKeyChar CheckKeyChar(QChar& touche) override;
    // Unsigned: digits up to the largest value, no sign (it would wrap round
    // when read); signed: a lone sign too.
    bool SyntaxOk() override;

private:
    T m_minValue = 0;
    T m_maxValue = 0;
};

extern template class TChampEntier<uint32_t>;
extern template class TChampEntier<int32_t>;
