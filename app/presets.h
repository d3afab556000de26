#pragma once

#include <QColor>

#include <cstdint>

// Display presets of the 字体 menu, and the window geometry, as plain data.
namespace presets {

inline constexpr int kFontSizeCount = 3; // 大, 中, 小
inline constexpr int kColorSchemeCount = 2;

// 15, 12 or 9 points for index 0, 1, 2.
constexpr int fontSizePoints(int index)
{
    return 15 - 3 * index;
}

// Colours are written 0x00BBGGRR: red in the low byte, blue in the high one.
constexpr QRgb bgrToRgb(std::uint32_t bgr)
{
    return qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

struct ColorScheme
{
    std::uint32_t text;
    std::uint32_t background;
};

// Index 0 is yellow text on blue; every other index is black text on white.
constexpr ColorScheme colorScheme(int index)
{
    return index == 0 ? ColorScheme{0x0000FFFF, 0x00FF0000} : ColorScheme{0x00000000, 0x00FFFFFF};
}

// Window geometry is designed in twips; 15 twips make one pixel at 96 dpi,
// which is exactly one of Qt's device-independent pixels.
constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

inline constexpr int kMainClientWidthTwips = 10080;
inline constexpr int kMainClientHeightTwips = 5820;

} // namespace presets
