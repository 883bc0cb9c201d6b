// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// From the forms runtime's units and values to Qt's.

#include "forms/controls.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

#include <string_view>

namespace forms::qt {

// The control's rectangle in logical pixels: Qt's high-DPI scaling does the
// rest.
QRect PixelRect(const Control& control);

// A colour 0x00BBGGRR, or a system colour 0x800000nn taken from the palette.
QColor ToQColor(Color color, const QPalette& palette);

// A control's text colour over its own background, with the desktop's
// colour scheme in `scheme`: a system colour follows the scheme only while
// it stays legible on an explicit background.
QColor ToQTextColor(Color fore, Color back, const QPalette& scheme);

// The font in the design's face, or in the face that stands in for it.
QFont ToQFont(const StdFont& font);

inline QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace forms::qt
