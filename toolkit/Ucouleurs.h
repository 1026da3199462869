#pragma once
// Colours travel as 32-bit values: 0x00BBGGRR for an explicit colour, or the
// top bit set plus an index for one of the desktop's system colours.

#include <QColor>
#include <cstdint>

namespace Couleurs {
constexpr uint32_t SystemeBit = 0x80000000u;
constexpr uint32_t clWindowFrame = SystemeBit | 6;
constexpr uint32_t clBtnFace = SystemeBit | 15;
constexpr uint32_t clBtnShadow = SystemeBit | 16;
constexpr uint32_t clGrayText = SystemeBit | 17;
constexpr uint32_t clBtnHighlight = SystemeBit | 20;
constexpr uint32_t clInfoBk = SystemeBit | 24;

constexpr uint32_t clBlack = 0x000000;
constexpr uint32_t clWhite = 0xFFFFFF;
constexpr uint32_t clRed = 0x0000FF;
constexpr uint32_t clLime = 0x00FF00;
constexpr uint32_t clBlue = 0xFF0000;
constexpr uint32_t clNavy = 0x800000;
constexpr uint32_t clSilver = 0xC0C0C0;

constexpr uint32_t Rgb(int r, int g, int b)
{
    return static_cast<uint32_t>(r & 0xFF) | (static_cast<uint32_t>(g & 0xFF) << 8)
           | (static_cast<uint32_t>(b & 0xFF) << 16);
}
}  // namespace Couleurs

// Resolves a colour value, system colours through the application palette.
QColor VersQColor(uint32_t couleur);
// The explicit colour value of a Qt colour (alpha dropped).
uint32_t DepuisQColor(const QColor& couleur);
