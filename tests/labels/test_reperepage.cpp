// The page coordinate system on a PDF written by QPrinter, read back with
// poppler: rasterised at 254 dpi one pixel is one logical unit (0.1 mm).

#include "CanevasQt.h"
#include "LecturePdf.h"
#include "ReperePage.h"
#include "Utexte.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kParPouce = 254;  // one pixel per logical unit

// Makes the printer write a PDF file whose page is that sheet.
void PrepareImprimantePdf(QPrinter& printer, const QString& cheminPdf, int32_t largeur,
                          int32_t hauteur, bool paysage)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(cheminPdf);
    FixeFeuille(printer, largeur, hauteur, paysage);
}

struct Sortie {
    QTemporaryDir dossier;
    QString Pdf() const { return dossier.filePath(QStringLiteral("page.pdf")); }
};

class Repere : public ::testing::TestWithParam<bool> {};

TEST_P(Repere, RectangleAuCoinDeLaFeuilleSurChaquePage)
{
    EXIGE_OUTILS_PDF();
    const bool paysage = GetParam();
    Sortie sortie;
    ASSERT_TRUE(sortie.dossier.isValid());
    {
        QPrinter imprimante(QPrinter::HighResolution);
        PrepareImprimantePdf(imprimante, sortie.Pdf(), 2100, 2970, paysage);
        QPainter painter;
        ASSERT_TRUE(painter.begin(&imprimante));
        FixeReperePage(painter);
        painter.fillRect(QRectF(0, 40, 700, 360), Qt::black);
        ASSERT_TRUE(imprimante.newPage());
        FixeReperePage(painter);
        painter.fillRect(QRectF(1000, 1500, 100, 300), Qt::black);
        painter.end();
    }

    const ContenuPdf contenu = LitPdf(sortie.Pdf());
    ASSERT_TRUE(contenu.ok) << contenu.erreur.toStdString();
    ASSERT_EQ(contenu.pages.size(), 2u);
    const double largeur = paysage ? 297.0 : 210.0;
    const double hauteur = paysage ? 210.0 : 297.0;
    // The PDF's page box is rounded to whole points (0.35 mm).
    for (const PagePdf& page : contenu.pages) {
        EXPECT_NEAR(page.largeur, largeur, 0.36);
        EXPECT_NEAR(page.hauteur, hauteur, 0.36);
    }

    // 0 mm, 4 mm to 70 mm, 40 mm, whatever the orientation.
    const QImage premiere = RasterisePage(sortie.Pdf(), 1, kParPouce);
    ASSERT_FALSE(premiere.isNull());
    EXPECT_NEAR(premiere.width(), paysage ? 2970 : 2100, 1);
    const QRect encre = BoiteEncre(premiere);
    EXPECT_NEAR(encre.left(), 0, 1);
    EXPECT_NEAR(encre.top(), 40, 1);
    EXPECT_NEAR(encre.right() + 1, 700, 1);
    EXPECT_NEAR(encre.bottom() + 1, 400, 1);

    // The second page gets the same system again.
    const QRect encre2 = BoiteEncre(RasterisePage(sortie.Pdf(), 2, kParPouce));
    EXPECT_NEAR(encre2.left(), 1000, 1);
    EXPECT_NEAR(encre2.top(), 1500, 1);
    EXPECT_NEAR(encre2.right() + 1, 1100, 1);
    EXPECT_NEAR(encre2.bottom() + 1, 1800, 1);
}

INSTANTIATE_TEST_SUITE_P(ReperePage, Repere, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Paysage" : "Portrait";
                         });

TEST(ReperePage, OrigineAuCoinMemeHorsModePleinePage)
{
    EXIGE_OUTILS_PDF();
    Sortie sortie;
    ASSERT_TRUE(sortie.dossier.isValid());
    {
        QPrinter imprimante(QPrinter::HighResolution);
        PrepareImprimantePdf(imprimante, sortie.Pdf(), 2100, 2970, false);
        imprimante.setFullPage(false);
        imprimante.setPageMargins(QMarginsF(12, 17, 12, 17), QPageLayout::Millimeter);
        QPainter painter;
        ASSERT_TRUE(painter.begin(&imprimante));
        FixeReperePage(painter);
        painter.fillRect(QRectF(300, 400, 200, 100), Qt::black);
        painter.end();
    }
    const QRect encre = BoiteEncre(RasterisePage(sortie.Pdf(), 1, kParPouce));
    EXPECT_NEAR(encre.left(), 300, 1);
    EXPECT_NEAR(encre.top(), 400, 1);
    EXPECT_NEAR(encre.right() + 1, 500, 1);
    EXPECT_NEAR(encre.bottom() + 1, 500, 1);
}

TEST(ReperePage, FeuilleSurMesure)
{
    EXIGE_OUTILS_PDF();
    // A sheet measured upright, wider than high, and turned.
    Sortie sortie;
    ASSERT_TRUE(sortie.dossier.isValid());
    {
        QPrinter imprimante(QPrinter::HighResolution);
        PrepareImprimantePdf(imprimante, sortie.Pdf(), 1480, 2100, true);
        QPainter painter;
        ASSERT_TRUE(painter.begin(&imprimante));
        painter.end();
    }
    const ContenuPdf contenu = LitPdf(sortie.Pdf());
    ASSERT_TRUE(contenu.ok) << contenu.erreur.toStdString();
    ASSERT_EQ(contenu.pages.size(), 1u);
    EXPECT_NEAR(contenu.pages[0].largeur, 210.0, 0.36);
    EXPECT_NEAR(contenu.pages[0].hauteur, 148.0, 0.36);
}

// A label's text written by the text writer lands inside its text rectangle,
// and the width the writer measured is the width drawn.
TEST(ReperePage, TexteDEtiquetteDansSonRectangle)
{
    EXIGE_OUTILS_PDF();
    const std::string texte = "Mme UNTEST Hildegarde";
    const qlRect rectangle(50, 90, 650, 350);  // the default first label's
    Police police;
    police.Name = QStringLiteral("Arial");
    police.Size = 10;

    Sortie sortie;
    ASSERT_TRUE(sortie.dossier.isValid());
    double largeurMesuree = 0;
    int hauteurCellule = 0;
    double ligneDeBase = 0;
    QRectF encreAttendue;  // relative to the baseline
    {
        QPrinter imprimante(QPrinter::HighResolution);
        PrepareImprimantePdf(imprimante, sortie.Pdf(), 2100, 2970, false);
        QPainter painter;
        ASSERT_TRUE(painter.begin(&imprimante));
        FixeReperePage(painter);
        CanevasQt canevas(painter, kUnitesParPouce);
        qlTexte ecrivain;
        const int retour = ecrivain.Ecrire(canevas, police, 100, texte, rectangle,
                                           qlTexte::Alignement::Gauche, 0, 0, 0, false, {});

        canevas.ChoisitPolice(ecrivain.FonteZoom);
        largeurMesuree = canevas.LargeurExacte(texte.data(), static_cast<int>(texte.size()));
        hauteurCellule = canevas.HauteurCellule();
        const QFontMetricsF metriques(canevas.PoliceQt(), painter.device());
        ligneDeBase = rectangle.top + hauteurCellule;
        encreAttendue = metriques.tightBoundingRect(QString::fromLatin1(texte.c_str()));
        EXPECT_EQ(retour, 2 * hauteurCellule);
        painter.end();
    }

    const ContenuPdf contenu = LitPdf(sortie.Pdf());
    ASSERT_TRUE(contenu.ok) << contenu.erreur.toStdString();
    const MotPdf* premier = contenu.Cherche(QStringLiteral("Mme"));
    const MotPdf* dernier = contenu.Cherche(QStringLiteral("Hildegarde"));
    ASSERT_NE(premier, nullptr);
    ASSERT_NE(contenu.Cherche(QStringLiteral("UNTEST")), nullptr);
    ASSERT_NE(dernier, nullptr);
    for (const MotPdf& mot : contenu.pages.at(0).mots) {
        SCOPED_TRACE(mot.texte.toStdString());
        EXPECT_GE(mot.gauche, 5.0 - 1e-3);
        EXPECT_LE(mot.droite, 65.0);
        EXPECT_GE(mot.haut, 9.0);
        EXPECT_LE(mot.bas, 35.0);
    }
    EXPECT_NEAR(premier->gauche, 5.0, 1e-3);

    // The ink (to within the anti-aliased edge and the rounding of the
    // font's tight box): one line on the first baseline, which lies one cell height
    // below the rectangle's top.
    const QRect encre = BoiteEncre(RasterisePage(sortie.Pdf(), 1, kParPouce));
    EXPECT_NEAR(encre.left(), rectangle.left + encreAttendue.left(), 2);
    EXPECT_NEAR(encre.right() + 1, rectangle.left + encreAttendue.right(), 2);
    EXPECT_NEAR(encre.top(), ligneDeBase + encreAttendue.top(), 2);
    EXPECT_NEAR(encre.bottom() + 1, ligneDeBase + encreAttendue.bottom(), 2);

    const double largeurDessinee = (dernier->droite - premier->gauche) * 10.0;
    EXPECT_NEAR(largeurDessinee, largeurMesuree, 0.02);
    RecordProperty("LargeurMesuree", QString::number(largeurMesuree, 'f', 4).toStdString());
    RecordProperty("LargeurDessinee", QString::number(largeurDessinee, 'f', 4).toStdString());
}

}  // namespace
