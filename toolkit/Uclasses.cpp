#include "Uclasses.h"

#include "Arith32.h"

#include <algorithm>
#include <limits>

namespace {

using Arith32::Divise;
using Arith32::Fois;
using Arith32::Moins;
using Arith32::Oppose;
using Arith32::Plus;

int32_t MulDivTronque(int32_t v, int32_t m, int32_t d)
{
    return Divise(Fois(v, m), d);
}

int32_t Absolu(int32_t a)
{
    return a < 0 ? Oppose(a) : a;
}

// Optional sign then at least one decimal digit, nothing else, value within
// 32 bits; anything else gives 0.
int32_t EntierOuZero(std::string_view texte)
{
    bool negatif = false;
    size_t i = 0;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) {
        negatif = texte[i] == '-';
        ++i;
    }
    if (i == texte.size())
        return 0;
    int64_t valeur = 0;
    for (; i < texte.size(); ++i) {
        const char c = texte[i];
        if (c < '0' || c > '9')
            return 0;
        valeur = valeur * 10 + (c - '0');
        if (valeur > int64_t(std::numeric_limits<int32_t>::max()) + 1)
            return 0;
    }
    if (negatif)
        valeur = -valeur;
    if (valeur > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int32_t>(valeur);
}

// Both fields 0 unless the text holds a ';'; the part before the first one
// gives the first field, everything after it the second.
void LitPaire(std::string_view texte, int32_t& premier, int32_t& second)
{
    premier = 0;
    second = 0;
    const size_t pos = texte.find(';');
    if (pos == std::string_view::npos)
        return;
    premier = EntierOuZero(texte.substr(0, pos));
    second = EntierOuZero(texte.substr(pos + 1));
}

std::string EcritPaire(int32_t premier, int32_t second)
{
    return std::to_string(premier) + ';' + std::to_string(second);
}

// The platform's notion of a rectangle without area.
bool SansAire(const qlRect& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

} // namespace

// ---- qlPoint

qlPoint& qlPoint::operator+=(const qlPoint& p)
{
    x = Plus(x, p.x);
    y = Plus(y, p.y);
    return *this;
}

qlPoint& qlPoint::operator-=(const qlPoint& p)
{
    x = Moins(x, p.x);
    y = Moins(y, p.y);
    return *this;
}

qlPoint& qlPoint::operator+=(int32_t n)
{
    x = Plus(x, n);
    y = Plus(y, n);
    return *this;
}

qlPoint& qlPoint::operator-=(int32_t n)
{
    x = Moins(x, n);
    y = Moins(y, n);
    return *this;
}

qlPoint& qlPoint::operator*=(int32_t n)
{
    x = Fois(x, n);
    y = Fois(y, n);
    return *this;
}

qlPoint& qlPoint::operator/=(int32_t n)
{
    x = Divise(x, n);
    y = Divise(y, n);
    return *this;
}

qlPoint qlPoint::operator-() const
{
    return qlPoint(Oppose(x), Oppose(y));
}

qlPoint qlPoint::MulDiv(int32_t m, int32_t d) const
{
    return qlPoint(MulDivTronque(x, m, d), MulDivTronque(y, m, d));
}

qlPoint qlPoint::Offset(int32_t dx, int32_t dy) const
{
    return qlPoint(Plus(x, dx), Plus(y, dy));
}

qlPoint qlPoint::Offset(const qlPoint& p) const
{
    return Offset(p.x, p.y);
}

std::string qlPoint::ToString() const
{
    return EcritPaire(x, y);
}

qlPoint& qlPoint::FromString(std::string_view texte)
{
    LitPaire(texte, x, y);
    return *this;
}

qlPoint operator+(const qlPoint& a, const qlPoint& b)
{
    qlPoint r = a;
    return r += b;
}

qlPoint operator-(const qlPoint& a, const qlPoint& b)
{
    qlPoint r = a;
    return r -= b;
}

qlPoint operator*(const qlPoint& p, int32_t n)
{
    qlPoint r = p;
    return r *= n;
}

qlPoint operator/(const qlPoint& p, int32_t n)
{
    qlPoint r = p;
    return r /= n;
}

void Swap(qlPoint& a, qlPoint& b)
{
    const qlPoint t = a;
    a = b;
    b = t;
}

// ---- qlSize

qlSize& qlSize::operator+=(const qlSize& s)
{
    cx = Plus(cx, s.cx);
    cy = Plus(cy, s.cy);
    return *this;
}

qlSize& qlSize::operator-=(const qlSize& s)
{
    cx = Moins(cx, s.cx);
    cy = Moins(cy, s.cy);
    return *this;
}

qlSize& qlSize::operator+=(int32_t n)
{
    cx = Plus(cx, n);
    cy = Plus(cy, n);
    return *this;
}

qlSize& qlSize::operator-=(int32_t n)
{
    cx = Moins(cx, n);
    cy = Moins(cy, n);
    return *this;
}

qlSize& qlSize::operator*=(int32_t n)
{
    cx = Fois(cx, n);
    cy = Fois(cy, n);
    return *this;
}

qlSize& qlSize::operator/=(int32_t n)
{
    cx = Divise(cx, n);
    cy = Divise(cy, n);
    return *this;
}

qlSize qlSize::operator-() const
{
    return qlSize(Oppose(cx), Oppose(cy));
}

qlSize qlSize::MulDiv(int32_t m, int32_t d) const
{
    return qlSize(MulDivTronque(cx, m, d), MulDivTronque(cy, m, d));
}

void qlSize::ToMin(const qlSize& s)
{
    cx = std::max(cx, s.cx);
    cy = std::max(cy, s.cy);
}

void qlSize::ToMax(const qlSize& s)
{
    cx = std::min(cx, s.cx);
    cy = std::min(cy, s.cy);
}

std::string qlSize::ToString() const
{
    return EcritPaire(cx, cy);
}

qlSize& qlSize::FromString(std::string_view texte)
{
    LitPaire(texte, cx, cy);
    return *this;
}

qlSize Min(const qlSize& a, const qlSize& b)
{
    return qlSize(std::min(a.cx, b.cx), std::min(a.cy, b.cy));
}

qlSize Max(const qlSize& a, const qlSize& b)
{
    return qlSize(std::max(a.cx, b.cx), std::max(a.cy, b.cy));
}

// ---- qlRect

qlRect::qlRect(const qlPoint& p, const qlSize& s)
    : left(p.x), top(p.y), right(Plus(p.x, s.cx)), bottom(Plus(p.y, s.cy))
{
}

qlRect::qlRect(const QRect& r)
    : left(r.left()), top(r.top()), right(Plus(r.right(), 1)), bottom(Plus(r.bottom(), 1))
{
}

QRect qlRect::VersQRect() const
{
    return QRect(QPoint(left, top), QPoint(Moins(right, 1), Moins(bottom, 1)));
}

QRectF qlRect::VersQRectF() const
{
    // Widths in double: no 32-bit wrap for far-apart edges.
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

qlRect qlRect::MulDiv(int32_t m, int32_t d) const
{
    if (m == d)
        return *this;
    return qlRect(MulDivTronque(left, m, d), MulDivTronque(top, m, d),
                  MulDivTronque(right, m, d), MulDivTronque(bottom, m, d));
}

qlRect qlRect::MulDiv(const qlPoint& m, const qlPoint& d) const
{
    return qlRect(MulDivTronque(left, m.x, d.x), MulDivTronque(top, m.y, d.y),
                  MulDivTronque(right, m.x, d.x), MulDivTronque(bottom, m.y, d.y));
}

qlRect& qlRect::operator*=(int32_t n)
{
    left = Fois(left, n);
    top = Fois(top, n);
    right = Fois(right, n);
    bottom = Fois(bottom, n);
    return *this;
}

qlRect& qlRect::operator/=(int32_t n)
{
    left = Divise(left, n);
    top = Divise(top, n);
    right = Divise(right, n);
    bottom = Divise(bottom, n);
    return *this;
}

qlRect& qlRect::operator+=(const qlSize& s)
{
    *this = Offset(s.cx, s.cy);
    return *this;
}

qlRect& qlRect::operator-=(const qlSize& s)
{
    *this = Offset(Oppose(s.cx), Oppose(s.cy));
    return *this;
}

qlRect qlRect::Offset(int32_t dx, int32_t dy) const
{
    return qlRect(Plus(left, dx), Plus(top, dy), Plus(right, dx), Plus(bottom, dy));
}

qlRect qlRect::Offset(const qlPoint& p) const
{
    return Offset(p.x, p.y);
}

qlRect qlRect::OffsetSize(const qlSize& s) const
{
    return OffsetSize(s.cx, s.cy);
}

qlRect qlRect::OffsetSize(int32_t dx, int32_t dy) const
{
    return qlRect(left, top, Plus(right, dx), Plus(bottom, dy));
}

void qlRect::ChangeSize(const qlSize& s)
{
    right = Plus(left, s.cx);
    bottom = Plus(top, s.cy);
}

qlRect qlRect::MoveTo(const qlPoint& p) const
{
    return qlRect(p, LireSize());
}

qlSize qlRect::LireSize() const
{
    return qlSize(Moins(right, left), Moins(bottom, top));
}

qlSize qlRect::LireAbsSize() const
{
    const qlSize s = LireSize();
    return qlSize(Absolu(s.cx), Absolu(s.cy));
}

void qlRect::EcrireOrg(const qlPoint& p)
{
    *this = MoveTo(p);
}

void qlRect::EcrireDest(const qlPoint& p)
{
    const qlSize s = LireSize();
    *this = qlRect(Moins(p.x, s.cx), Moins(p.y, s.cy), p.x, p.y);
}

void qlRect::EcrireTopLeft(const qlPoint& p)
{
    left = p.x;
    top = p.y;
}

void qlRect::EcrireBottomRight(const qlPoint& p)
{
    right = p.x;
    bottom = p.y;
}

void qlRect::Normalise()
{
    if (top > bottom)
        Swap(top, bottom);
    if (left > right)
        Swap(left, right);
}

bool qlRect::InRect(const qlPoint& p) const
{
    return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
}

bool qlRect::InRect(const qlRect& r) const
{
    return r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom;
}

bool qlRect::operator==(const qlRect& r) const
{
    const bool memesX = left == r.left && right == r.right;
    const bool xCroises = left == r.right && right == r.left;
    const bool memesY = top == r.top && bottom == r.bottom;
    const bool yCroises = top == r.bottom && bottom == r.top;
    return (memesX && memesY) || (memesX && yCroises) || (xCroises && yCroises)
        || (xCroises && memesY);
}

qlRect Normalise(const qlRect& r)
{
    return qlRect(std::min(r.left, r.right), std::min(r.top, r.bottom),
                  std::max(r.left, r.right), std::max(r.top, r.bottom));
}

qlRect IntersectRect(const qlRect& a, const qlRect& b)
{
    const qlRect r(std::max(a.left, b.left), std::max(a.top, b.top),
                   std::min(a.right, b.right), std::min(a.bottom, b.bottom));
    if (SansAire(r))
        return qlRect();
    return r;
}

qlRect UnionRect(const qlRect& a, const qlRect& b)
{
    const bool aVide = SansAire(a);
    const bool bVide = SansAire(b);
    if (aVide && bVide)
        return qlRect();
    if (aVide)
        return b;
    if (bVide)
        return a;
    return qlRect(std::min(a.left, b.left), std::min(a.top, b.top),
                  std::max(a.right, b.right), std::max(a.bottom, b.bottom));
}

void Swap(int32_t& a, int32_t& b)
{
    const int32_t t = a;
    a = b;
    b = t;
}
