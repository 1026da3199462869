#pragma once
// 32-bit two's-complement arithmetic without undefined behaviour: lengths and
// coordinates wrap as the stored formats were computed, even when a
// hand-edited value is extreme. Divisions truncate toward zero.

#include <cstdint>

namespace Arith32 {

inline int32_t Signe(uint32_t v)
{
    return static_cast<int32_t>(v);  // modular since C++20, and on every compiler we use
}

inline int32_t Plus(int32_t a, int32_t b)
{
    return Signe(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t Moins(int32_t a, int32_t b)
{
    return Signe(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

inline int32_t Fois(int32_t a, int32_t b)
{
    return Signe(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

inline int32_t Oppose(int32_t a)
{
    return Signe(0u - static_cast<uint32_t>(a));
}

// INT32_MIN ÷ −1 wraps to INT32_MIN; a divisor of 0, which no caller passes,
// gives 0 instead of a trap.
inline int32_t Divise(int32_t a, int32_t d)
{
    if (d == 0)
        return 0;
    if (d == -1)
        return Oppose(a);
    return a / d;
}

}  // namespace Arith32
