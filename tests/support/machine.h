// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The game's form on the plain forms runtime, with a platform for tests:
// scripted random draws and event processing, and a record of the message
// boxes and the ending.

#include "window/frmMain.h"

#include <functional>
#include <optional>
#include <vector>

struct ScriptedPlatform : forms::Platform, forms::RandomSource {
    std::vector<double> draws; // what Rnd returns, in order, then 0
    std::size_t drawn = 0;
    std::function<void(int)> onDoEvents; // runs at each DoEvents with its count: the place to click
    int sweeps = 0;
    std::vector<std::string> boxes; // "title|text|icon"
    std::optional<int> quitStatus;

    void DoEvents() override
    {
        if (onDoEvents) onDoEvents(++sweeps);
    }
    void ShowMessage(const forms::Message& m) override { boxes.push_back(m.Title + "|" + m.Text + "|" + std::to_string(static_cast<int>(m.Icon))); }
    void Quit(int exitStatus) override { quitStatus = exitStatus; }
    void SeedFromClock() override { }
    double Next() override { return drawn < draws.size() ? draws[drawn++] : 0.0; }
};

struct Machine {
    ScriptedPlatform platform;
    forms::Runtime runtime { platform, "Vantu", platform };
    frmMain form { runtime };
};
