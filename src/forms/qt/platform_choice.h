// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

namespace forms::qt {

// Chooses the window system once, before the QApplication is made. Qt runs
// as a native Wayland client whenever a compositor answers; where that
// compositor leaves window decorations to its clients, Qt's own title bar
// is too narrow for the window's title and offers a maximise button that a
// fixed-size window must not have. There, if the compositor's X server
// (Xwayland) is there too, the program runs on it, and the compositor's
// window manager draws the frame. A player's own QT_QPA_PLATFORM is left
// as it is, and so is Qt's -platform argument, which overrides it anyway.
void ChoosePlatform();

} // namespace forms::qt
