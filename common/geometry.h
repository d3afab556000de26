#pragma once

// Window geometry is designed in twips; 15 twips make one pixel at 96 dpi,
// which is exactly one of Qt's device-independent pixels.
namespace geometry {

constexpr int twipsToPixels(int twips)
{
    return twips / 15;
}

} // namespace geometry
