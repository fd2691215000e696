#include "core/view/paint_color.h"

#include <algorithm>
#include <cmath>

namespace qor {

namespace {

int channel(TColor c, int shift) { return (c >> shift) & 0xFF; }

int lightenChannel(int a, int b, bool darken)
{
    const double mean = (b - a) * 0.5 + a;
    double l = (225 - mean) * 0.6 + mean;
    if (darken)
        l -= (122 - l) * 0.25;
    // nearbyint follows the default rounding mode: halves go to the even neighbour.
    return std::clamp(int(std::nearbyint(l)), 0, 255);
}

} // namespace

TColor LightenColor(TColor Color1, TColor Color2, bool Darken)
{
    const TColor a = platform::ColorToRGB(Color1);
    const TColor b = platform::ColorToRGB(Color2);
    TColor out = 0;
    for (int shift : {0, 8, 16})
        out |= TColor(lightenChannel(channel(a, shift), channel(b, shift), Darken)) << shift;
    return out;
}

TColor SelectionBrushColor(TColor Color, bool Selected, const TSelectionTint &tint)
{
    if (!Selected)
        return Color;
    if (!tint.focused)
        return LightenColor(Color, clGray, false);
    return tint.hasSelectionRect ? LightenColor(Color, tint.focusColor, true) : tint.focusColor;
}

} // namespace qor
