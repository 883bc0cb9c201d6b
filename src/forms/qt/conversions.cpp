// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "conversions.h"

#include "forms/colors.h"
#include "forms/fonts.h"
#include "forms/geometry.h"

#include <QFontDatabase>

#include <array>
#include <utility>

namespace forms::qt {

QRect PixelRect(const Control& control)
{
    const forms::PixelRect edges = PixelsOf(control, kDesignDpi);
    return { edges.Left, edges.Top, edges.Width(), edges.Height() };
}

namespace {

// The palette role that stands in for each desktop system colour.
constexpr std::array<std::pair<unsigned, QPalette::ColorRole>, 22> kSystemColors { {
    { 0, QPalette::Button }, // scroll bars
    { 1, QPalette::Window }, // desktop
    { 2, QPalette::Highlight }, // active title bar
    { 3, QPalette::Mid }, // inactive title bar
    { 4, QPalette::Window }, // menu bar
    { 5, QPalette::Base }, // window background
    { 6, QPalette::Shadow }, // window frame
    { 7, QPalette::WindowText }, // menu text
    { 8, QPalette::WindowText }, // window text
    { 9, QPalette::HighlightedText }, // title bar text
    { 12, QPalette::Mid }, // application workspace
    { 13, QPalette::Highlight }, // highlight
    { 14, QPalette::HighlightedText }, // highlighted text
    { 15, QPalette::Button }, // button face
    { 16, QPalette::Dark }, // button shadow
    { 17, QPalette::PlaceholderText }, // grey text
    { 18, QPalette::ButtonText }, // button text
    { 20, QPalette::Light }, // button highlight
    { 21, QPalette::Shadow }, // 3-D dark shadow
    { 22, QPalette::Midlight }, // 3-D light
    { 23, QPalette::ToolTipText }, // tooltip text
    { 24, QPalette::ToolTipBase }, // tooltip background
} };

} // namespace

QColor ToQColor(Color color, const QPalette& palette)
{
    if (IsSystemColor(color)) {
        const unsigned index = color & 0xFFu;
        for (const auto& [number, role] : kSystemColors) {
            if (number == index)
                return palette.color(QPalette::Active, role);
        }
        return palette.color(QPalette::Active, QPalette::WindowText);
    }
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
        static_cast<int>((color >> 16) & 0xFFu));
}

QColor ToQTextColor(Color fore, Color back, const QPalette& scheme)
{
    const auto shown = [&scheme](Color system) {
        const QColor color = ToQColor(system, scheme);
        return static_cast<Color>(color.red()) | static_cast<Color>(color.green()) << 8
            | static_cast<Color>(color.blue()) << 16;
    };
    return ToQColor(TextColor(fore, back, shown), scheme);
}

QFont ToQFont(const StdFont& font)
{
    const std::string_view face = InstalledFace(font.Name,
        [](std::string_view name) { return QFontDatabase::hasFamily(ToQString(name)); });
    QFont result(ToQString(face));
    result.setPointSizeF(font.Size);
    result.setWeight(static_cast<QFont::Weight>(font.Weight));
    result.setItalic(font.Italic);
    result.setUnderline(font.Underline);
    result.setStrikeOut(font.Strikethrough);
    return result;
}

} // namespace forms::qt
