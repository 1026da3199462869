// The QPainter canvas: font sizes in logical units, measuring against
// drawing (raster and PDF), tabs, clip, state, pen/brush and shapes.

#include "CanevasQt.h"
#include "LecturePdf.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr double kEcranParPouce = 96.0;

QImage ImageBlanche(int largeur = 400, int hauteur = 200)
{
    QImage image(largeur, hauteur, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

Police Arial(int hauteur)
{
    Police p;
    p.Name = QStringLiteral("Arial");
    p.Height = hauteur;
    return p;
}

int Longueur(const char* texte)
{
    return static_cast<int>(std::strlen(texte));
}

// ---------------------------------------------------------------------------
// Font sizes.

TEST(CanevasQt, TaillesDesPolicesEnUnitesLogiques)
{
    QImage image = ImageBlanche();
    QPainter painter(&image);
    CanevasQt papier(painter, 254.0);  // tenths of a millimetre
    CanevasQt ecran(painter, kEcranParPouce);

    papier.ChoisitPolice(Arial(-35));
    EXPECT_EQ(papier.PoliceQt().pixelSize(), 35);
    // Arial itself, or fontconfig's metric twin of it.
    EXPECT_TRUE(QFontInfo(papier.PoliceQt()).family() == QStringLiteral("Arial")
                || QFontInfo(papier.PoliceQt()).family() == QStringLiteral("Liberation Sans"))
        << QFontInfo(papier.PoliceQt()).family().toStdString();

    Police points = Arial(0);
    points.Size = 10;
    papier.ChoisitPolice(points);
    EXPECT_EQ(papier.PoliceQt().pixelSize(), 35);  // 10 × 254 ÷ 72 = 35.3
    ecran.ChoisitPolice(points);
    EXPECT_EQ(ecran.PoliceQt().pixelSize(), 13);  // 10 × 96 ÷ 72 = 13.3

    // A positive height is the whole cell: the em is smaller.
    papier.ChoisitPolice(Arial(40));
    EXPECT_LT(papier.PoliceQt().pixelSize(), 40);
    EXPECT_NEAR(papier.HauteurCellule(), 40, 1);
    EXPECT_EQ(papier.PoliceCourante(), Arial(40));

    Police style = Arial(-20);
    style.Bold = true;
    style.Italic = true;
    style.Underline = true;
    style.StrikeOut = true;
    papier.ChoisitPolice(style);
    EXPECT_TRUE(papier.PoliceQt().bold());
    EXPECT_TRUE(papier.PoliceQt().italic());
    EXPECT_TRUE(papier.PoliceQt().underline());
    EXPECT_TRUE(papier.PoliceQt().strikeOut());
}

// ---------------------------------------------------------------------------
// Measuring is drawing.

// Draws a long line at x = 5 and finds where its ink ends: the last glyph's
// ink ends at 5 + width − its right bearing. Any difference per glyph between
// measuring and drawing would add up over the 150 glyphs; what remains is the
// anti-aliased edge and the placing of the last glyph's bitmap, a few device
// pixels.
TEST(CanevasQt, LargeurMesureeEstLargeurDessineeEnRaster)
{
#ifdef Q_OS_WIN
    // GDI fits small glyphs' outlines to the pixel grid: the last one's ink
    // may end a little further from its advance.
    constexpr double kBordEncre = 3.0;
#else
    constexpr double kBordEncre = 2.0;
#endif
    // The second has, before its tab, a character the font lacks (U+0081).
    for (const std::string texte :
         {"Elève UNTEST Charles CM2 Mme Patience 12, rue des Petits Tests Informatiques "
          "99999 TESTEVILLE SUR PC iiiiiiiiiiiiiilllllllllllll WWWWWWW",
          "Elève UNTEST Charles \x81 CM2\tMme Patience 12, rue des Petits Tests WWWWWWW"}) {
        SCOPED_TRACE(texte.size());
        for (const int pixels : {8, 11, 13, 20, 35}) {
            SCOPED_TRACE(pixels);
            for (const double echelle : {1.0, 1200.0 / 254.0 / 4.0}) {
                SCOPED_TRACE(echelle);
                QImage image = ImageBlanche(static_cast<int>(pixels * 100 * echelle),
                                            static_cast<int>(3 * pixels * echelle));
                QPainter painter(&image);
                painter.scale(echelle, echelle);
                CanevasQt canevas(painter, kEcranParPouce);
                canevas.ChoisitPolice(Arial(-pixels));
                canevas.AlignementLigneDeBase(true);
                const int n = static_cast<int>(texte.size());
                const double largeur = canevas.LargeurExacte(texte.data(), n);
                const int64_t dessine = canevas.SortieTexte(5, 2 * pixels, texte.data(), n, 5);
                painter.end();

                EXPECT_EQ(dessine, canevas.EtendueTexte(texte.data(), n));
                EXPECT_EQ(dessine, static_cast<int>(std::lround(largeur)));
                const QFontMetricsF metriques(canevas.PoliceQt(), &image);
                const double finEncre = (5 + largeur - metriques.rightBearing(QLatin1Char('W')));
                EXPECT_NEAR((BoiteEncre(image).right() + 1) / echelle, finEncre,
                            kBordEncre / echelle);
            }
        }
    }
}

// The PDF gives glyph positions exactly: the measured width of a word is its
// width in the file to about a hundredth of a unit, at screen sizes where
// hinting would round every advance, and on a page scaled to 0.1 mm.
TEST(CanevasQt, LargeurMesureeEstLargeurDessineeEnPdf)
{
    EXIGE_OUTILS_PDF();
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = dossier.filePath(QStringLiteral("mesure.pdf"));
    const char* mots[] = {"Mme", "UNTEST", "Hildegarde", "iiiiilllll", "WWWWW"};

    struct Mesure {
        QString mot;
        double largeur;  // millimetres
    };
    std::vector<Mesure> mesures;
    {
        QPdfWriter pdf(chemin);
        pdf.setResolution(1200);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        struct Cas {
            double unitesParPouce;
            int hauteur;
        };
        int ligne = 0;
        for (const Cas cas : {Cas{96, -8}, Cas{96, -11}, Cas{96, -13}, Cas{254, -35}}) {
            painter.resetTransform();
            painter.scale(1200 / cas.unitesParPouce, 1200 / cas.unitesParPouce);
            CanevasQt canevas(painter, cas.unitesParPouce);
            canevas.ChoisitPolice(Arial(cas.hauteur));
            const int y = static_cast<int>(++ligne * 10 * cas.unitesParPouce / 25.4);  // every 10 mm
            int x = 0;
            for (const char* mot : mots) {
                const double largeur = canevas.LargeurExacte(mot, Longueur(mot));
                const int avance = canevas.SortieTexte(x, y, mot, Longueur(mot), x);
                mesures.push_back({QString::fromLatin1(mot), largeur * 25.4 / cas.unitesParPouce});
                x += avance - 2 * cas.hauteur;
            }
        }
    }

    const ContenuPdf contenu = LitPdf(chemin);
    ASSERT_TRUE(contenu.ok) << contenu.erreur.toStdString();
    ASSERT_EQ(contenu.pages.size(), 1u);
    const auto& mots_pdf = contenu.pages[0].mots;
    ASSERT_EQ(mots_pdf.size(), mesures.size());
    // pdftotext lists words in reading order; match them by text and rank.
    std::vector<bool> pris(mots_pdf.size(), false);
    for (const Mesure& m : mesures) {
        SCOPED_TRACE(m.mot.toStdString());
        bool trouve = false;
        for (std::size_t i = 0; i < mots_pdf.size() && !trouve; ++i) {
            if (pris[i] || mots_pdf[i].texte != m.mot)
                continue;
            const double dessine = mots_pdf[i].droite - mots_pdf[i].gauche;
            if (std::abs(dessine - m.largeur) > 0.1)
                continue;  // the same word at another size
            pris[i] = true;
            trouve = true;
            // 0.01 unit of a 96 dpi screen is 0.0026 mm.
            EXPECT_NEAR(dessine, m.largeur, 0.0045);
        }
        EXPECT_TRUE(trouve);
    }
}

// ---------------------------------------------------------------------------
// Tabs.

TEST(CanevasQt, TabulationsAuxArretsParDefaut)
{
    QImage avecTab = ImageBlanche();
    QImage enDeuxFois = ImageBlanche();
    double tabulation = 0;
    double largeurB = 0;
    {
        QPainter painter(&avecTab);
        CanevasQt canevas(painter, kEcranParPouce);
        canevas.ChoisitPolice(Arial(-13));
        tabulation = canevas.LargeurTabulation();
        largeurB = canevas.LargeurExacte("B", 1);
        // Arial's average character width is 904/2048 em: 5.7 at 13 px,
        // rounded to 6, so stops every 48 px.
        EXPECT_EQ(tabulation, 48);

        EXPECT_EQ(canevas.EtendueTexte("A\tB", 3), std::lround(tabulation + largeurB));
        EXPECT_EQ(canevas.EtendueTexte("\t\t", 2), std::lround(2 * tabulation));
        // Stops count from the tab origin: from x = 30 with origin 10, the
        // first stop is at 10 + tabulation.
        const int largeur = canevas.SortieTexte(30, 20, "\tB", 2, 10);
        EXPECT_EQ(largeur, std::lround(10 + tabulation - 30 + largeurB));
        canevas.SortieTexte(30, 80, "A\tB", 3, 30);
    }
    {
        QPainter painter(&enDeuxFois);
        CanevasQt canevas(painter, kEcranParPouce);
        canevas.ChoisitPolice(Arial(-13));
        const int stop1 = static_cast<int>(10 + tabulation);
        const int stop2 = static_cast<int>(30 + tabulation);
        ASSERT_EQ(stop1, 10 + tabulation);  // whole units
        canevas.SortieTexte(stop1, 20, "B", 1, stop1);
        canevas.SortieTexte(30, 80, "A", 1, 30);
        canevas.SortieTexte(stop2, 80, "B", 1, stop2);
    }
    EXPECT_EQ(avecTab, enDeuxFois);
}

TEST(CanevasQt, EtendueEnEntier)
{
    QImage image = ImageBlanche();
    QPainter painter(&image);
    CanevasQt canevas(painter, 254.0);
    canevas.ChoisitPolice(Arial(-35));
    const std::string long_(3000, 'W');
    const double exacte = canevas.LargeurExacte(long_.data(), Longueur(long_.c_str()));
    ASSERT_GT(exacte, 65536);
    EXPECT_EQ(canevas.EtendueTexte(long_.data(), Longueur(long_.c_str())), std::llround(exacte));
    EXPECT_EQ(canevas.EtendueTexte("", 0), 0);
}

// Line feed, form feed, carriage return and soft hyphen neither take room nor
// show: left out, a megabyte of them costs a scan, and the page is the same.
TEST(CanevasQt, CaracteresInvisiblesSansPlaceNiDessin)
{
    QImage avec = ImageBlanche();
    QImage sans = ImageBlanche();
    QPainter peintreAvec(&avec);
    QPainter peintreSans(&sans);
    CanevasQt canevasAvec(peintreAvec, 254.0);
    CanevasQt canevasSans(peintreSans, 254.0);
    canevasAvec.ChoisitPolice(Arial(-35));
    canevasSans.ChoisitPolice(Arial(-35));

    const std::string invisibles = "Ru\xAD" "e\n des\f Te\rsts";
    EXPECT_EQ(canevasAvec.EtendueTexte(invisibles.data(), Longueur(invisibles.c_str())),
              canevasSans.EtendueTexte("Rue des Tests", 13));
    canevasAvec.SortieTexte(5, 5, invisibles.data(), Longueur(invisibles.c_str()), 5);
    canevasSans.SortieTexte(5, 5, "Rue des Tests", 13, 5);
    peintreAvec.end();
    peintreSans.end();
    EXPECT_EQ(avec, sans);

    const std::string megaOctet(1 << 20, '\xAD');
    EXPECT_EQ(canevasAvec.EtendueTexte(megaOctet.data(), Longueur(megaOctet.c_str())), 0);
}

// ---------------------------------------------------------------------------
// Letters of the code page.

TEST(CanevasQt, LettresWindows1252)
{
    QImage image = ImageBlanche();
    QPainter painter(&image);
    const CanevasQt canevas(painter, kEcranParPouce);
    // é Ç Œ œ Š ÿ ƒ
    const std::string lettres = "aZ\xE9\xC7\x8C\x9C\x8A\xFF\x83";
    for (const char lettre : lettres)
        EXPECT_TRUE(canevas.EstLettre(static_cast<unsigned char>(lettre))) << int(lettre);
    // € × ÷ no-break space ’ and NUL
    const std::string autres = " \t1,-'\x80\xD7\xF7\xA0\x92" + std::string(1, '\0');
    for (const char autre : autres)
        EXPECT_FALSE(canevas.EstLettre(static_cast<unsigned char>(autre))) << int(autre);
}

// ---------------------------------------------------------------------------
// Clip and state.

TEST(CanevasQt, ClipExclutBordsDroitEtBas)
{
    QImage image = ImageBlanche();
    QPainter painter(&image);
    CanevasQt canevas(painter, kEcranParPouce);
    canevas.IntersecteClip(qlRect(10, 20, 60, 70));
    canevas.IntersecteClip(qlRect(30, 0, 200, 50));
    painter.fillRect(image.rect(), Qt::black);
    painter.end();
    EXPECT_EQ(BoiteEncre(image), QRect(QPoint(30, 20), QPoint(59, 49)));
}

TEST(CanevasQt, ClipVideNeLaisseRienPasser)
{
    for (const qlRect vide : {qlRect(50, 50, 50, 100), qlRect(80, 80, 10, 10)}) {
        QImage image = ImageBlanche();
        QPainter painter(&image);
        CanevasQt canevas(painter, kEcranParPouce);
        canevas.IntersecteClip(vide);
        painter.fillRect(image.rect(), Qt::black);
        painter.end();
        EXPECT_TRUE(BoiteEncre(image).isNull());
    }
}

TEST(CanevasQt, SauverRestaurerRemettentEtatEtClip)
{
    QImage image = ImageBlanche();
    QPainter painter(&image);
    CanevasQt canevas(painter, kEcranParPouce);
    canevas.ChoisitPolice(Arial(-13));
    canevas.ChoisitStylo(Canevas::StyleStylo::Plein, 0x0000FF, 3);

    canevas.SauveEtat();
    canevas.ChoisitPolice(Arial(-30));
    canevas.AlignementLigneDeBase(true);
    canevas.IntersecteClip(qlRect(0, 0, 1, 1));
    canevas.ChoisitStylo(Canevas::StyleStylo::Tirets, 0x00FF00, 1);
    canevas.RestaureEtat();
    canevas.RestaureEtat();  // unmatched: ignored

    EXPECT_EQ(canevas.PoliceCourante(), Arial(-13));
    EXPECT_EQ(canevas.PoliceQt().pixelSize(), 13);
    EXPECT_EQ(painter.font().pixelSize(), 13);
    EXPECT_EQ(painter.pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(painter.pen().widthF(), 3.0);
    EXPECT_FALSE(painter.hasClipping());

    // Top alignment again: the text's top is at y.
    QImage haut = ImageBlanche();
    QImage base = ImageBlanche();
    {
        QPainter p(&haut);
        CanevasQt c(p, kEcranParPouce);
        c.ChoisitPolice(Arial(-20));
        c.SortieTexte(10, 10, "Hg", 2, 10);
        const int ascent = static_cast<int>(std::lround(QFontMetricsF(c.PoliceQt()).ascent()));
        QPainter q(&base);
        CanevasQt d(q, kEcranParPouce);
        d.ChoisitPolice(Arial(-20));
        d.AlignementLigneDeBase(true);
        d.SortieTexte(10, 10 + ascent, "Hg", 2, 10);
    }
    EXPECT_EQ(haut, base);
}

// ---------------------------------------------------------------------------
// Pen, brush, text colour, shapes.

TEST(CanevasQt, TexteALaCouleurDeSaPoliceStyloConserve)
{
    QImage image = ImageBlanche();
    QPainter painter(&image);
    CanevasQt canevas(painter, kEcranParPouce);
    canevas.ChoisitStylo(Canevas::StyleStylo::Plein, 0xFF0000 /* blue */, 1);
    Police rouge = Arial(-40);
    rouge.Color = 0x0000FF;
    canevas.ChoisitPolice(rouge);
    canevas.SortieTexte(10, 10, "MMMM", 4, 10);
    EXPECT_EQ(painter.pen().color(), QColor(0, 0, 255));
    painter.end();

    int rouges = 0;
    int bleus = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            rouges += c == QColor(255, 0, 0);
            bleus += c.blue() > 200 && c.red() < 50;
        }
    }
    EXPECT_GT(rouges, 100);
    EXPECT_EQ(bleus, 0);
}

TEST(CanevasQt, RectangleArrondiContourEtFond)
{
    QImage image = ImageBlanche();
    QPainter painter(&image);
    CanevasQt canevas(painter, kEcranParPouce);
    canevas.ChoisitStylo(Canevas::StyleStylo::Plein, 0x000000, 1);
    canevas.ChoisitBrosse(Canevas::StyleBrosse::Plein, 0x0000FF);
    canevas.RectangleArrondi(qlRect(20, 20, 220, 120), 60, 40);
    painter.end();

    EXPECT_EQ(image.pixelColor(120, 70), QColor(255, 0, 0));   // filled
    EXPECT_EQ(image.pixelColor(21, 21), QColor(Qt::white));    // corner rounded off
    EXPECT_LT(image.pixelColor(120, 20).lightness(), 100);     // outline on the edge
    const QRect encre = BoiteEncre(image, 250);
    EXPECT_NEAR(encre.left(), 20, 1);
    EXPECT_NEAR(encre.right(), 220, 1);
    // The corner spans half its ellipse across: the top edge is straight from
    // 20 + 30 onwards.
    EXPECT_LT(image.pixelColor(52, 20).lightness(), 128);
    EXPECT_GT(image.pixelColor(40, 20).lightness(), 128);

    QImage vide = ImageBlanche();
    QPainter p(&vide);
    CanevasQt c(p, kEcranParPouce);
    c.ChoisitStylo(Canevas::StyleStylo::Invisible, 0, 1);
    c.ChoisitBrosse(Canevas::StyleBrosse::Vide, 0);
    c.RectangleArrondi(qlRect(20, 20, 220, 120), 60, 40);
    p.end();
    EXPECT_TRUE(BoiteEncre(vide, 255).isNull());
}

}  // namespace
