// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A backend's real platform services with a hook at each DoEvents: the place
// to click, or to measure, while the reels spin.

#include <functional>

template <typename Platform>
struct HookedPlatform : Platform {
    using Platform::Platform;
    std::function<void(int)> onDoEvents; // runs at each DoEvents with its count
    int sweeps = 0;
    void DoEvents() override
    {
        Platform::DoEvents();
        if (onDoEvents)
            onDoEvents(++sweeps);
    }
};
