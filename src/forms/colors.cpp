// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "colors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

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

// The standard light scheme, by system colour index, as #RRGGBB.
constexpr std::array<std::uint32_t, 25> kStandardScheme { 0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF,
    0x646464, 0x000000, 0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0,
    0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xFFFFE1 };

// The standard scheme's colour for a system colour, if it has one.
std::optional<Color> Standard(Color system)
{
    const std::uint32_t index = system & 0xFFu;
    if (!IsSystemColor(system) || index >= kStandardScheme.size())
        return std::nullopt;
    const std::uint32_t rgb = kStandardScheme[index];
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | (rgb >> 16);
}

} // namespace

double ContrastRatio(Color a, Color b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color StandardSchemeColor(Color system)
{
    return Standard(system).value_or(0x000000);
}

Color LegibleSystemColor(Color system, Color scheme, Color background)
{
    if (ContrastRatio(scheme, background) >= kLegibleContrast)
        return scheme;
    const std::optional<Color> standard = Standard(system);
    if (standard.has_value() && ContrastRatio(*standard, background) >= kLegibleContrast)
        return *standard;
    constexpr Color black = 0x000000, white = 0xFFFFFF;
    return ContrastRatio(black, background) >= ContrastRatio(white, background) ? black : white;
}

} // namespace forms
