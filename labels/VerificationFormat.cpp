#include "VerificationFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();
constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int kTaillePoliceMin = 4;
constexpr int kTaillePoliceMax = 72;

// One direction of the printed page: the extent of the sheet, the offsets at
// its two ends, and the labels laid along it.
struct Axe {
    int64_t etendue;
    int64_t debut;
    int64_t fin;
    int64_t taille;
    int64_t nombre;
    const char* message;
    const char* negatif;
};

const char kMargesGaucheDroite[] =
    "Marges 'gauche' ou 'droite' trop importantes: impossible de faire tenir les "
    "étiquettes sur la page - dépassement de %.2lf cm";
const char kMargesHauteBasse[] =
    "Marges 'haute' ou 'basse' trop importantes: impossible de faire tenir les "
    "étiquettes sur la page - dépassement de %.2lf cm";
const char kGaucheDroiteNegatives[] =
    "Marges 'gauche' ou 'droite' négatives : les étiquettes sortiraient de la page - "
    "dépassement de %.2lf cm";
const char kHauteBasseNegatives[] =
    "Marges 'haute' ou 'basse' négatives : les étiquettes sortiraient de la page - "
    "dépassement de %.2lf cm";

// How far a negative offset puts the grid's ends beyond the sheet's edges.
int64_t HorsDeLaFeuille(const Axe& a)
{
    return -std::min<int64_t>(0, a.debut) - std::min<int64_t>(0, a.fin);
}

// How far the offsets and the labels overrun the extent. A label of negative
// size makes the whole row shorter than one label: the larger of the two
// counts, so that the gap between labels cannot go negative either.
int64_t Depassement(const Axe& a)
{
    return a.debut + a.fin + std::max(a.nombre * a.taille, a.taille) - a.etendue;
}

// The layout places labels in 32-bit arithmetic: the gap times the last
// index, and every edge of the grid, must fit in it. Only offsets and sizes
// of thousands of kilometres (negative ones) can fail this.
bool TientEn32Bits(const Axe& a)
{
    const int64_t ecart = a.etendue - a.debut - a.fin - a.taille;
    const int64_t bas = a.debut + std::min<int64_t>(0, a.taille);
    const int64_t haut = a.debut + ecart + std::max<int64_t>(0, a.taille);
    return ecart * std::max<int64_t>(0, a.nombre - 1) <= kMax32 && bas >= kMin32
           && haut <= kMax32;
}

}  // namespace

int32_t CentiemesDepuisCm(long double centimetres)
{
    if (std::isnan(centimetres))
        return 0;
    long double centiemes = centimetres * 100;
    const long double proche = std::round(centiemes);
    if (std::fabs(centiemes - proche) <= 1e-9L * std::max(1.0L, std::fabs(centiemes)))
        centiemes = proche;
    else
        centiemes = std::trunc(centiemes);
    if (centiemes <= kMin32)
        return static_cast<int32_t>(kMin32);
    if (centiemes >= kMax32)
        return static_cast<int32_t>(kMax32);
    return static_cast<int32_t>(centiemes);
}

long double CmDepuisCentiemes(int32_t centiemes)
{
    return centiemes * 0.01L;
}

QString VerifieTaillePage(const Parametres& p)
{
    // 100,00 cm is accepted for the width, not for the height.
    if (p.LargeurPage < 1 || p.LargeurPage > 10000 || p.HauteurPage < 1 || p.HauteurPage > 9999)
        return QStringLiteral("Valeurs incorrectes");
    return {};
}

QString VerifieNombreEtiquettes(const Parametres& p)
{
    if (p.NbLignes < 1 || p.NbLignes > 100)
        return QStringLiteral("Nombre de lignes incorrect");
    if (p.NbCols < 1 || p.NbCols > 100)
        return QStringLiteral("Nombre de colonnes incorrect");
    return {};
}

QString VerifieTailleEtiquette(const Parametres& p)
{
    if (p.LargeurEtiq == 0 || p.HauteurEtiq == 0)
        return QStringLiteral("Largeur ou hauteur de l'étiquette incorrects.");
    const int64_t travers = p.Orientation ? p.HauteurPage : p.LargeurPage;
    const int64_t hauteur = p.Orientation ? p.LargeurPage : p.HauteurPage;
    if (int64_t(p.NbCols) * p.LargeurEtiq > travers)
        return QStringLiteral("Les étiquettes sont trop larges pour tenir sur la page.");
    if (int64_t(p.NbLignes) * p.HauteurEtiq > hauteur)
        return QStringLiteral("Les étiquettes sont trop hautes pour tenir sur la page.");
    return {};
}

QString VerifieMargesInternes(const Parametres& p)
{
    if (int64_t(p.LargeurEtiq) - p.MargeInterneGauche() - p.MargeInterneDroite() <= 0)
        return QStringLiteral("Les marges droite ou gauche sont trop importantes");
    if (int64_t(p.HauteurEtiq) - p.MargeInterneHaute() - p.MargeInterneBasse() <= 0)
        return QStringLiteral("Les marges haute ou basse  sont trop importantes");
    return {};
}

QString VerifieDecalage(const Parametres& p)
{
    // Portrait: the columns lie between the left and right offsets across the
    // sheet's width. Landscape turns the sheet: the columns lie between the
    // top and bottom offsets across its height, the rows between the left and
    // right offsets down its width.
    Axe travers{p.LargeurPage, p.MargeGauche, p.MargeDroite, p.LargeurEtiq, p.NbCols,
                kMargesGaucheDroite, kGaucheDroiteNegatives};
    Axe hauteur{p.HauteurPage, p.MargeHaute, p.MargeBasse, p.HauteurEtiq, p.NbLignes,
                kMargesHauteBasse, kHauteBasseNegatives};
    if (p.Orientation) {
        travers = {p.HauteurPage, p.MargeHaute, p.MargeBasse, p.LargeurEtiq, p.NbCols,
                   kMargesHauteBasse, kHauteBasseNegatives};
        hauteur = {p.LargeurPage, p.MargeGauche, p.MargeDroite, p.HauteurEtiq, p.NbLignes,
                   kMargesGaucheDroite, kGaucheDroiteNegatives};
    }
    for (const Axe& axe : {travers, hauteur}) {
        const int64_t exces = Depassement(axe);
        // printf's rules: a full stop whatever the locale.
        if (exces > 0)
            return QString::asprintf(axe.message, static_cast<double>(exces) * 0.01);
    }
    if (!TientEn32Bits(travers) || !TientEn32Bits(hauteur))
        return QStringLiteral("Valeurs incorrectes");
    // The grid runs from one offset to the sheet's extent less the other: a
    // negative offset prints labels beyond the edge, where no label is.
    for (const Axe& axe : {travers, hauteur}) {
        const int64_t exces = HorsDeLaFeuille(axe);
        if (exces > 0)
            return QString::asprintf(axe.negatif, static_cast<double>(exces) * 0.01);
    }
    return {};
}

QString VerifieTaillePolice(const Parametres& p)
{
    if (p.Fonte.Taille < kTaillePoliceMin || p.Fonte.Taille > kTaillePoliceMax)
        return QStringLiteral("La taille de la police doit être comprise entre %1 et %2 points.")
            .arg(kTaillePoliceMin)
            .arg(kTaillePoliceMax);
    return {};
}

QString RefusFormat(const Parametres& p)
{
    const struct {
        const char* titre;  // the title of the wizard's page
        QString (*verifie)(const Parametres&);
    } pages[] = {
        {"Format de la page", VerifieTaillePage},
        {"Nombre d'étiquettes", VerifieNombreEtiquettes},
        {"Taille d'une étiquette", VerifieTailleEtiquette},
        {"Marges internes", VerifieMargesInternes},
        {"Position par rapport aux bords de la page", VerifieDecalage},
        {"Police de caractères", VerifieTaillePolice},
    };
    for (const auto& page : pages) {
        const QString message = page.verifie(p);
        if (!message.isEmpty())
            return QStringLiteral("Format des étiquettes incorrect (page « %1 » de "
                                  "l'assistant) : %2")
                .arg(QString::fromUtf8(page.titre), message);
    }
    return {};
}
