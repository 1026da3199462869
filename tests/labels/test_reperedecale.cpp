// The printer's calibration moves the page coordinate system: read back from
// a PDF rasterised at 254 dpi, where one pixel is 0.1 mm.

#include "LecturePdf.h"
#include "ReglagesImpression.h"
#include "ReperePage.h"

#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(RepereDecale, UnDecalageHorsDesBornesCompteZero)
{
    const struct {
        int32_t x, y, attenduX, attenduY;
    } cas[] = {{0, 0, 0, 0}, {100, -100, 100, -100}, {101, -7, 0, -7}, {12, -101, 12, 0}};
    for (const auto& c : cas) {
        const qlPoint decalage = ReglagesImpression{false, c.x, c.y, false}.Decalage();
        EXPECT_EQ(decalage.x, c.attenduX) << c.x;
        EXPECT_EQ(decalage.y, c.attenduY) << c.y;
    }
}

TEST(RepereDecale, ToutCeQuiEstDessineSuitLeDecalage)
{
    EXIGE_OUTILS_PDF();
    const struct {
        bool paysage;
        int32_t dx, dy;
    } cas[] = {{false, 0, 0}, {false, 25, -15}, {false, -100, 100}, {true, 40, 7}};
    for (const auto& c : cas) {
        QTemporaryDir dossier;
        const QString pdf = dossier.filePath(QStringLiteral("page.pdf"));
        {
            QPrinter imprimante(QPrinter::HighResolution);
            imprimante.setOutputFormat(QPrinter::PdfFormat);
            imprimante.setOutputFileName(pdf);
            FixeFeuille(imprimante, 2100, 2970, c.paysage);
            QPainter painter(&imprimante);
            FixeReperePage(painter, c.dx, c.dy);
            painter.fillRect(QRectF(200, 300, 700, 360), Qt::black);
        }
        const QRect encre = BoiteEncre(RasterisePage(pdf, 1, 254));
        SCOPED_TRACE(testing::Message() << c.paysage << " " << c.dx << " " << c.dy);
        EXPECT_NEAR(encre.left(), 200 + c.dx, 1);
        EXPECT_NEAR(encre.top(), 300 + c.dy, 1);
        EXPECT_NEAR(encre.right() + 1, 900 + c.dx, 1);
        EXPECT_NEAR(encre.bottom() + 1, 660 + c.dy, 1);
    }
}

}  // namespace
