#pragma once
// Integer plane geometry: point, size and rectangle as plain values.
//
// Every field is a signed 32-bit integer. Sums, differences and products wrap
// around in 32 bits (two's complement) instead of being checked or widened,
// and every division truncates toward zero; nothing is ever rounded, not even
// in MulDiv. A divisor of 0 is a caller's error; it yields 0 rather than a
// trap.
//
// The three types are standard-layout structs of 2 or 4 int32_t, laid out like
// the usual POINT/SIZE/RECT records. Conversions to and from Qt keep the
// geometry: a qlRect's right and bottom edges are exclusive, QRect's
// right()/bottom() are inclusive, so qlRect(l, t, r, b) is QRect(l, t, r-l, b-t).
//
// Text form of points and sizes: "%d;%d". FromString accepts, on each side of
// the first ';', an optional '+' or '-' followed by one or more decimal digits
// whose value fits in 32 bits, and nothing else (no blanks, no radix prefix);
// a side in any other form, or empty, gives 0 for that field alone.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

struct qlSize;

struct qlPoint {
    int32_t x = 0;
    int32_t y = 0;

    constexpr qlPoint() = default;
    constexpr qlPoint(int32_t ax, int32_t ay) : x(ax), y(ay) {}
    explicit qlPoint(const qlSize& s);
    explicit qlPoint(const QPoint& p) : x(p.x()), y(p.y()) {}

    qlPoint& operator+=(const qlPoint& p);
    qlPoint& operator-=(const qlPoint& p);
    qlPoint& operator+=(int32_t n);  // both fields
    qlPoint& operator-=(int32_t n);
    qlPoint& operator*=(int32_t n);
    qlPoint& operator/=(int32_t n);

    qlPoint operator-() const;

    // (x × m ÷ d, y × m ÷ d), product in 32 bits, truncated.
    qlPoint MulDiv(int32_t m, int32_t d) const;
    qlPoint Offset(int32_t dx, int32_t dy) const;
    qlPoint Offset(const qlPoint& p) const;

    bool operator==(const qlPoint& p) const { return x == p.x && y == p.y; }
    bool operator!=(const qlPoint& p) const { return !(*this == p); }
    // Either field decides: (0, 5) < (5, 0) and (5, 0) < (0, 5) both hold.
    bool operator<(const qlPoint& p) const { return x < p.x || y < p.y; }
    bool operator<=(const qlPoint& p) const { return x <= p.x || y <= p.y; }
    bool operator>(const qlPoint& p) const { return x > p.x || y > p.y; }
    bool operator>=(const qlPoint& p) const { return x >= p.x || y >= p.y; }

    QPoint VersQPoint() const { return QPoint(x, y); }
    QPointF VersQPointF() const { return QPointF(x, y); }

    std::string ToString() const;
    qlPoint& FromString(std::string_view texte);
};

qlPoint operator+(const qlPoint& a, const qlPoint& b);
qlPoint operator-(const qlPoint& a, const qlPoint& b);
qlPoint operator*(const qlPoint& p, int32_t n);
qlPoint operator/(const qlPoint& p, int32_t n);
void Swap(qlPoint& a, qlPoint& b);

struct qlSize {
    int32_t cx = 0;
    int32_t cy = 0;

    constexpr qlSize() = default;
    constexpr qlSize(int32_t acx, int32_t acy) : cx(acx), cy(acy) {}
    explicit qlSize(const qlPoint& p) : cx(p.x), cy(p.y) {}
    explicit qlSize(const QSize& s) : cx(s.width()), cy(s.height()) {}
    explicit qlSize(const QPoint& p) : cx(p.x()), cy(p.y()) {}

    qlSize& operator+=(const qlSize& s);
    qlSize& operator-=(const qlSize& s);
    qlSize& operator+=(int32_t n);  // both fields
    qlSize& operator-=(int32_t n);
    qlSize& operator*=(int32_t n);
    qlSize& operator/=(int32_t n);

    qlSize operator-() const;

    qlSize MulDiv(int32_t m, int32_t d) const;

    bool operator==(const qlSize& s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(const qlSize& s) const { return !(*this == s); }
    // Both fields must agree: two sizes may be neither < nor >= each other.
    bool operator<(const qlSize& s) const { return cx < s.cx && cy < s.cy; }
    bool operator<=(const qlSize& s) const { return cx <= s.cx && cy <= s.cy; }
    bool operator>(const qlSize& s) const { return cx > s.cx && cy > s.cy; }
    bool operator>=(const qlSize& s) const { return cx >= s.cx && cy >= s.cy; }

    // Raise each field to at least that of s / lower it to at most that of s.
    void ToMin(const qlSize& s);
    void ToMax(const qlSize& s);

    QSize VersQSize() const { return QSize(cx, cy); }

    std::string ToString() const;
    qlSize& FromString(std::string_view texte);
};

inline qlPoint::qlPoint(const qlSize& s) : x(s.cx), y(s.cy) {}

qlSize Min(const qlSize& a, const qlSize& b);
qlSize Max(const qlSize& a, const qlSize& b);

struct qlRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;   // exclusive
    int32_t bottom = 0;  // exclusive

    constexpr qlRect() = default;
    constexpr qlRect(int32_t l, int32_t t, int32_t r, int32_t b)
        : left(l), top(t), right(r), bottom(b) {}
    // Top-left from a, bottom-right from b.
    constexpr qlRect(const qlPoint& a, const qlPoint& b)
        : left(a.x), top(a.y), right(b.x), bottom(b.y) {}
    // (p.x, p.y, p.x + s.cx, p.y + s.cy)
    qlRect(const qlPoint& p, const qlSize& s);
    explicit qlRect(const QRect& r);

    // Same edges: QRect(left, top, right - left, bottom - top).
    QRect VersQRect() const;
    QRectF VersQRectF() const;

    // Each field × m ÷ d; m == d returns the rectangle as it is without
    // dividing, so MulDiv(0, 0) is harmless.
    qlRect MulDiv(int32_t m, int32_t d) const;
    // left/right × m.x ÷ d.x, top/bottom × m.y ÷ d.y.
    qlRect MulDiv(const qlPoint& m, const qlPoint& d) const;

    qlRect& operator*=(int32_t n);
    qlRect& operator/=(int32_t n);
    // Move by (cx, cy).
    qlRect& operator+=(const qlSize& s);
    qlRect& operator-=(const qlSize& s);

    qlRect Offset(int32_t dx, int32_t dy) const;
    qlRect Offset(const qlPoint& p) const;
    // Same top-left corner, right + cx (dx), bottom + cy (dy).
    qlRect OffsetSize(const qlSize& s) const;
    qlRect OffsetSize(int32_t dx, int32_t dy) const;
    // right = left + cx, bottom = top + cy.
    void ChangeSize(const qlSize& s);
    // Same width and height, top-left corner at p.
    qlRect MoveTo(const qlPoint& p) const;

    // (right - left, bottom - top): negative for an inverted rectangle.
    qlSize LireSize() const;
    qlSize LireAbsSize() const;
    // All four fields 0; a rectangle of zero area elsewhere is not empty.
    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }

    qlPoint LireOrg() const { return qlPoint(left, top); }
    qlPoint LireTopLeft() const { return qlPoint(left, top); }
    qlPoint LireDest() const { return qlPoint(right, bottom); }
    qlPoint LireBottomRight() const { return qlPoint(right, bottom); }
    // Move, keeping width and height, so that the top-left (bottom-right)
    // corner is p.
    void EcrireOrg(const qlPoint& p);
    void EcrireDest(const qlPoint& p);
    // Set one corner; the opposite corner stays.
    void EcrireTopLeft(const qlPoint& p);
    void EcrireBottomRight(const qlPoint& p);

    // Swap top/bottom when top > bottom, left/right when left > right.
    void Normalise();

    // left <= x < right and top <= y < bottom.
    bool InRect(const qlPoint& p) const;
    // r inside this rectangle, edges included.
    bool InRect(const qlRect& r) const;

    // Same corners whatever the orientation: identical, or equal after
    // swapping top/bottom, both pairs, or left/right.
    bool operator==(const qlRect& r) const;
    bool operator!=(const qlRect& r) const { return !(*this == r); }
};

// (min(l, r), min(t, b), max(l, r), max(t, b)).
qlRect Normalise(const qlRect& r);
// A rectangle "has no area" when right <= left or bottom <= top, inverted
// ones included. The overlap of a and b, or all zeros when it has no area.
qlRect IntersectRect(const qlRect& a, const qlRect& b);
// Smallest rectangle holding both; one of no area is left out, and two of no
// area give all zeros.
qlRect UnionRect(const qlRect& a, const qlRect& b);

void Swap(int32_t& a, int32_t& b);

static_assert(std::is_standard_layout_v<qlPoint> && std::is_trivially_copyable_v<qlPoint>
              && sizeof(qlPoint) == 2 * sizeof(int32_t));
static_assert(std::is_standard_layout_v<qlSize> && std::is_trivially_copyable_v<qlSize>
              && sizeof(qlSize) == 2 * sizeof(int32_t));
static_assert(std::is_standard_layout_v<qlRect> && std::is_trivially_copyable_v<qlRect>
              && sizeof(qlRect) == 4 * sizeof(int32_t));
