#pragma once
// Some window sizes are fixed in twips; the program counts 15 twips to a
// pixel.

#include <QtGlobal>

namespace grossby {

inline constexpr int kTwipsPerPixel = 15;

/// Twips to whole pixels, rounded to the nearest pixel.
constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

}  // namespace grossby
