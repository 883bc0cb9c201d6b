// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The game's window on the real platform services, built and shown the way
// the program does it, with a hook at each DoEvents: the place to click, or
// to measure, while the reels spin.

#include "forms/qt/form_window.h"
#include "forms/qt/qt_platform.h"
#include "window/frmMain.h"

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

struct QtGame {
    HookedPlatform platform;
    forms::Runtime runtime { platform, "Vantu" };
    frmMain f { runtime };
    forms::qt::FormWindow window { f, runtime };

    QtGame()
    {
        platform.SetMainWindow(&window);
        runtime.Load(f);
        window.show();
        window.FocusFirstButton();
    }
    QWidget* operator[](const forms::Control& c) const { return window.WidgetOf(c); }
};
