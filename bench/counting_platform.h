// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// Passes every service on to another platform, and calls back at each
// DoEvents with its 1-based count: a place to click, or to measure, while
// the reels spin on a real platform.

#include "forms/platform.h"

#include <functional>

class CountingPlatform : public forms::Platform {
public:
    explicit CountingPlatform(forms::Platform& inner)
        : inner_(inner)
    {
    }

    std::function<void(int)> onDoEvents;
    int doEventsCount = 0;

    void DoEvents() override
    {
        inner_.DoEvents();
        ++doEventsCount;
        if (onDoEvents)
            onDoEvents(doEventsCount);
    }
    int MsgBox(const std::string& prompt, int style, const std::string& title) override
    {
        return inner_.MsgBox(prompt, style, title);
    }
    void Randomize() override { inner_.Randomize(); }
    double Rnd() override { return inner_.Rnd(); }
    void ReportFatal(const forms::RuntimeError& error) override { inner_.ReportFatal(error); }
    void Quit(int exitStatus) override { inner_.Quit(exitStatus); }

private:
    forms::Platform& inner_;
};
