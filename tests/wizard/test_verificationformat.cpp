// The wizard's checks without a window, where the widgets cannot reach:
// reading centimetres, sums that 32 bits could not hold, negative sizes.

#include "VerificationFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr int32_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin32 = std::numeric_limits<int32_t>::min();

TEST(CentiemesDepuisCm, TronqueVersZeroSaufLeBruitDArrondi)
{
    const std::pair<long double, int32_t> cas[] = {
        {static_cast<double>(7.01), 701}, {static_cast<double>(0.29), 29}, {12.345L, 1234},
        {-12.345L, -1234}, {0.009L, 0}, {1e12L, kMax32}, {-1e12L, kMin32}, {std::nanl(""), 0},
    };
    for (const auto& [cm, attendu] : cas)
        EXPECT_EQ(CentiemesDepuisCm(cm), attendu) << static_cast<double>(cm);
}

TEST(VerificationFormat, UnFormatAccepteNeDonneJamaisDEcartNegatif)
{
    const QString larges = QStringLiteral("Les étiquettes sont trop larges pour tenir sur la page.");
    const QString gaucheDroite = QStringLiteral(
        "Marges 'gauche' ou 'droite' trop importantes: impossible de faire tenir les étiquettes "
        "sur la page - dépassement de 1.50 cm");
    const struct {
        const char* cas;
        void (*modifier)(Parametres&);
        QString (*verifier)(const Parametres&);
        QString attendu;
    } cas[] = {
        // 100 × 30 000 000 wraps to a negative number in 32 bits.
        {"produit qui déborde", [](Parametres& p) { p.NbCols = 100; p.LargeurEtiq = 30000000; },
         VerifieTailleEtiquette, larges},
        {"produit énorme", [](Parametres& p) { p.NbCols = 100; p.LargeurEtiq = 100000000; },
         VerifieTailleEtiquette, larges},
        // A negative width makes the row shorter than one label.
        {"étiquette négative", [](Parametres& p) { p.LargeurEtiq = -100; p.MargeGauche = 1100; p.MargeDroite = 1250; },
         VerifieDecalage, gaucheDroite},
        {"étiquette négative qui tient", [](Parametres& p) { p.LargeurEtiq = -100; p.MargeGauche = 1100; p.MargeDroite = 1100; },
         VerifieDecalage, {}},
        {"décalages démesurés", [](Parametres& p) { p.MargeGauche = kMin32; p.MargeDroite = kMin32; },
         VerifieDecalage, QStringLiteral("Valeurs incorrectes")},
        // Beyond the sheet's edge: no label is there to print on.
        {"décalages négatifs", [](Parametres& p) { p.MargeGauche = -50; p.MargeHaute = -40; }, VerifieDecalage,
         QStringLiteral("Marges 'gauche' ou 'droite' négatives : les étiquettes sortiraient de la page - "
                        "dépassement de 0.50 cm")},
        {"marge basse négative", [](Parametres& p) { p.MargeBasse = -1000; }, VerifieDecalage,
         QStringLiteral("Marges 'haute' ou 'basse' négatives : les étiquettes sortiraient de la page - "
                        "dépassement de 10.00 cm")},
        {"paysage", [](Parametres& p) { p.Orientation = true; p.NbLignes = 5; p.MargeHaute = 435; p.MargeBasse = 435; },
         VerifieDecalage, {}},
    };
    for (const auto& c : cas) {
        Parametres p;
        InitParametres(p);
        c.modifier(p);
        EXPECT_EQ(c.verifier(p), c.attendu) << c.cas;
        if (c.verifier != VerifieDecalage || !c.attendu.isEmpty())
            continue;
        // Accepted: each label starts no earlier than the previous one ends.
        for (int32_t i = 1; i < p.NbCols; ++i)
            EXPECT_GE(PositionColonne(p, i) - PositionColonne(p, i - 1), std::max(0, p.LargeurEtiq)) << c.cas;
        for (int32_t i = 1; i < p.NbLignes; ++i)
            EXPECT_GE(PositionLigne(p, i) - PositionLigne(p, i - 1), p.HauteurEtiq) << c.cas;
    }
}

}  // namespace
