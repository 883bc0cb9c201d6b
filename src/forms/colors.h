// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// How legible one colour is on another, and the rule that keeps a control's
// system colour legible over a background of the control's own, whatever
// colour scheme the desktop runs.

#include "controls.h"

namespace forms {

// WCAG 2's contrast between two explicit colours: from 1 (the same
// luminance) to 21 (black on white).
double ContrastRatio(Color a, Color b);

// Text reads well from this contrast on (WCAG 2, level AA).
inline constexpr double kLegibleContrast = 4.5;

// A system colour as the standard light scheme gives it (Windows 10's
// defaults: the scheme the design was drawn with); black for one that is
// not a system colour of that scheme.
Color StandardSchemeColor(Color system);

// The explicit colour to paint system colour `system` in over the explicit
// background `background`, where the desktop's colour scheme gives it as
// `scheme`. The scheme's colour while it stays legible there; else the
// standard light scheme's, the colour the design was drawn with (a dark
// mode on the game's original desktop never changed the window-text
// colour); else black or white, whichever reads better.
Color LegibleSystemColor(Color system, Color scheme, Color background);

// The explicit colour to draw a text of colour `fore` in over `back`, where
// scheme(c) gives system colour c as the desktop's scheme paints it: an
// explicit colour as it is; a system colour as the scheme gives it, kept
// legible (LegibleSystemColor) over an explicit background of the control's
// own. Over a system background the scheme keeps its own pairs legible.
template <typename Scheme>
Color TextColor(Color fore, Color back, Scheme&& scheme)
{
    if (!IsSystemColor(fore))
        return fore;
    const Color shown = scheme(fore);
    return IsSystemColor(back) ? shown : LegibleSystemColor(fore, shown, back);
}

} // namespace forms
