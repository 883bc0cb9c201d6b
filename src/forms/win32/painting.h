// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// How the runtime's own controls look: labels and shapes, which the old
// forms platforms drew on the form themselves rather than as system
// controls. Buttons are the system's.

#include "forms/controls.h"

#include <windows.h>

#include <string_view>

namespace forms::win32 {

// A label filling rect: its background, its frame and its text.
void PaintLabel(HDC dc, RECT rect, const Label& label, std::wstring_view text, HFONT font, UINT dpi);
// A shape filling rect, over the form's background.
void PaintShape(HDC dc, RECT rect, const Shape& shape, Color formBack, UINT dpi);

} // namespace forms::win32
