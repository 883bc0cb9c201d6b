// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "fonts.h"

#include <span>
#include <utility>

namespace forms {

namespace {

// The Japanese UI face goes by its Japanese and its Latin name. Outside
// Japan it is an optional feature of Windows: then the other Japanese UI
// faces, and IPAPGothic, which has its metrics (a Linux desktop's, which
// Wine finds too), or the other Japanese faces of Linux desktops.
constexpr std::string_view kGothic[] = { "MS PGothic", "Meiryo UI", "Yu Gothic UI", "IPAPGothic", "VL PGothic",
    "Noto Sans CJK JP" };
// Liberation Sans has Arial's metrics.
constexpr std::string_view kArial[] = { "Liberation Sans" };
// The proportional sans-serif faces that every Windows (Segoe UI), Wine
// (Tahoma) and Debian desktop with the game (Liberation Sans) has.
constexpr std::string_view kSans[] = { "Arial", "Liberation Sans", "Segoe UI", "Tahoma" };

constexpr std::pair<std::string_view, std::span<const std::string_view>> kLookAlikes[] = {
    { "ＭＳ Ｐゴシック", kGothic },
    { "MS PGothic", std::span(kGothic).subspan(1) },
    { "Arial", kArial },
};

} // namespace

std::string_view InstalledFace(std::string_view face, const std::function<bool(std::string_view)>& installed)
{
    if (installed(face))
        return face;
    const auto first = [&installed](std::span<const std::string_view> faces) -> std::string_view {
        for (std::string_view candidate : faces) {
            if (installed(candidate))
                return candidate;
        }
        return {};
    };
    for (const auto& [designFace, lookAlikes] : kLookAlikes) {
        if (designFace == face) {
            if (std::string_view found = first(lookAlikes); !found.empty())
                return found;
        }
    }
    const std::string_view sans = first(kSans);
    return sans.empty() ? face : sans;
}

} // namespace forms
