#include "Uclasses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

void ExpectFields(const qlRect& r, int32_t l, int32_t t, int32_t rr, int32_t b)
{
    EXPECT_EQ(r.left, l);
    EXPECT_EQ(r.top, t);
    EXPECT_EQ(r.right, rr);
    EXPECT_EQ(r.bottom, b);
}

TEST(Uclasses, MemeDispositionQueDesStructuresSimples)
{
    struct Rect4 { int32_t a, b, c, d; };
    const qlRect r(1, 2, 3, 4);
    Rect4 brut{};
    std::memcpy(&brut, &r, sizeof brut);
    EXPECT_EQ(brut.a, 1);
    EXPECT_EQ(brut.b, 2);
    EXPECT_EQ(brut.c, 3);
    EXPECT_EQ(brut.d, 4);
    ExpectFields(qlRect(), 0, 0, 0, 0);
    EXPECT_EQ(qlPoint(), qlPoint(0, 0));
    EXPECT_EQ(qlSize(), qlSize(0, 0));
}

TEST(Uclasses, ArithmetiqueDesPoints)
{
    qlPoint p(10, -4);
    p += qlPoint(1, 2);
    EXPECT_EQ(p, qlPoint(11, -2));
    p -= qlPoint(1, 1);
    EXPECT_EQ(p, qlPoint(10, -3));
    p += 5;
    EXPECT_EQ(p, qlPoint(15, 2));
    p -= 2;
    EXPECT_EQ(p, qlPoint(13, 0));
    p *= -2;
    EXPECT_EQ(p, qlPoint(-26, 0));
    p /= 4;  // truncates toward zero
    EXPECT_EQ(p, qlPoint(-6, 0));

    EXPECT_EQ(qlPoint(1, 2) + qlPoint(3, 4), qlPoint(4, 6));
    EXPECT_EQ(qlPoint(1, 2) - qlPoint(3, 4), qlPoint(-2, -2));
    EXPECT_EQ(qlPoint(3, -5) * 3, qlPoint(9, -15));
    EXPECT_EQ(qlPoint(-7, 7) / 2, qlPoint(-3, 3));
    EXPECT_EQ(-qlPoint(3, -5), qlPoint(-3, 5));
    EXPECT_EQ(qlPoint(1, 2).Offset(10, 20), qlPoint(11, 22));
    EXPECT_EQ(qlPoint(1, 2).Offset(qlPoint(-1, -2)), qlPoint(0, 0));
    EXPECT_EQ(qlPoint(qlSize(5, 6)), qlPoint(5, 6));
}

TEST(Uclasses, MulDivTronqueSansProduitSur64Bits)
{
    EXPECT_EQ(qlPoint(7, -7).MulDiv(1, 2), qlPoint(3, -3));
    EXPECT_EQ(qlSize(7, -7).MulDiv(1, 2), qlSize(3, -3));
    EXPECT_EQ(qlPoint(10, 20).MulDiv(2, 3), qlPoint(6, 13));
    // The product wraps in 32 bits before the division.
    EXPECT_EQ(qlPoint(0x40000000, 1).MulDiv(4, 2), qlPoint(0, 2));
}

TEST(Uclasses, LArithmetiqueBoucleAuLieuDeDeborder)
{
    qlPoint p(kMax, kMin);
    p += 1;
    EXPECT_EQ(p, qlPoint(kMin, kMin + 1));
    EXPECT_EQ(-qlPoint(kMin, 0), qlPoint(kMin, 0));
    EXPECT_EQ(qlPoint(kMin, 4) / -1, qlPoint(kMin, -4));
    qlSize s(kMax, 2);
    s *= 2;
    EXPECT_EQ(s, qlSize(-2, 4));
    qlRect r(kMin, 0, kMax, 0);
    EXPECT_EQ(r.LireSize(), qlSize(-1, 0));
    EXPECT_EQ(qlRect(0, 0, kMin, 0).LireAbsSize(), qlSize(kMin, 0));
    r += qlSize(1, 1);
    ExpectFields(r, kMin + 1, 1, kMin, 1);
}

TEST(Uclasses, PointsComparesSurUnChampTaillesSurLesDeux)
{
    const qlPoint a(0, 5), b(5, 0);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b < a);
    EXPECT_TRUE(a > b);
    EXPECT_TRUE(a <= b && a >= b);
    EXPECT_FALSE(qlPoint(1, 1) < qlPoint(1, 1));
    EXPECT_TRUE(qlPoint(1, 1) <= qlPoint(1, 1));
    EXPECT_NE(a, b);

    const qlSize c(0, 5), d(5, 0);
    EXPECT_FALSE(c < d);
    EXPECT_FALSE(c >= d);
    EXPECT_FALSE(c > d);
    EXPECT_FALSE(c <= d);
    EXPECT_TRUE(qlSize(1, 1) < qlSize(2, 2));
    EXPECT_TRUE(qlSize(2, 2) <= qlSize(2, 2));
    EXPECT_TRUE(qlSize(3, 3) > qlSize(2, 2));
    EXPECT_FALSE(qlSize(3, 2) > qlSize(2, 2));
}

TEST(Uclasses, ArithmetiqueEtBornesDesTailles)
{
    qlSize s(10, 20);
    s += qlSize(1, 2);
    s -= qlSize(0, 2);
    s += 1;
    s -= 2;
    EXPECT_EQ(s, qlSize(10, 19));
    s *= 3;
    s /= -2;
    EXPECT_EQ(s, qlSize(-15, -28));
    EXPECT_EQ(-s, qlSize(15, 28));
    EXPECT_EQ(qlSize(qlPoint(1, 2)), qlSize(1, 2));

    EXPECT_EQ(Min(qlSize(1, 9), qlSize(5, 2)), qlSize(1, 2));
    EXPECT_EQ(Max(qlSize(1, 9), qlSize(5, 2)), qlSize(5, 9));
    qlSize m(1, 9);
    m.ToMin(qlSize(5, 2));
    EXPECT_EQ(m, qlSize(5, 9));
    m = qlSize(1, 9);
    m.ToMax(qlSize(5, 2));
    EXPECT_EQ(m, qlSize(1, 2));
}

TEST(Uclasses, FormeTexte)
{
    EXPECT_EQ(qlPoint(-12, 340).ToString(), "-12;340");
    EXPECT_EQ(qlSize(kMin, kMax).ToString(), "-2147483648;2147483647");

    struct Cas { const char* texte; qlPoint attendu; };
    const Cas cas[] = {
        {"-12;340", {-12, 340}},
        {"15;abc", {15, 0}},
        {"1;2;3", {1, 0}},
        {";7", {0, 7}},
        {"15", {0, 0}},
        {"", {0, 0}},
        {";", {0, 0}},
        {"+4;-0", {4, 0}},
        {" 4;4", {0, 4}},      // no blanks
        {"4;4 ", {4, 0}},
        {"0x10;8", {0, 8}},    // decimal only
        {"-;5", {0, 5}},
        {"2147483647;-2147483648", {kMax, kMin}},
        {"2147483648;-2147483649", {0, 0}},  // out of 32-bit range
        {"99999999999999999999;1", {0, 1}},
    };
    for (const Cas& c : cas) {
        qlPoint p(99, 99);
        EXPECT_EQ(p.FromString(c.texte), c.attendu) << c.texte;
        qlSize s(99, 99);
        EXPECT_EQ(s.FromString(c.texte), qlSize(c.attendu)) << c.texte;
    }
    const qlPoint extremes[] = {{0, 0}, {-1, 1}, {kMin, kMax}, {kMax, kMin}};
    for (const qlPoint& p : extremes)
        EXPECT_EQ(qlPoint().FromString(p.ToString()), p);
}

TEST(Uclasses, SwapEchangeLesDeux)
{
    qlPoint a(1, 2), b(3, 4);
    Swap(a, b);
    EXPECT_EQ(a, qlPoint(3, 4));
    EXPECT_EQ(b, qlPoint(1, 2));
    int32_t i = 5, j = -6;
    Swap(i, j);
    EXPECT_EQ(i, -6);
    EXPECT_EQ(j, 5);
}

TEST(Uclasses, ConstructionEtCoinsDesRectangles)
{
    ExpectFields(qlRect(qlPoint(1, 2), qlPoint(3, 4)), 1, 2, 3, 4);
    ExpectFields(qlRect(qlPoint(1, 2), qlSize(10, 20)), 1, 2, 11, 22);

    const qlRect r(10, 20, 40, 80);
    EXPECT_EQ(r.LireOrg(), qlPoint(10, 20));
    EXPECT_EQ(r.LireTopLeft(), qlPoint(10, 20));
    EXPECT_EQ(r.LireDest(), qlPoint(40, 80));
    EXPECT_EQ(r.LireBottomRight(), qlPoint(40, 80));

    qlRect m = r;
    m.EcrireOrg(qlPoint(0, 0));
    ExpectFields(m, 0, 0, 30, 60);
    m = r;
    m.EcrireDest(qlPoint(100, 100));
    ExpectFields(m, 70, 40, 100, 100);
    m = r;
    m.EcrireTopLeft(qlPoint(0, 0));
    ExpectFields(m, 0, 0, 40, 80);
    m = r;
    m.EcrireBottomRight(qlPoint(50, 50));
    ExpectFields(m, 10, 20, 50, 50);

    ExpectFields(r.Offset(1, -1), 11, 19, 41, 79);
    ExpectFields(r.Offset(qlPoint(-10, -20)), 0, 0, 30, 60);
    ExpectFields(r.OffsetSize(qlSize(5, 6)), 10, 20, 45, 86);
    ExpectFields(r.OffsetSize(-5, -6), 10, 20, 35, 74);
    ExpectFields(r.MoveTo(qlPoint(-1, -1)), -1, -1, 29, 59);
    m = r;
    m.ChangeSize(qlSize(1, 2));
    ExpectFields(m, 10, 20, 11, 22);
    m = r;
    m += qlSize(1, 2);
    ExpectFields(m, 11, 22, 41, 82);
    m -= qlSize(1, 2);
    ExpectFields(m, 10, 20, 40, 80);
    m *= 2;
    ExpectFields(m, 20, 40, 80, 160);
    m /= -3;
    ExpectFields(m, -6, -13, -26, -53);
}

TEST(Uclasses, MulDivDesRectangles)
{
    const qlRect r(7, -7, 9, 3);
    ExpectFields(r.MulDiv(1, 2), 3, -3, 4, 1);
    // Equal factors return the rectangle untouched: no division, even by 0.
    ExpectFields(r.MulDiv(5, 5), 7, -7, 9, 3);
    ExpectFields(r.MulDiv(0, 0), 7, -7, 9, 3);
    ExpectFields(qlRect(kMax, 1, 1, 1).MulDiv(3, 3), kMax, 1, 1, 1);
    ExpectFields(r.MulDiv(qlPoint(1, 3), qlPoint(2, 1)), 3, -21, 4, 9);
    // No shortcut for equal point factors: (x × 2) wraps before ÷ 2.
    ExpectFields(qlRect(kMax, 0, 0, 0).MulDiv(qlPoint(2, 1), qlPoint(2, 1)), -1, 0, 0, 0);
}

TEST(Uclasses, TaillesEtVacuiteDesRectangles)
{
    EXPECT_EQ(qlRect(10, 10, 0, 0).LireSize(), qlSize(-10, -10));
    EXPECT_EQ(qlRect(10, 10, 0, 0).LireAbsSize(), qlSize(10, 10));
    EXPECT_EQ(qlRect(1, 2, 4, 8).LireSize(), qlSize(3, 6));
    EXPECT_TRUE(qlRect(0, 0, 0, 0).IsEmpty());
    EXPECT_FALSE(qlRect(3, 3, 3, 3).IsEmpty());
    EXPECT_FALSE(qlRect(0, 0, 0, 1).IsEmpty());
}

TEST(Uclasses, LEgaliteDesRectanglesIgnoreLeSens)
{
    const qlRect r(0, 0, 10, 20);
    EXPECT_TRUE(r == qlRect(0, 0, 10, 20));    // identical
    EXPECT_TRUE(r == qlRect(0, 20, 10, 0));    // top/bottom swapped
    EXPECT_TRUE(r == qlRect(10, 20, 0, 0));    // both swapped
    EXPECT_TRUE(r == qlRect(10, 0, 0, 20));    // left/right swapped
    EXPECT_TRUE(qlRect(0, 0, 10, 10) == qlRect(10, 10, 0, 0));
    EXPECT_FALSE(r == qlRect(0, 0, 20, 10));   // transposed is another rectangle
    EXPECT_FALSE(r == qlRect(20, 10, 0, 0));
    EXPECT_FALSE(r == qlRect(0, 0, 10, 21));
    EXPECT_TRUE(r != qlRect(1, 0, 10, 20));
    EXPECT_FALSE(r != qlRect(10, 20, 0, 0));
}

TEST(Uclasses, Normalise)
{
    qlRect r(10, 20, 0, 5);
    r.Normalise();
    ExpectFields(r, 0, 5, 10, 20);
    r = qlRect(0, 20, 10, 5);
    r.Normalise();
    ExpectFields(r, 0, 5, 10, 20);
    r.Normalise();
    ExpectFields(r, 0, 5, 10, 20);
    ExpectFields(Normalise(qlRect(10, 20, 0, 5)), 0, 5, 10, 20);
    ExpectFields(Normalise(qlRect(-1, 2, -3, 4)), -3, 2, -1, 4);
}

TEST(Uclasses, InRect)
{
    const qlRect r(0, 0, 10, 10);
    struct Cas { qlPoint p; bool dedans; };
    const Cas cas[] = {
        {{0, 0}, true},  {{9, 9}, true},   {{10, 5}, false}, {{5, 10}, false},
        {{-1, 5}, false}, {{5, -1}, false}, {{10, 10}, false},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(r.InRect(c.p), c.dedans) << c.p.ToString();
    EXPECT_FALSE(qlRect(10, 10, 0, 0).InRect(qlPoint(5, 5)));  // inverted holds nothing

    EXPECT_TRUE(r.InRect(r));
    EXPECT_TRUE(r.InRect(qlRect(2, 2, 8, 8)));
    EXPECT_FALSE(r.InRect(qlRect(2, 2, 11, 8)));
    EXPECT_FALSE(r.InRect(qlRect(-1, 2, 8, 8)));
    EXPECT_FALSE(r.InRect(qlRect(2, -1, 8, 8)));
    EXPECT_FALSE(r.InRect(qlRect(2, 2, 8, 11)));
}

TEST(Uclasses, IntersectRect)
{
    ExpectFields(IntersectRect(qlRect(0, 0, 10, 10), qlRect(20, 20, 30, 30)), 0, 0, 0, 0);
    ExpectFields(IntersectRect(qlRect(0, 0, 10, 10), qlRect(5, -5, 15, 5)), 5, 0, 10, 5);
    // Touching edges share no area.
    ExpectFields(IntersectRect(qlRect(0, 0, 10, 10), qlRect(10, 0, 20, 10)), 0, 0, 0, 0);
    ExpectFields(IntersectRect(qlRect(0, 0, 10, 10), qlRect(0, 0, 10, 10)), 0, 0, 10, 10);
    // An inverted rectangle has no area.
    ExpectFields(IntersectRect(qlRect(10, 10, 0, 0), qlRect(0, 0, 10, 10)), 0, 0, 0, 0);
}

TEST(Uclasses, UnionRectLaisseDeCoteLesRectanglesSansAire)
{
    ExpectFields(UnionRect(qlRect(0, 0, 10, 10), qlRect(20, 5, 30, 30)), 0, 0, 30, 30);
    ExpectFields(UnionRect(qlRect(100, 100, 100, 200), qlRect(0, 0, 10, 10)), 0, 0, 10, 10);
    ExpectFields(UnionRect(qlRect(0, 0, 10, 10), qlRect(50, 50, 40, 60)), 0, 0, 10, 10);
    ExpectFields(UnionRect(qlRect(5, 5, 5, 9), qlRect(50, 50, 40, 60)), 0, 0, 0, 0);
    ExpectFields(UnionRect(qlRect(), qlRect(-3, -3, 3, 3)), -3, -3, 3, 3);
}

TEST(Uclasses, LesConversionsQtGardentLaGeometrie)
{
    const qlRect r(10, 20, 110, 70);
    const QRect q = r.VersQRect();
    EXPECT_EQ(q.left(), 10);
    EXPECT_EQ(q.top(), 20);
    EXPECT_EQ(q.width(), 100);
    EXPECT_EQ(q.height(), 50);
    EXPECT_EQ(q.right(), 109);  // inclusive in Qt
    EXPECT_EQ(qlRect(q), r);
    ExpectFields(qlRect(QRect(1, 2, 3, 4)), 1, 2, 4, 6);
    ExpectFields(qlRect(QRect()), 0, 0, 0, 0);
    EXPECT_EQ(qlRect(0, 0, 0, 0).VersQRect(), QRect());
    EXPECT_TRUE(q.contains(QPoint(109, 69)));
    EXPECT_FALSE(q.contains(QPoint(110, 69)));

    EXPECT_EQ(r.VersQRectF(), QRectF(10, 20, 100, 50));
    EXPECT_EQ(qlPoint(3, -4).VersQPoint(), QPoint(3, -4));
    EXPECT_EQ(qlPoint(3, -4).VersQPointF(), QPointF(3, -4));
    EXPECT_EQ(qlPoint(QPoint(3, -4)), qlPoint(3, -4));
    EXPECT_EQ(qlSize(7, 8).VersQSize(), QSize(7, 8));
    EXPECT_EQ(qlSize(QSize(7, 8)), qlSize(7, 8));
    EXPECT_EQ(qlSize(QPoint(7, 8)), qlSize(7, 8));
}

} // namespace
