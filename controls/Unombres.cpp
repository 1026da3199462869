#include "Unombres.h"

#include "NumeriqueC.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
bool EstChiffre(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool EstSigne(QChar c)
{
    return c == u'+' || c == u'-';
}

template <class T>
std::string ImprimeNombre(const std::string& gabarit, T valeur)
{
    const NumeriqueC numeriqueC;
    const int longueur = std::snprintf(nullptr, 0, gabarit.c_str(), valeur);
    if (longueur < 0)
        return {};
    std::string texte(static_cast<size_t>(longueur) + 1, '\0');
    std::snprintf(texte.data(), texte.size(), gabarit.c_str(), valeur);
    texte.resize(static_cast<size_t>(longueur));
    return texte;
}

// A printf format cut around its one conversion: "%5.1f cm" gives an empty
// `avant`, the flags, width and precision "%5.1" and the type 'f', and `apres` " cm".
struct Gabarit {
    QString avant;
    std::string conversion;
    char type = 0;
    QString apres;
};

std::optional<Gabarit> AnalyseFormat(const QString& format, const char* types)
{
    Gabarit gabarit;
    QString* litteral = &gabarit.avant;
    const int n = format.size();
    // At most two digits: a field never needs a wider number.
    const auto lireNombre = [&](int& i, std::string& conversion) {
        const int debut = i;
        while (i < n && EstChiffre(format[i]))
            conversion += static_cast<char>(format[i++].unicode());
        return i - debut <= 2;
    };
    for (int i = 0; i < n; ++i) {
        if (format[i] != u'%') {
            litteral->append(format[i]);
            continue;
        }
        if (i + 1 < n && format[i + 1] == u'%') {
            litteral->append(u'%');
            ++i;
            continue;
        }
        if (gabarit.type != 0)
            return std::nullopt;
        std::string conversion = "%";
        ++i;
        while (i < n && QStringView(u"-+ #0").contains(format[i]))
            conversion += static_cast<char>(format[i++].unicode());
        if (!lireNombre(i, conversion))
            return std::nullopt;
        if (i < n && format[i] == u'.') {
            conversion += '.';
            ++i;
            if (!lireNombre(i, conversion))
                return std::nullopt;
        }
        // The length is the value's own: any one written is dropped.
        while (i < n && QStringView(u"hlLqjzt").contains(format[i]))
            ++i;
        if (i >= n || format[i].unicode() == 0 || format[i].unicode() > 127
            || !std::strchr(types, static_cast<char>(format[i].unicode())))
            return std::nullopt;
        gabarit.conversion = conversion;
        gabarit.type = static_cast<char>(format[i].unicode());
        litteral = &gabarit.apres;
    }
    if (gabarit.type == 0)
        return std::nullopt;
    return gabarit;
}

// Adds one unit to the last digit of a string of digits, carrying leftwards;
// returns true when the string grew by one digit ("99" gives "100").
bool Incremente(std::string& chiffres)
{
    for (auto i = chiffres.size(); i-- > 0;) {
        if (chiffres[i] != '9') {
            ++chiffres[i];
            return false;
        }
        chiffres[i] = '0';
    }
    chiffres.insert(chiffres.begin(), '1');
    return true;
}
}  // namespace

std::optional<long double> LitReel(const QString& texte, QChar separateur)
{
    std::string ascii;
    int i = 0;
    const int n = texte.size();
    if (i < n && EstSigne(texte[i])) {
        if (texte[i] == u'-')
            ascii += '-';
        ++i;
    }
    int chiffres = 0;
    bool separateurVu = false;
    for (; i < n; ++i) {
        if (EstChiffre(texte[i])) {
            ascii += static_cast<char>(texte[i].unicode());
            ++chiffres;
        } else if (texte[i] == separateur && !separateurVu) {
            ascii += '.';
            separateurVu = true;
        } else {
            break;
        }
    }
    if (chiffres == 0)
        return std::nullopt;
    if (i < n && (texte[i] == u'E' || texte[i] == u'e')) {
        ascii += 'e';
        ++i;
        if (i < n && EstSigne(texte[i]))
            ascii += static_cast<char>(texte[i++].unicode());
        int chiffresExposant = 0;
        for (; i < n && EstChiffre(texte[i]); ++i, ++chiffresExposant)
            ascii += static_cast<char>(texte[i].unicode());
        if (chiffresExposant == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    // strtold in the C locale rather than from_chars: some C++ libraries
    // (MinGW's) read a long double through a double there, losing digits.
    const NumeriqueC numeriqueC;
    char* fin = nullptr;
    errno = 0;
    const long double valeur = std::strtold(ascii.c_str(), &fin);
    if (errno == ERANGE || fin != ascii.data() + ascii.size())
        return std::nullopt;
    return valeur;
}

bool EstSeparateurSeul(const QString& texte, QChar separateur)
{
    const QStringView reste = texte.size() == 2 && EstSigne(texte[0])
                                  ? QStringView(texte).mid(1)
                                  : QStringView(texte);
    return reste.size() == 1 && reste[0] == separateur;
}

std::optional<int64_t> LitEntier(const QString& texte, bool signeAdmis)
{
    int i = 0;
    bool negatif = false;
    if (signeAdmis && !texte.isEmpty() && EstSigne(texte[0])) {
        negatif = texte[0] == u'-';
        ++i;
    }
    if (i == texte.size())
        return std::nullopt;
    // The magnitude may reach 2^63 for the most negative value.
    const uint64_t limite = negatif ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    uint64_t valeur = 0;
    for (; i < texte.size(); ++i) {
        if (!EstChiffre(texte[i]))
            return std::nullopt;
        const uint64_t chiffre = texte[i].unicode() - u'0';
        if (valeur > (limite - chiffre) / 10)
            return std::nullopt;
        valeur = valeur * 10 + chiffre;
    }
    if (negatif)
        return valeur == uint64_t(INT64_MAX) + 1 ? INT64_MIN : -static_cast<int64_t>(valeur);
    return static_cast<int64_t>(valeur);
}

QString FormatFixe(long double valeur, int decimales, QChar separateur)
{
    // The first 18 significant digits, then the rounding to the decimals on
    // those decimal digits: 12,345 shows as 12,35 as the user expects, not as
    // its nearest binary value would round.
    const std::string scientifique = ImprimeNombre("%.17Le", valeur < 0 ? -valeur : valeur);
    std::string chiffres = scientifique.substr(0, 1) + scientifique.substr(2, 17);
    int exposant = std::atoi(scientifique.c_str() + scientifique.find('e') + 1);
    const QString signe = valeur < 0 ? QStringLiteral("-") : QString();

    if (exposant >= 18) {
        std::string mantisse = chiffres.substr(0, 1);
        const auto dernier = chiffres.find_last_not_of('0');
        QString texte = signe + QString::fromLatin1(mantisse.c_str());
        if (dernier != std::string::npos && dernier > 0)
            texte += separateur + QString::fromLatin1(chiffres.substr(1, dernier).c_str());
        return texte + QStringLiteral("E+") + QString::number(exposant);
    }

    const int gardes = exposant + 1 + decimales;
    if (gardes < 0) {
        chiffres.clear();
    } else if (gardes < 18) {
        const bool arrondirHaut = chiffres[static_cast<size_t>(gardes)] >= '5';
        chiffres.resize(static_cast<size_t>(gardes));
        if (arrondirHaut && Incremente(chiffres))
            ++exposant;
    }

    // The digits hold the value chiffres × 10^(exposant + 1 − their count).
    const int entiers = exposant + 1;
    std::string partieEntiere;
    std::string fraction;
    if (entiers <= 0) {
        partieEntiere = "0";
        fraction = std::string(static_cast<size_t>(-entiers), '0') + chiffres;
    } else {
        partieEntiere = chiffres.substr(0, static_cast<size_t>(entiers));
        partieEntiere.resize(static_cast<size_t>(entiers), '0');
        if (chiffres.size() > static_cast<size_t>(entiers))
            fraction = chiffres.substr(static_cast<size_t>(entiers));
    }
    fraction.resize(static_cast<size_t>(decimales), '0');

    const bool nul = (partieEntiere + fraction).find_first_not_of('0') == std::string::npos;
    QString texte = (nul ? QString() : signe) + QString::fromLatin1(partieEntiere.c_str());
    if (decimales > 0)
        texte += separateur + QString::fromLatin1(fraction.c_str());
    return texte;
}

QString SansZerosFinals(const QString& texte, QChar separateur)
{
    if (!texte.contains(separateur))
        return texte;
    int fin = texte.size();
    while (fin > 0 && texte[fin - 1] == u'0')
        --fin;
    if (fin > 0 && texte[fin - 1] == separateur)
        --fin;
    return texte.left(fin);
}

std::optional<QString> FormatPrintfEntier(const QString& format, int64_t valeur)
{
    const auto gabarit = AnalyseFormat(format, "diuxXo");
    if (!gabarit)
        return std::nullopt;
    const bool signe = gabarit->type == 'd' || gabarit->type == 'i';
    const std::string conversion = gabarit->conversion + "ll" + gabarit->type;
    const std::string texte =
        signe ? ImprimeNombre(conversion, static_cast<long long>(valeur))
              : ImprimeNombre(conversion,
                              static_cast<unsigned long long>(static_cast<uint32_t>(valeur)));
    return gabarit->avant + QString::fromLatin1(texte.c_str()) + gabarit->apres;
}

std::optional<QString> FormatPrintfReel(const QString& format, long double valeur,
                                        QChar separateur)
{
    const auto gabarit = AnalyseFormat(format, "eEfFgG");
    if (!gabarit)
        return std::nullopt;
    QString texte = QString::fromLatin1(
        ImprimeNombre(gabarit->conversion + 'L' + gabarit->type, valeur).c_str());
    texte.replace(u'.', separateur);
    return gabarit->avant + texte + gabarit->apres;
}
