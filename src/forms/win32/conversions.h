// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// From the forms runtime's units and values to Win32's: twips to pixels at a
// monitor's DPI, colours, fonts and texts.

#include "forms/controls.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace forms::win32 {

// The control's rectangle in the client area, in pixels at dpi.
RECT PixelRect(const Control& control, UINT dpi);
// The form's client area, in pixels at dpi.
SIZE ClientSize(int widthTwips, int heightTwips, UINT dpi);

// An explicit colour as GDI takes it (0x00BBGGRR, as the runtime writes
// colours), or the system colour's value in the current colour scheme.
COLORREF ToColorRef(Color color);

// The font at dpi, in the design's face or the one that stands in for it.
// The caller owns the font.
HFONT CreateFontFor(const StdFont& font, UINT dpi);

std::wstring Widen(std::string_view utf8);

} // namespace forms::win32
