// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

namespace forms::qt {

// Has the application's style draw the sunken panel frames of labels on
// whole device pixels. At a fractional scale factor (QT_SCALE_FACTOR=1.5)
// the style's own one-pixel lines fall between device pixels, and the last
// one of a widget whose edge does too is lost. Call once the QApplication
// exists, before any window is shown.
void UseDevicePixelFrames();

} // namespace forms::qt
