#include "RenduControle.h"
#include "TAOLButton.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr QRgb Noir = 0xFF000000;
const QRgb Face = qRgb(52, 105, 165);
const QRgb Relief = qRgb(138, 162, 215);

// A shown window holding one button of the main window's size.
struct Fenetre {
    QWidget fenetre;
    TAOLButton* bouton = new TAOLButton(&fenetre);

    explicit Fenetre(const QString& legende = QString())
    {
        fenetre.resize(200, 80);
        bouton->setGeometry(10, 10, 89, 23);
        bouton->SetCap(legende);
        fenetre.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    }
};

// The box holding every pixel of `image` inside `zone` that differs from `fond`.
QRect Encre(const QImage& image, const QRect& zone, QRgb fond)
{
    QRect boite;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            if (Pixel(image, x, y) != fond)
                boite |= QRect(x, y, 1, 1);
    return boite;
}

void VerifieContour(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    for (int x = 0; x < w; ++x) {
        ASSERT_EQ(Pixel(image, x, 0), Noir) << x;
        ASSERT_EQ(Pixel(image, x, h - 1), Noir) << x;
    }
    for (int y = 0; y < h; ++y) {
        ASSERT_EQ(Pixel(image, 0, y), Noir) << y;
        ASSERT_EQ(Pixel(image, w - 1, y), Noir) << y;
    }
}

// The raised look; with the focus, every other pixel of the rectangle from
// (3, 3) to (85, 19) is white too, and nothing else differs.
void VerifieRelief(const QImage& image, bool focus = false)
{
    ASSERT_EQ(image.size(), QSize(89, 23));
    VerifieContour(image);
    for (int y = 1; y <= 21; ++y) {
        for (int x = 1; x <= 87; ++x) {
            const bool bord = ((x == 3 || x == 85) && y >= 3 && y <= 19)
                              || ((y == 3 || y == 19) && x >= 3 && x <= 85);
            QRgb attendu = Face;
            if (x == 87 || (y == 21 && x >= 2))
                attendu = Noir;
            else if (x <= 2 || y <= 2)
                attendu = Relief;
            else if (focus && bord && (x + y) % 2 == 0)
                attendu = qRgb(255, 255, 255);
            ASSERT_EQ(Pixel(image, x, y), attendu) << x << "," << y;
        }
    }
}

void VerifieEnfonce(const QImage& image)
{
    ASSERT_EQ(image.size(), QSize(89, 23));
    VerifieContour(image);
    for (int y = 1; y <= 21; ++y)
        for (int x = 1; x <= 87; ++x)
            ASSERT_EQ(Pixel(image, x, y), y == 1 ? Noir : Face) << x << "," << y;
}
}  // namespace

TEST(TAOLButton, ValeursParDefaut)
{
    QWidget parent;
    TAOLButton bouton(&parent);
    EXPECT_EQ(bouton.size(), QSize(89, 23));
    EXPECT_EQ(bouton.focusPolicy(), Qt::NoFocus);

    // Placed on a window, the button takes its own name as caption.
    TAOLButton nomme;
    nomme.setObjectName(QStringLiteral("AOLButton7"));
    nomme.setParent(&parent);
    EXPECT_EQ(nomme.Caption(), QStringLiteral("AOLButton7"));
    nomme.SetCap(QStringLiteral("Quitter"));
    QWidget autre;
    nomme.setParent(&autre);
    EXPECT_EQ(nomme.Caption(), QStringLiteral("Quitter"));
    nomme.setParent(nullptr);
}

TEST(TAOLButton, AspectsEnReliefEtEnfonce)
{
    Fenetre f;
    VerifieRelief(Rendu(*f.bouton));

    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_TRUE(f.bouton->Enfonce());
    VerifieEnfonce(Ecran(*f.bouton));  // drawn at once, not only on the next paint
    VerifieEnfonce(Rendu(*f.bouton));  // and kept by later repaints

    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_FALSE(f.bouton->Enfonce());
    VerifieRelief(Ecran(*f.bouton));
}

TEST(TAOLButton, LaLegendeEnfonceeSeDecaleDeDeuxPixels)
{
    Fenetre f(QStringLiteral("Quitter"));
    const QImage releve = Rendu(*f.bouton);
    const QRect encre = Encre(releve, QRect(3, 3, 84, 18), Face);
    ASSERT_FALSE(encre.isEmpty());
    // Centred: as much room on each side, give or take the truncations.
    EXPECT_LE(std::abs((encre.left() - 0) - (88 - encre.right())), 3);

    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    const QImage enfonce = Rendu(*f.bouton);
    EXPECT_EQ(Encre(enfonce, QRect(1, 2, 87, 20), Face), encre.translated(2, 2));
    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
}

TEST(TAOLButton, LeClicVoitLeBoutonRelache)
{
    Fenetre f(QStringLiteral("Quitter"));
    std::vector<std::string> suite;
    f.bouton->OnMouseDown = [&](TAOLButton* s, Qt::MouseButton b, Qt::KeyboardModifiers, int x,
                                int y) {
        EXPECT_EQ(s, f.bouton);
        EXPECT_EQ(b, Qt::LeftButton);
        EXPECT_EQ(QPoint(x, y), QPoint(30, 12));
        suite.emplace_back("bas");
    };
    f.bouton->OnMouseUp = [&](TAOLButton*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        suite.emplace_back("haut");
    };
    f.bouton->OnClick = [&](TAOLButton* s) {
        EXPECT_EQ(s, f.bouton);
        EXPECT_FALSE(s->Enfonce());
        // What is on screen, not a fresh rendering.
        const QImage ecran = Ecran(*s);
        EXPECT_EQ(Pixel(ecran, 1, 1), Relief);
        EXPECT_EQ(Pixel(ecran, 87, 10), Noir);
        suite.emplace_back("clic");
    };
    QTest::mouseClick(f.bouton, Qt::LeftButton, {}, QPoint(30, 12));
    EXPECT_EQ(suite, (std::vector<std::string>{"bas", "clic", "haut"}));
}

TEST(TAOLButton, RienNeSePasseSansLeBoutonGaucheOuDesactive)
{
    Fenetre f;
    int evenements = 0;
    f.bouton->OnMouseDown = [&](TAOLButton*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        ++evenements;
    };
    f.bouton->OnMouseUp = f.bouton->OnMouseDown;
    f.bouton->OnClick = [&](TAOLButton*) { ++evenements; };

    QTest::mousePress(f.bouton, Qt::RightButton, {}, QPoint(40, 10));
    EXPECT_FALSE(f.bouton->Enfonce());
    QTest::mouseRelease(f.bouton, Qt::RightButton, {}, QPoint(40, 10));
    EXPECT_EQ(evenements, 0);

    f.bouton->SetEnabled(false);
    EXPECT_TRUE(f.bouton->isEnabled());
    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_FALSE(f.bouton->Enfonce());
    VerifieRelief(Ecran(*f.bouton));
    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(evenements, 0);
    VerifieRelief(Rendu(*f.bouton));  // disabled, it looks the same
}

TEST(TAOLButton, RelacherAuDehorsNeCliquePas)
{
    Fenetre f;
    int clics = 0;
    f.bouton->OnClick = [&](TAOLButton*) { ++clics; };
    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    QEvent sortie(QEvent::Leave);
    QCoreApplication::sendEvent(f.bouton, &sortie);
    EXPECT_FALSE(f.bouton->Enfonce());
    VerifieRelief(Ecran(*f.bouton));
    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_EQ(clics, 0);
    VerifieRelief(Ecran(*f.bouton));

    // The next press and release over it is a click again.
    QTest::mouseClick(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    EXPECT_EQ(clics, 1);

    // Dragged off with the button held: raised as soon as the pointer is out.
    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    ASSERT_TRUE(f.bouton->Enfonce());
    QMouseEvent glisse(QEvent::MouseMove, QPointF(150, 50), f.bouton->mapToGlobal(QPointF(150, 50)),
                       Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.bouton, &glisse);
    EXPECT_FALSE(f.bouton->Enfonce());
    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(150, 50));
    EXPECT_EQ(clics, 1);
}

TEST(TAOLButton, LesSetteursRedessinentMemeSansChangement)
{
    Fenetre f;
    QTest::mousePress(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));
    ASSERT_TRUE(f.bouton->Enfonce());
    f.bouton->SetCol(f.bouton->Color());
    EXPECT_FALSE(f.bouton->Enfonce());
    VerifieRelief(Ecran(*f.bouton));
    QTest::mouseRelease(f.bouton, Qt::LeftButton, {}, QPoint(40, 10));

    f.bouton->SetRaiseCol(Couleurs::Rgb(1, 2, 3));
    EXPECT_EQ(Pixel(Ecran(*f.bouton), 1, 1), qRgb(1, 2, 3));
}

TEST(TAOLButton, LeClavierPresseLeBoutonQuiALeFocus)
{
    // Space looks pressed until released, then clicks; Return and Enter
    // click; nothing while the button's own flag is off.
    const struct {
        Qt::Key touche;
        bool actif, enfonce;
        int clics;
    } cas[] = {{Qt::Key_Space, true, true, 1},   {Qt::Key_Return, true, false, 1},
               {Qt::Key_Enter, true, false, 1},  {Qt::Key_A, true, false, 0},
               {Qt::Key_Space, false, false, 0}, {Qt::Key_Return, false, false, 0}};
    for (const auto& c : cas) {
        Fenetre f;
        f.bouton->setFocusPolicy(Qt::TabFocus);
        f.fenetre.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&f.fenetre));
        f.bouton->setFocus(Qt::TabFocusReason);
        VerifieRelief(Rendu(*f.bouton), true);
        f.bouton->SetEnabled(c.actif);
        int clics = 0;
        f.bouton->OnClick = [&](TAOLButton*) { ++clics; };
        QTest::keyPress(f.bouton, c.touche);
        EXPECT_EQ(f.bouton->Enfonce(), c.enfonce) << c.touche;
        QTest::keyRelease(f.bouton, c.touche);
        EXPECT_EQ(clics, c.clics) << c.touche;
        f.bouton->clearFocus();  // and without the focus, the look of old
        VerifieRelief(Rendu(*f.bouton));
    }
}
