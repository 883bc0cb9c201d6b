// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The game's window on the real platform services, started as the program
// starts it, with a hook at each DoEvents: the place to click, or to
// measure, while the reels spin.

#include "forms/qt/form_window.h"
#include "forms/qt/qt_platform.h"
#include "machine.h"

#include <functional>

struct HookedPlatform : forms::qt::QtPlatform {
    std::function<void(int)> onDoEvents; // runs at each DoEvents with its count
    int sweeps = 0;
    void DoEvents() override
    {
        QtPlatform::DoEvents();
        if (onDoEvents)
            onDoEvents(++sweeps);
    }
};

struct QtGame : Started<forms::qt::FormWindow, HookedPlatform> {
    QWidget* operator[](const forms::Control& c) const { return window.WidgetOf(c); }
};

// `play(QtGame&)` runs where the program runs Qt's event loop: the window
// shown, with the focus on its first enabled button.
template <typename Play>
void PlayQt(Play&& play)
{
    RunGame<forms::qt::FormWindow, HookedPlatform>([&](Started<forms::qt::FormWindow, HookedPlatform>& started) {
        QtGame game { started };
        play(game);
    });
}
