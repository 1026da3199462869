// The wizard's page checks without a window: the limits, the landscape
// pairing of the offsets, and sums that 32 bits could not hold.

#include "VerificationFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();

Parametres Defauts(bool paysage = false)
{
    Parametres p;
    InitParametres(p);
    p.Orientation = paysage;
    return p;
}

TEST(CentiemesDepuisCm, TronqueVersZeroSaufLeBruitDArrondi)
{
    const struct {
        long double cm;
        int32_t attendu;
    } cas[] = {
        {7.01L, 701},           {static_cast<double>(7.01), 701},
        {static_cast<double>(0.29), 29}, {21.0L, 2100},
        {12.345L, 1234},        {-12.345L, -1234},
        {-0.5L, -50},           {100.0L, 10000},
        {0.009L, 0},            {1e12L, kMax32},
        {-1e12L, kMin32},       {std::nanl(""), 0},
    };
    for (const auto& c : cas)
        EXPECT_EQ(CentiemesDepuisCm(c.cm), c.attendu) << static_cast<double>(c.cm);
    EXPECT_EQ(CentiemesDepuisCm(CmDepuisCentiemes(2970)), 2970);
}

TEST(VerificationFormat, TailleDePageNombreEtTailleDEtiquetteAuxLimites)
{
    const QString incorrectes = QStringLiteral("Valeurs incorrectes");
    const QString larges = QStringLiteral("Les étiquettes sont trop larges pour tenir sur la page.");
    const QString hautes = QStringLiteral("Les étiquettes sont trop hautes pour tenir sur la page.");
    const struct {
        const char* cas;
        void (*modifier)(Parametres&);
        QString (*verifier)(const Parametres&);
        QString attendu;
    } cas[] = {
        {"largeur 100 cm", [](Parametres& p) { p.LargeurPage = 10000; }, VerifieTaillePage, {}},
        {"hauteur 100 cm", [](Parametres& p) { p.HauteurPage = 10000; }, VerifieTaillePage, incorrectes},
        {"largeur nulle", [](Parametres& p) { p.LargeurPage = 0; }, VerifieTaillePage, incorrectes},
        {"hauteur 1", [](Parametres& p) { p.HauteurPage = 1; }, VerifieTaillePage, {}},
        {"largeur négative", [](Parametres& p) { p.LargeurPage = -2100; }, VerifieTaillePage, incorrectes},
        // 100 × 100 000 000 wraps to a positive number in 32 bits; 100 ×
        // 30 000 000 to a negative one, which 32-bit arithmetic would accept.
        {"produit énorme", [](Parametres& p) { p.NbCols = 100; p.LargeurEtiq = 100000000; },
         VerifieTailleEtiquette, larges},
        {"produit qui déborde", [](Parametres& p) { p.NbCols = 100; p.LargeurEtiq = 30000000; },
         VerifieTailleEtiquette, larges},
        {"lignes qui débordent", [](Parametres& p) { p.NbLignes = 100; p.HauteurEtiq = 30000000; },
         VerifieTailleEtiquette, hautes},
        {"étiquette négative", [](Parametres& p) { p.LargeurEtiq = -700; }, VerifieTailleEtiquette, {}},
        // Landscape: columns across the sheet's height, rows down its width.
        {"paysage larges", [](Parametres& p) { p.Orientation = true; p.NbCols = 4; p.LargeurEtiq = 743; },
         VerifieTailleEtiquette, larges},
        {"paysage hautes", [](Parametres& p) { p.Orientation = true; p.NbLignes = 6; p.HauteurEtiq = 351; },
         VerifieTailleEtiquette, hautes},
        {"paysage juste", [](Parametres& p) { p.Orientation = true; p.NbCols = 4; p.LargeurEtiq = 742; p.NbLignes = 6; p.HauteurEtiq = 350; },
         VerifieTailleEtiquette, {}},
        {"marges internes larges", [](Parametres& p) { p.MargesInternes = qlRect(350, 50, 350, 50); },
         VerifieMargesInternes, QStringLiteral("Les marges droite ou gauche sont trop importantes")},
        {"marges internes hautes", [](Parametres& p) { p.MargesInternes = qlRect(50, 180, 50, 180); },
         VerifieMargesInternes, QStringLiteral("Les marges haute ou basse  sont trop importantes")},
        {"une unité de texte", [](Parametres& p) { p.MargesInternes = qlRect(349, 179, 350, 180); },
         VerifieMargesInternes, {}},
    };
    for (const auto& c : cas) {
        Parametres p = Defauts();
        c.modifier(p);
        EXPECT_EQ(c.verifier(p), c.attendu) << c.cas;
    }
}

QString MessageGaucheDroite(const char* exces)
{
    return QStringLiteral("Marges 'gauche' ou 'droite' trop importantes: impossible de faire "
                          "tenir les étiquettes sur la page - dépassement de %1 cm")
        .arg(QLatin1String(exces));
}

QString MessageHauteBasse(const char* exces)
{
    return QStringLiteral("Marges 'haute' ou 'basse' trop importantes: impossible de faire "
                          "tenir les étiquettes sur la page - dépassement de %1 cm")
        .arg(QLatin1String(exces));
}

TEST(VerificationFormat, DecalageAvecLesMargesQueLaMiseEnPageUtilise)
{
    const struct {
        const char* cas;
        bool paysage;
        void (*modifier)(Parametres&);
        QString attendu;
    } cas[] = {
        // The defaults fill the upright sheet exactly: an excess of 0 passes.
        {"portrait exact", false, [](Parametres&) {}, {}},
        {"portrait gauche", false, [](Parametres& p) { p.MargeGauche = 1; }, MessageGaucheDroite("0.01")},
        {"portrait basse", false, [](Parametres& p) { p.MargeBasse = 51; }, MessageHauteBasse("0.01")},
        {"portrait les deux", false, [](Parametres& p) { p.MargeDroite = 125; p.MargeHaute = 90; },
         MessageGaucheDroite("1.25")},
        // Landscape, 3 × 7 cm across 29,70 cm and 8 × 3,6 cm down 21 cm.
        {"paysage exact", true, [](Parametres& p) { p.NbLignes = 5; p.MargeGauche = 150; p.MargeDroite = 150; p.MargeHaute = 400; p.MargeBasse = 470; }, {}},
        {"paysage haute", true, [](Parametres& p) { p.NbLignes = 5; p.MargeHaute = 400; p.MargeBasse = 471; },
         MessageHauteBasse("0.01")},
        {"paysage gauche", true, [](Parametres& p) { p.NbLignes = 5; p.MargeGauche = 150; p.MargeDroite = 151; },
         MessageGaucheDroite("0.01")},
        // What the old pairing accepted: top and bottom offsets checked
        // against the rows and 21 cm, while the layout puts them beside the
        // columns across 29,70 cm, where they leave a negative gap.
        {"paysage ancien appariement", true,
         [](Parametres& p) { p.NbCols = 4; p.NbLignes = 5; p.MargeHaute = 150; p.MargeBasse = 150; },
         MessageHauteBasse("1.30")},
        // A negative label width: the row of labels is shorter than one label,
        // the gap between them must still not go negative.
        {"étiquette négative", false, [](Parametres& p) { p.LargeurEtiq = -100; p.MargeGauche = 1100; p.MargeDroite = 1250; },
         MessageGaucheDroite("1.50")},
        {"étiquette négative qui tient", false, [](Parametres& p) { p.LargeurEtiq = -100; p.MargeGauche = 1100; p.MargeDroite = 1100; }, {}},
        // Offsets that 32-bit positions cannot hold.
        {"décalages démesurés", false, [](Parametres& p) { p.MargeGauche = kMin32; p.MargeDroite = kMin32; },
         QStringLiteral("Valeurs incorrectes")},
        {"décalages négatifs raisonnables", false, [](Parametres& p) { p.MargeGauche = -50; p.MargeHaute = -40; }, {}},
    };
    for (const auto& c : cas) {
        Parametres p = Defauts(c.paysage);
        c.modifier(p);
        const QString message = VerifieDecalage(p);
        EXPECT_EQ(message, c.attendu) << c.cas;
        if (!message.isEmpty())
            continue;
        // Accepted: the layout steps forward from label to label and the
        // last one ends at the opposite offset.
        for (int32_t c2 = 1; c2 < p.NbCols; ++c2)
            EXPECT_GE(PositionColonne(p, c2) - PositionColonne(p, c2 - 1), p.LargeurEtiq > 0 ? p.LargeurEtiq : 0) << c.cas;
        for (int32_t l = 1; l < p.NbLignes; ++l)
            EXPECT_GE(PositionLigne(p, l) - PositionLigne(p, l - 1), p.HauteurEtiq) << c.cas;
    }
}

}  // namespace
