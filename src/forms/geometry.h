// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// From a design in twips to the pixels of a screen of any density.

#include "controls.h"

namespace forms {

inline constexpr int kTwipsPerInch = 1440;
// The density at which a design has 15 twips to the pixel: a backend whose
// toolkit scales for the screen itself works at this one.
inline constexpr int kDesignDpi = 96;

// The edges of a rectangle in whole pixels; Right and Bottom lie just past it.
struct PixelRect {
    int Left, Top, Right, Bottom;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const PixelRect&) const = default;
};

// A length in twips from the origin as whole pixels at dpi, rounded half up.
int TwipsToPixels(int twips, int dpi);

// The width of one line of a frame: one pixel at 96 dpi, the nearest whole
// number of pixels above, never less than one.
int LineWidth(int dpi);

// How far a label's text area lies inside its box: its frame's width (two
// lines, for the sunken frame), or nothing. The text is clipped at the area.
// A line wider than the area, as a look-alike face may draw a glyph wider
// than the design's face did (Liberation Sans Bold's % in a reel cell),
// overflows it as the alignment puts it, a centred one on both sides alike,
// as the design's platform draws it: so such a glyph loses no more than a
// sliver of its edges' smoothing on each side, never a stroke.
int TextInset(const Label& label, int dpi);

// A font's size in points as the nearest whole number of pixels at dpi.
int FontPixels(double points, int dpi);

// The control's rectangle at dpi. Each edge is rounded on its own, not the
// width and the height, so that controls that meet in twips meet on the
// screen, and a control keeps its place, at every density.
PixelRect PixelsOf(const Control& control, int dpi);

// The density, in dots per inch of device pixels, that a page lays out a form
// of formWidth × formHeight design pixels (at 96 dpi) at, in a view of
// viewWidth × viewHeight CSS pixels with `ratio` device pixels to the CSS
// pixel. On a desktop, the browser's own (its zoom and the screen's ratio
// together), so that the form keeps its design size. On a touch screen the
// form fills the width (or the height, if that is the narrower fit) with
// each design pixel a whole number of device pixels, at least one.
int PageDensity(double ratio, double viewWidth, double viewHeight, bool touch, int formWidth, int formHeight);

} // namespace forms
