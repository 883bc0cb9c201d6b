// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace forms {

int TwipsToPixels(int twips, int dpi)
{
    // twips * dpi / 1440 + 1/2, rounded down, in whole numbers: exact for
    // every design length at every density, negative ones included.
    const std::int64_t twice = 2 * std::int64_t { twips } * dpi + kTwipsPerInch;
    const std::int64_t divisor = 2 * std::int64_t { kTwipsPerInch };
    const std::int64_t quotient = twice / divisor;
    return static_cast<int>(twice % divisor < 0 ? quotient - 1 : quotient);
}

int LineWidth(int dpi)
{
    return dpi < kDesignDpi ? 1 : (dpi + kDesignDpi / 2) / kDesignDpi;
}

int TextInset(const Label& label, int dpi)
{
    return label.BorderStyle == Border::FixedSingle ? 2 * LineWidth(dpi) : 0;
}

int FontPixels(double points, int dpi)
{
    return static_cast<int>(std::lround(points * dpi / 72.0));
}

PixelRect PixelsOf(const Control& control, int dpi)
{
    return { TwipsToPixels(control.Left, dpi), TwipsToPixels(control.Top, dpi),
        TwipsToPixels(control.Left + control.Width, dpi), TwipsToPixels(control.Top + control.Height, dpi) };
}

int PageDensity(double ratio, double viewWidth, double viewHeight, bool touch, int formWidth, int formHeight)
{
    if (!touch)
        return static_cast<int>(std::lround(kDesignDpi * ratio));
    const double across = std::floor(viewWidth * ratio / formWidth);
    const double down = std::floor(viewHeight * ratio / formHeight);
    return kDesignDpi * static_cast<int>(std::max(1.0, std::min(across, down)));
}

} // namespace forms
