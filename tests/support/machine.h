// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The game's form on the plain forms runtime, with a platform for tests:
// scripted random draws and event processing, and a record of the message
// boxes, the fatal reports and the ending.

#include "forms/platform.h"
#include "window/frmMain.h"

#include <functional>
#include <optional>
#include <vector>

struct ScriptedPlatform : forms::Platform {
    std::vector<double> draws; // what Rnd returns, in order, then 0
    std::size_t drawn = 0;
    std::function<void(int)> onDoEvents; // runs at each DoEvents with its count: the place to click
    int sweeps = 0;
    std::vector<std::string> boxes; // "prompt|style|title"
    int fatalError = 0; // the number of the last fatal run-time error reported
    std::optional<int> quitStatus;

    void DoEvents() override { if (onDoEvents) onDoEvents(++sweeps); }
    int MsgBox(const std::string& prompt, int style, const std::string& title) override
    {
        boxes.push_back(prompt + "|" + std::to_string(style) + "|" + title);
        return forms::vbOK;
    }
    void Randomize() override { }
    double Rnd() override { return drawn < draws.size() ? draws[drawn++] : 0.0; }
    void ReportFatal(const forms::RuntimeError& error) override { fatalError = error.Number(); }
    void Quit(int exitStatus) override { quitStatus = exitStatus; }
};

struct Machine {
    ScriptedPlatform platform;
    forms::Runtime runtime { platform };
    frmMain form { runtime };
};
