#include "RenduControle.h"
#include "TLed.h"
#include "Ucouleurs.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {
// The lamp of the main window, as its table draws it.
const std::array<const char*, 22> LampeNLG{
    "......................", "........KKKKKK........", "......KKWWWWWWKK......",
    "....KKWWKKKKKK..KK....", "...KWWKKGGGGGGKK..K...", "...KWKGGGGGGGGGGK.K...",
    "..KWKGGGWWGGGGGGGK.K..", "..KWKGGWWGGGGGGGGK.K..", ".KWKGGWWGGGGGGGGGGKgK.",
    ".KWKGGWGGGGGGGGGGGKgK.", ".KWKGGGGGGGGGGGGGGKgK.", ".KWKGWWGGGGGGGGGGGKgK.",
    ".KWKGWWGGGGGGGGGGGKgK.", ".KWKGGGGGGGGGGGGGGKgK.", "..K.KGGGGGGGGGGGGKgK..",
    "..K.KGGGGGGGGGGGGKgK..", "...K.KGGGGGGGGGGKgK...", "...K..KKGGGGGGKKggK...",
    "....KK..KKKKKKggKK....", "......KKggggggKK......", "........KKKKKK........",
    "......................",
};
// The silver pixels of "NLG" enclosed by its outlines.
const std::vector<QPoint> ArgentEnclos{
    {14, 3}, {15, 3}, {16, 4}, {17, 4}, {17, 5}, {18, 6}, {18, 7},
    {3, 14}, {3, 15}, {4, 16}, {4, 17}, {5, 17}, {6, 18}, {7, 18},
};

constexpr QRgb Argent = 0xFFC0C0C0;
constexpr QRgb Noir = 0xFF000000;
constexpr QRgb Gris = 0xFF808080;
constexpr QRgb Blanc = 0xFFFFFFFF;
constexpr QRgb Vert = 0xFF00FF00;

QRgb Attendu(char c)
{
    switch (c) {
    case 'K':
        return Noir;
    case 'g':
        return Gris;
    case 'W':
        return Blanc;
    case 'G':
        return Vert;
    default:
        return Argent;
    }
}

QRgb Rgb(uint32_t couleur)
{
    return VersQColor(couleur).rgb();
}

// Reaches the blink step without waiting for the timer.
class LampeEssai : public TLed {
public:
    using TLed::TLed;
    using TLed::OnLedTimer;
    int peintures = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++peintures;
        TLed::paintEvent(event);
    }
};

// The lamp as the main window sets it up.
void RegleCommeLaFenetre(TLed& lampe)
{
    lampe.SetTrueColor(Couleurs::Rgb(0, 255, 64));
    lampe.SetFalseColor(Couleurs::clRed);
    lampe.ChangeBlink(false);
    lampe.ChangeBorder(false);
    lampe.ChangeStyle(TLEDStyle::LEDLarge);
}

const std::array<TLEDStyle, 6> TousLesStyles{
    TLEDStyle::LEDSmall,    TLEDStyle::LEDLarge,    TLEDStyle::LEDSqSmall,
    TLEDStyle::LEDSqLarge,  TLEDStyle::LEDVertical, TLEDStyle::LEDHorizontal,
};

QImage Ressource(TLEDStyle style, bool encadre)
{
    return QImage(QStringLiteral(":/leds/%1.xpm").arg(TLed::NomImage(style, encadre)))
        .convertToFormat(QImage::Format_RGB32);
}
}  // namespace

TEST(TLed, LesDouzeImagesSuiventLeMemeSchema)
{
    const TLed lampe;
    for (const TLEDStyle style : TousLesStyles) {
        const QImage simple = Ressource(style, false);
        const QImage cadre = Ressource(style, true);
        const QString nom = TLed::NomImage(style, false);
        SCOPED_TRACE(nom.toStdString());
        const QSize taille = TLed::TailleStyle(style);
        ASSERT_EQ(simple.size(), taille);
        ASSERT_EQ(cadre.size(), taille);
        const int w = taille.width();
        const int h = taille.height();
        EXPECT_EQ(Pixel(simple, w / 2, h / 2), Vert);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb p = Pixel(simple, x, y);
                EXPECT_TRUE(p == Argent || p == Noir || p == Gris || p == Blanc || p == Vert);
                const bool bord = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                if (bord) {
                    EXPECT_EQ(p, Argent);
                    // The raised frame: white above and left, grey below and
                    // right, the top-right corner white and the bottom-left grey.
                    const bool clair = (y == 0 || x == 0) && !(x == 0 && y == h - 1);
                    EXPECT_EQ(Pixel(cadre, x, y), clair ? Blanc : Gris) << x << "," << y;
                } else {
                    EXPECT_EQ(Pixel(cadre, x, y), p) << x << "," << y;
                }
            }
        }
    }
}

TEST(TLed, LaLampeDeLaFenetreEstRougeSurLaCouleurDesBoutons)
{
    TLed lampe;
    RegleCommeLaFenetre(lampe);
    EXPECT_FALSE(lampe.HasLedTimer());
    EXPECT_EQ(lampe.Phase(), 1);
    const QImage image = Rendu(lampe);
    ASSERT_EQ(image.size(), QSize(22, 22));

    const QRgb face = Rgb(Couleurs::clBtnFace);
    const QRgb rouge = 0xFFFF0000;
    for (int y = 0; y < 22; ++y) {
        for (int x = 0; x < 22; ++x) {
            const char c = LampeNLG[static_cast<size_t>(y)][x];
            QRgb attendu = Attendu(c);
            if (c == 'G')
                attendu = rouge;
            else if (c == '.')
                attendu = std::find(ArgentEnclos.begin(), ArgentEnclos.end(), QPoint(x, y))
                                  != ArgentEnclos.end()
                              ? Argent
                              : face;
            ASSERT_EQ(Pixel(image, x, y), attendu) << x << "," << y;
        }
    }

    lampe.ChangeValue(true);
    const QImage verte = Rendu(lampe);
    EXPECT_EQ(Pixel(verte, 11, 11), qRgb(0, 255, 64));
    EXPECT_EQ(Pixel(verte, 4, 11), qRgb(0, 255, 64));  // left of the highlight
    EXPECT_EQ(Pixel(verte, 9, 6), Blanc);               // the highlight stays white
    EXPECT_EQ(Pixel(verte, 0, 0), face);
    EXPECT_FALSE(lampe.HasLedTimer());
}

TEST(TLed, EncadreeLaLampeGardeSonFondArgenteEtSonCadre)
{
    TLed lampe;
    RegleCommeLaFenetre(lampe);
    lampe.ChangeBorder(true);
    const QImage image = Rendu(lampe);
    EXPECT_EQ(Pixel(image, 11, 11), qRgb(255, 0, 0));
    EXPECT_EQ(Pixel(image, 1, 1), Argent);
    EXPECT_EQ(Pixel(image, 14, 3), Argent);
    EXPECT_EQ(Pixel(image, 0, 0), Blanc);
    EXPECT_EQ(Pixel(image, 21, 0), Blanc);
    EXPECT_EQ(Pixel(image, 0, 21), Gris);
    EXPECT_EQ(Pixel(image, 21, 21), Gris);
}

TEST(TLed, ToutesLesFormesPrennentLeurTailleEtPerdentLeurVert)
{
    for (const bool encadre : {false, true}) {
        for (const TLEDStyle style : TousLesStyles) {
            TLed lampe;
            lampe.resize(40, 5);
            lampe.ChangeBlink(false);
            lampe.SetBordColor(Couleurs::clNavy);
            lampe.ChangeBorder(encadre);
            lampe.SetTrueColor(Couleurs::clBlue);
            lampe.SetFalseColor(Couleurs::clRed);
            lampe.ChangeStyle(style);
            SCOPED_TRACE(TLed::NomImage(style, encadre).toStdString());
            EXPECT_EQ(lampe.size(), TLed::TailleStyle(style));
            EXPECT_EQ(lampe.sizeHint(), TLed::TailleStyle(style));

            // The whole face of both pictures is recoloured.
            for (const bool valeur : {true, false}) {
                lampe.ChangeValue(valeur);
                const QImage image = Rendu(lampe);
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        ASSERT_NE(Pixel(image, x, y), Vert) << x << "," << y;
                EXPECT_EQ(Pixel(image, image.width() / 2, image.height() / 2),
                          valeur ? qRgb(0, 0, 255) : qRgb(255, 0, 0));
                EXPECT_EQ(Pixel(image, 0, 0), encadre ? Blanc : Rgb(Couleurs::clNavy));
                EXPECT_EQ(Pixel(image, image.width() - 1, image.height() - 1),
                          encadre ? Gris : Rgb(Couleurs::clNavy));
            }
        }
    }
    TLed lampe;
    lampe.ChangeStyle(TLEDStyle::LEDVertical);
    EXPECT_EQ(lampe.size(), QSize(16, 22));
}

TEST(TLed, UneNouvelleLampeAttendUneValeurPourClignoter)
{
    const TLed lampe;
    EXPECT_EQ(lampe.size(), QSize(16, 16));
    EXPECT_TRUE(lampe.Blink());
    EXPECT_EQ(lampe.Phase(), 1);
    EXPECT_FALSE(lampe.HasLedTimer());
}

TEST(TLed, UneValeurDejaDonneeNeRedessineRien)
{
    QWidget fenetre;
    fenetre.resize(60, 60);
    auto* lampe = new LampeEssai(&fenetre);
    lampe->ChangeBlink(false);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));

    const int avant = lampe->peintures;
    lampe->ChangeValue(true);
    EXPECT_EQ(lampe->peintures, avant + 1);  // drawn at once
    EXPECT_EQ(Pixel(Ecran(*lampe), 8, 8), Vert);
    lampe->ChangeValue(true);
    EXPECT_EQ(lampe->peintures, avant + 1);
    lampe->ChangeValue(false);
    EXPECT_EQ(Pixel(Ecran(*lampe), 8, 8), Argent);
}

TEST(TLed, LeClignotementAlterneLesDeuxImages)
{
    LampeEssai lampe;
    lampe.SetFalseColor(Couleurs::clRed);
    int tops = 0;
    lampe.OnTimer = [&](TLed* sender) {
        EXPECT_EQ(sender, &lampe);
        ++tops;
    };
    lampe.ChangeValue(true);
    ASSERT_TRUE(lampe.HasLedTimer());
    EXPECT_EQ(lampe.Phase(), 0);

    const std::array<QRgb, 3> sequence{qRgb(255, 0, 0), Vert, qRgb(255, 0, 0)};
    for (size_t i = 0; i < sequence.size(); ++i) {
        lampe.OnLedTimer();
        EXPECT_EQ(tops, static_cast<int>(i) + 1);
        EXPECT_EQ(Pixel(Rendu(lampe), 8, 8), sequence[i]) << i;
    }
    // A value given while blinking shows at once and the steps go on from it.
    lampe.ChangeValue(false);
    EXPECT_EQ(lampe.Phase(), 1);
    lampe.OnLedTimer();
    EXPECT_EQ(lampe.Phase(), 0);
    EXPECT_TRUE(lampe.HasLedTimer());

    lampe.ChangeBlink(false);
    EXPECT_FALSE(lampe.HasLedTimer());
    EXPECT_EQ(lampe.Phase(), 1);  // the image of the value
}

TEST(TLed, LeMinuteurFaitClignoterEtSuitLIntervalle)
{
    TLed lampe;
    int tops = 0;
    lampe.OnTimer = [&](TLed*) { ++tops; };
    lampe.SetInterval(5);
    lampe.ChangeValue(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tops >= 2; }, 5000));
    lampe.SetInterval(250);
    int actifs = 0;
    for (const QTimer* minuteur : lampe.findChildren<QTimer*>()) {
        if (minuteur->isActive()) {
            ++actifs;
            EXPECT_EQ(minuteur->interval(), 250);
        }
    }
    EXPECT_EQ(actifs, 1);

    // A period of 0 stops the ticks instead of repainting without pause.
    lampe.SetInterval(0);
    for (const QTimer* minuteur : lampe.findChildren<QTimer*>())
        EXPECT_FALSE(minuteur->isActive());
}

TEST(TLed, ChangerLaCouleurEnClignotantRepartDeLaPhaseZero)
{
    LampeEssai lampe;
    lampe.ChangeValue(true);
    lampe.OnLedTimer();
    ASSERT_EQ(lampe.Phase(), 1);

    lampe.SetTrueColor(Couleurs::Rgb(0, 0, 255));
    EXPECT_TRUE(lampe.Blink());
    EXPECT_TRUE(lampe.HasLedTimer());
    EXPECT_EQ(lampe.Phase(), 0);
    EXPECT_EQ(Pixel(Rendu(lampe), 8, 8), qRgb(0, 0, 255));
    lampe.OnLedTimer();
    EXPECT_EQ(lampe.Phase(), 1);

    // Not blinking, a colour change starts no timer.
    lampe.ChangeBlink(false);
    lampe.SetFalseColor(Couleurs::clRed);
    EXPECT_FALSE(lampe.HasLedTimer());
}

TEST(TLed, LePointeurEntrantEtSortantEstSignale)
{
    TLed lampe;
    std::vector<std::string> vus;
    lampe.OnMouseEnter = [&](TLed* sender) {
        EXPECT_EQ(sender, &lampe);
        vus.emplace_back("entree");
    };
    lampe.OnMouseLeave = [&](TLed* sender) {
        EXPECT_EQ(sender, &lampe);
        vus.emplace_back("sortie");
    };
    QEnterEvent entree(QPointF(3, 3), QPointF(3, 3), QPointF(3, 3));
    QCoreApplication::sendEvent(&lampe, &entree);
    QEvent sortie(QEvent::Leave);
    QCoreApplication::sendEvent(&lampe, &sortie);
    EXPECT_EQ(vus, (std::vector<std::string>{"entree", "sortie"}));
}
