#include "RenduControle.h"
#include "TLabel3D.h"
#include "Ucouleurs.h"

#include <QPalette>
#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {
using Pixels = std::set<std::pair<int, int>>;

// A big caption without antialiasing, so that every pixel is one colour.
void Prepare(TLabel3D& label, const QString& legende)
{
    QFont police(QStringLiteral("Liberation Sans"));
    police.setPixelSize(30);
    police.setBold(true);
    police.setStyleStrategy(QFont::NoAntialias);
    label.setFont(police);
    label.setText(legende);
    label.resize(80, 40);
}

void ColoreTexte(QWidget& label, const QColor& couleur)
{
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText, couleur);
    label.setPalette(palette);
}

Pixels DeCouleur(const QImage& image, QRgb couleur)
{
    Pixels pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (Pixel(image, x, y) == couleur)
                pixels.insert({x, y});
    return pixels;
}

Pixels Moins(const Pixels& a, const Pixels& b)
{
    Pixels reste;
    for (const auto& p : a)
        if (!b.count(p))
            reste.insert(p);
    return reste;
}

QRgb Rgb(uint32_t couleur)
{
    return VersQColor(couleur).rgb();
}

// The pixels of one copy alone: a style with that single copy, the text
// itself invisible.
Pixels UneCopie(TCaptionStyle style, QRgb couleur)
{
    TLabel3D label;
    Prepare(label, QStringLiteral("H"));
    ColoreTexte(label, Qt::transparent);
    label.SetCaptionStyle(style);
    return DeCouleur(Rendu(label), couleur);
}
}  // namespace

TEST(TLabel3D, ValeursParDefaut)
{
    TLabel3D label;
    EXPECT_EQ(label.size(), QSize(62, 16));
    EXPECT_EQ(label.CaptionStyle(), TCaptionStyle::csRecessed);
    EXPECT_TRUE(label.wordWrap());
    EXPECT_TRUE(label.ShowAccelChar());
    EXPECT_FALSE(label.Transparent());
}

TEST(TLabel3D, LesCopiesPassentSousLeTexteDansLOrdreDuStyle)
{
    const QRgb clair = Rgb(Couleurs::clBtnHighlight);
    const QRgb ombre = Rgb(Couleurs::clBtnShadow);
    ASSERT_NE(clair, ombre);
    // One copy up-left (csRaised), one down-right (csRecessed), both highlight.
    const Pixels hautGauche = UneCopie(TCaptionStyle::csRaised, clair);
    const Pixels basDroite = UneCopie(TCaptionStyle::csRecessed, clair);
    ASSERT_FALSE(hautGauche.empty());
    ASSERT_EQ(basDroite.size(), hautGauche.size());
    ASSERT_EQ(*basDroite.begin(), std::make_pair(hautGauche.begin()->first + 2,
                                                  hautGauche.begin()->second + 2));

    struct Cas {
        TCaptionStyle style;
        QRgb premiere;  // at (+1, +1), drawn first
        QRgb seconde;   // at (-1, -1), drawn over it
    };
    for (const Cas& cas : {Cas{TCaptionStyle::csHeavyRaised, ombre, clair},
                           Cas{TCaptionStyle::csHeavyRecessed, clair, ombre}}) {
        TLabel3D label;
        Prepare(label, QStringLiteral("H"));
        ColoreTexte(label, Qt::transparent);
        label.SetCaptionStyle(cas.style);
        const QImage image = Rendu(label);
        EXPECT_EQ(DeCouleur(image, cas.seconde), hautGauche);
        EXPECT_EQ(DeCouleur(image, cas.premiere), Moins(basDroite, hautGauche));
    }

    // The text itself lies on top of both copies.
    TLabel3D label;
    Prepare(label, QStringLiteral("H"));
    ColoreTexte(label, QColor(255, 0, 0));
    label.SetCaptionStyle(TCaptionStyle::csNone);
    const Pixels texte = DeCouleur(Rendu(label), qRgb(255, 0, 0));
    EXPECT_LT(Moins(texte, hautGauche).size(), texte.size());  // they do overlap
    label.SetCaptionStyle(TCaptionStyle::csHeavyRaised);
    const QImage image = Rendu(label);
    EXPECT_EQ(DeCouleur(image, qRgb(255, 0, 0)), texte);
    EXPECT_TRUE(DeCouleur(image, ombre).size() > 0);
}

TEST(TLabel3D, DesactiveLeTexteEstGrise)
{
    TLabel3D label;
    Prepare(label, QStringLiteral("H"));
    ColoreTexte(label, QColor(255, 0, 0));
    label.SetCaptionStyle(TCaptionStyle::csNone);
    const Pixels texte = DeCouleur(Rendu(label), qRgb(255, 0, 0));
    label.setEnabled(false);
    EXPECT_EQ(DeCouleur(Rendu(label), Rgb(Couleurs::clGrayText)), texte);
}

TEST(TLabel3D, AccelerateursEtTransparence)
{
    TLabel3D avec;
    Prepare(avec, QStringLiteral("&&"));
    avec.SetCaptionStyle(TCaptionStyle::csNone);
    TLabel3D sans;
    Prepare(sans, QStringLiteral("&"));
    sans.SetCaptionStyle(TCaptionStyle::csNone);
    sans.SetShowAccelChar(false);
    const QImage image = Rendu(sans);
    EXPECT_EQ(Rendu(avec), image);
    EXPECT_FALSE(DeCouleur(image, sans.palette().color(QPalette::WindowText).rgb()).empty());

    // Even an empty caption is measured as one blank.
    TLabel3D vide;
    EXPECT_GT(vide.sizeHint().width(), 0);
    EXPECT_GT(vide.sizeHint().height(), 0);

    const QRgb magenta = qRgb(255, 0, 255);
    EXPECT_NE(Pixel(Rendu(vide, magenta), 0, 0), magenta);
    vide.SetTransparent(true);
    EXPECT_EQ(Pixel(Rendu(vide, magenta), 0, 0), magenta);
}
