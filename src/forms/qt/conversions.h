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

#include <string>

namespace forms::qt {

inline constexpr int kTwipsPerPixel = 15; // at 96 dpi; Qt's high-DPI scaling does the rest

int TwipsToPixels(int twips);
QRect PixelRect(const Control& control);

// A colour 0x00BBGGRR, or a system colour 0x800000nn taken from the palette.
QColor ToQColor(Color color, const QPalette& palette);

// A control's text colour over its own background, with the desktop's
// colour scheme in `scheme`: a system colour follows the scheme only while
// it stays legible on an explicit background.
QColor ToQTextColor(Color fore, Color back, const QPalette& scheme);

QFont ToQFont(const StdFont& font);

inline QString ToQString(const std::string& text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Makes the faces that the forms ask for resolve to installed look-alikes.
void RegisterFontSubstitutes();

} // namespace forms::qt
