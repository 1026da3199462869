#include "RenduControle.h"
#include "THintBox.h"
#include "UmiseEnPageBulle.h"

#include <QAccessible>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

#include <vector>

namespace {
// A surface with simple metrics (5 pixels a character, 7 in bold, 1 for "|",
// rows of 10) that records what is drawn, joining runs that follow each other.
class SurfaceFixe final : public SurfaceBulle {
public:
    QStringList dessins;

    StyleTexte Style() const override { return m_style; }
    void FixeStyle(const StyleTexte& style) override { m_style = style; }
    QSize MesureTexte(const QString& t) override
    {
        int largeur = 0;
        for (const QChar c : t)
            largeur += c == QLatin1Char('|') ? 1 : m_style.Gras ? 7 : 5;
        return t.isEmpty() ? QSize(0, 0) : QSize(largeur, 10);
    }
    void Ecrire(int x, int y, const QString& t) override
    {
        const QString etoile = m_style.Gras ? QStringLiteral("*") : QString();
        if (x == m_suiteX && y == m_suiteY && etoile == m_suiteEtoile)
            dessins.last().insert(dessins.last().size() - etoile.size(), t);
        else
            dessins << QStringLiteral("%1,%2 %3%4").arg(x).arg(y).arg(t, etoile);
        m_suiteX = x + MesureTexte(t).width();
        m_suiteY = y;
        m_suiteEtoile = etoile;
    }

private:
    StyleTexte m_style;
    int m_suiteX = -1, m_suiteY = -1;
    QString m_suiteEtoile;
};

LignesBulle Decoupe(const QStringList& source)
{
    LignesBulle lignes;
    for (const QString& ligne : source)
        Balisage::ParseLine(ligne, lignes);
    return lignes;
}
}  // namespace

TEST(THintBox, DecoupageEnLignesAffichees)
{
    const char* alignements = "GCD";
    const struct {
        const char* source;
        QStringList attendu;  // alignment letter, then the display line
    } cas[] = {
        {"<center>Titre</center>", {"CTitre"}},
        {"abc<br>", {"Gabc", "G"}},
        {"<CENTER>", {"C"}},
        {"<Center>a<br>b", {"Ca", "Cb"}},
        {"x <right>y</right>  z", {"Gx ", "Dy", "Gz"}},
        {"a</center>", {"Ga"}},
        {"1 < 2 > 0", {"G1 < 2 > 0"}},
        {"a > b <br>c", {"Ga > b ", "Gc"}},
        {"<b>gras</b> <foo>", {"G<b>gras</b> <foo>"}},
        {"", {"G"}},
    };
    for (const auto& c : cas) {
        QStringList obtenu;
        for (const LigneBulle& l : Decoupe({QString::fromUtf8(c.source)}))
            obtenu << QString(QLatin1Char(alignements[int(l.Alignement)])) + l.Texte;
        EXPECT_EQ(obtenu, c.attendu) << c.source;
    }
}

TEST(THintBox, BalisesSeulesEtRecherche)
{
    const std::pair<const char*, bool> cas[] = {
        {"<b>", true},   {"<B><i>", true},  {"</strike><foo>", true}, {"<b> ", false},
        {"x<b>", false}, {"<foo>", false},  {"<center>", false},      {"<b", false},
        {"", false},
    };
    for (const auto& [texte, attendu] : cas)
        EXPECT_EQ(THintBox::OnlyContainsTags(QString::fromUtf8(texte)), attendu) << texte;

    EXPECT_EQ(THintBox::FindNext("abcabc", "c", 4), 6);
    EXPECT_EQ(THintBox::FindNext("abc", "d", 1), 0);
}

// A 64 x 50 box: text area (4, 4)-(60, 46), 52 pixels usable, four rows.
TEST(THintBox, MiseEnPageDesRangees)
{
    const QString a105(105, QLatin1Char('a'));
    const struct {
        const char* nom;
        QStringList source;
        QStringList attendu;
        QSize boite = {64, 50};
    } cas[] = {
        {"B seul: pas de rangée, gras jusqu'à /B",
         {"<b>", "abc", "de</b>f", "g"},
         {"4,4 abc*", "4,14 de*", "18,14 f", "4,24 g"}},
        {"<b> au milieu mesuré gras", {"<right>ab <B>cd</b> e"}, {"17,4 ab ", "32,4 cd*", "46,4  e"}},
        {"comparaison écrite telle quelle", {"1 < 2 > 0"}, {"4,4 1 < 2 > 0"}},
        {"CENTER sans fermeture", {"<center>abc", "de"}, {"20,4 abc", "4,14 de"}},
        {"BR en fin de ligne", {"abc<br>", "de"}, {"4,4 abc", "4,24 de"}},
        {"coupure aux espaces", {"aaaa bbbb cccc"}, {"4,4 aaaa bbbb", "4,14 cccc"}},
        {"centrée rangée par rangée", {"<center>aaaa bbbb cccc"}, {"5,4 aaaa bbbb", "18,14 cccc"}},
        {"mot trop long coupé", {"abcdefghijklmn"}, {"4,4 abcdefghij", "4,14 klmn"}},
        {"bas de la boîte: (rang + 1) x 10 + 4 < 44", {"a", "b", "c", "d"},
         {"4,4 a", "4,14 b", "4,24 c"}, {64, 48}},
        {"plus étroite qu'un caractère", {"abc", "d"}, {}, {12, 50}},
        {"537 x 137: 525 pixels utiles", {a105}, {"4,4 " + a105}, {537, 137}},
        {"537 x 137: un pixel de plus coupe", {a105 + "|"}, {"4,4 " + a105, "4,14 |"}, {537, 137}},
    };
    for (const auto& c : cas) {
        SurfaceFixe surface;
        const qlRect zone = MiseEnPageBulle::ZoneTexte(c.boite.width(), c.boite.height(), 4, true);
        MiseEnPageBulle(surface).DessineFormate(Decoupe(c.source), zone, 4);
        EXPECT_EQ(surface.dessins, c.attendu) << c.nom;
    }
    EXPECT_EQ(MiseEnPageBulle::ZoneTexte(537, 137, 4, true), qlRect(4, 4, 533, 133));
    EXPECT_EQ(MiseEnPageBulle::LargeurUtile(qlRect(4, 4, 533, 133), 4), 525);
}

TEST(THintBox, StyleRemisAZeroAChaqueDessinEtModeSimple)
{
    SurfaceFixe surface;
    MiseEnPageBulle mise(surface);
    const qlRect zone = MiseEnPageBulle::ZoneTexte(64, 50, 4, true);
    mise.DessineFormate(Decoupe({"<b>a"}), zone, 4);
    mise.DessineFormate(Decoupe({"c"}), zone, 4);
    EXPECT_EQ(surface.dessins, (QStringList{"4,4 a*", "4,4 c"}));
    EXPECT_EQ(mise.TextExtentEx("a<b>bc"), QSize(19, 10));
    EXPECT_EQ(surface.Style(), StyleTexte());  // measuring leaves the style as it was

    // Plain mode: tags are text, empty lines take a row, the same wrapping.
    SurfaceFixe simple;
    MiseEnPageBulle(simple).DessineSimple({"<b>x</b>", "", "<center>abcdef"}, zone, 4);
    EXPECT_EQ(simple.dessins, (QStringList{"4,4 <b>x</b>", "4,24 <center>ab", "4,34 cdef"}));
}

TEST(THintBox, ValeursParDefautEtTailleDeLOmbre)
{
    THintBox boite;
    EXPECT_EQ(boite.size(), QSize(200, 200));
    EXPECT_EQ(boite.Color(), Couleurs::clInfoBk);
    EXPECT_EQ(boite.ShadowColor(), Couleurs::Rgb(128, 128, 128));
    EXPECT_FALSE(boite.DisplayLines().has_value());

    boite.SetShadowSize(10);
    EXPECT_EQ(boite.size(), QSize(206, 206));
    boite.SetShadowSize(-1);
    EXPECT_EQ(boite.ShadowSize(), 10);
    EXPECT_EQ(boite.size(), QSize(206, 206));
}

TEST(THintBox, BoiteOmbreEtTexteAPartirDe4_4)
{
    THintBox boite;
    boite.resize(537, 137);
    boite.SetLines({"a<b>gras</b> 1 < 2 > 0"});
    const QImage image = Rendu(boite);
    const QRgb fond = VersQColor(Couleurs::clInfoBk).rgb();
    const QRgb gris = qRgb(128, 128, 128);
    const QRgb magenta = qRgb(255, 0, 255);
    const std::vector<std::pair<QPoint, QRgb>> points = {
        {{0, 0}, qRgb(0, 0, 0)},   {{532, 132}, qRgb(0, 0, 0)}, {{1, 1}, fond},
        {{531, 131}, fond},        {{533, 4}, gris},            {{536, 136}, gris},
        {{533, 3}, magenta},       {{3, 133}, magenta},
    };
    for (const auto& [p, couleur] : points)
        EXPECT_EQ(Pixel(image, p.x(), p.y()), couleur) << p.x() << "," << p.y();

    // The empty box with the runs drawn directly: "a" plain from (4, 4),
    // "gras" bold, the comparison plain and as written.
    THintBox vide;
    vide.resize(537, 137);
    QImage attendu = Rendu(vide);
    QFont gras = boite.font();
    gras.setBold(true);
    QPainter p(&attendu);
    int x = 4;
    for (const auto& [texte, enGras] : {std::pair<QString, bool>{"a", false},
                                        {"gras", true},
                                        {" 1 < 2 >", false},
                                        {" 0", false}}) {
        const QFont police = enGras ? gras : boite.font();
        const QFontMetrics m(police, &attendu);
        p.setFont(police);
        p.drawText(x, 4 + m.ascent(), texte);
        x += m.horizontalAdvance(texte);
    }
    p.end();
    EXPECT_EQ(image, attendu);
}

namespace {
class BulleComptee : public THintBox {
public:
    using THintBox::THintBox;
    int dessins = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++dessins;
        THintBox::paintEvent(event);
    }
};
}  // namespace

TEST(THintBox, SansBoiteOnVoitDessousSansRedessinerSansFin)
{
    QWidget fenetre;
    fenetre.resize(200, 100);
    QPalette palette = fenetre.palette();
    palette.setColor(QPalette::Window, QColor(10, 200, 30));
    fenetre.setPalette(palette);
    fenetre.setAutoFillBackground(true);
    auto* boite = new BulleComptee(&fenetre);
    boite->setGeometry(10, 10, 150, 60);
    boite->SetLines({"abc"});
    boite->SetHintBox(false);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    QTest::qWait(50);
    const int dessins = boite->dessins;
    EXPECT_GE(dessins, 1);
    QTest::qWait(200);
    EXPECT_EQ(boite->dessins, dessins);

    EXPECT_EQ(Pixel(fenetre.grab().toImage(), 10 + 149, 10 + 59), qRgb(10, 200, 30));
}

TEST(THintBox, UnLecteurDEcranLitLeTexteSansBalises)
{
    THintBox boite;
    boite.SetLines({"<center><b>Titre</b></center>", "<b>", "Une <b>normale</b> x < y."});
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&boite);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::StaticText);
    EXPECT_EQ(accessible->text(QAccessible::Name), "Titre\nUne normale x < y.");

    boite.SetLines({"Autre"});
    EXPECT_EQ(accessible->text(QAccessible::Name), "Autre");

    boite.SetLines({"<b>x</b>"});
    boite.SetHTMLFormatting(false);
    EXPECT_EQ(accessible->text(QAccessible::Name), "<b>x</b>");
}
