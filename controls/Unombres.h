#pragma once
// Reading and writing the numbers of the numeric edit fields, without a
// window: the text forms they accept and the formats they show.

#include <QChar>
#include <QString>

#include <cstdint>
#include <optional>

// A decimal number: an optional sign, digits with at most one `separateur`
// ("1," and ",5" included), then an optional exponent (E or e, an optional
// sign, digits). No blanks, no group separators. Empty when the text has
// another form or its value is beyond the range of long double.
std::optional<long double> LitReel(const QString& texte, QChar separateur);

// A lone decimal separator, with or without a sign: not a number yet, but the
// start of one (",5", "-,5").
bool EstSeparateurSeul(const QString& texte, QChar separateur);

// An integer: an optional sign (when `signeAdmis`) then decimal digits, within
// the range of int64_t.
std::optional<int64_t> LitEntier(const QString& texte, bool signeAdmis = true);

// `valeur` rounded to `decimales` decimals (half away from zero, on its first
// 18 significant digits), in fixed-point form with `separateur` and no group
// separators; with more than 18 integer digits, the exponent form.
QString FormatFixe(long double valeur, int decimales, QChar separateur);

// "12,50" gives "12,5" and "12,00" gives "12".
QString SansZerosFinals(const QString& texte, QChar separateur);

// `format` applied as by printf, when it holds exactly one conversion of the
// expected kind (d, i, u, x, X or o for an integer; e, E, f, F, g or G for a
// real) with flags among "-+ #0" and a width and precision of at most two
// digits; empty otherwise. An unsigned conversion shows the low 32 bits. The
// real's decimal point becomes `separateur`.
std::optional<QString> FormatPrintfEntier(const QString& format, int64_t valeur);
std::optional<QString> FormatPrintfReel(const QString& format, long double valeur,
                                        QChar separateur);
