// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "colors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace forms {

namespace {

// The relative luminance of an sRGB colour 0x00BBGGRR.
double Luminance(Color color)
{
    const auto linear = [](Color channel) {
        const double c = static_cast<double>(channel & 0xFFu) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color) + 0.7152 * linear(color >> 8) + 0.0722 * linear(color >> 16);
}

// The text colours of the standard light scheme: black, but for the
// highlighted text (white) and the grey of disabled text.
constexpr std::array<std::pair<Color, Color>, 8> kStandardTextColors { {
    { SystemColor(7), 0x000000 }, // menu text
    { SystemColor(8), 0x000000 }, // window text
    { SystemColor(9), 0x000000 }, // title bar text
    { SystemColor(14), 0xFFFFFF }, // highlighted text
    { SystemColor(17), 0x6D6D6D }, // grey text
    { SystemColor(18), 0x000000 }, // button text
    { SystemColor(19), 0x000000 }, // inactive title bar text
    { SystemColor(23), 0x000000 }, // tooltip text
} };

} // namespace

double ContrastRatio(Color a, Color b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color LegibleSystemColor(Color system, Color scheme, Color background)
{
    if (ContrastRatio(scheme, background) >= kLegibleContrast)
        return scheme;
    const auto standard = std::find_if(kStandardTextColors.begin(), kStandardTextColors.end(),
        [system](const auto& entry) { return entry.first == system; });
    if (standard != kStandardTextColors.end() && ContrastRatio(standard->second, background) >= kLegibleContrast)
        return standard->second;
    constexpr Color black = 0x000000, white = 0xFFFFFF;
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

} // namespace forms
