// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The game's form on the plain forms runtime, with a platform for tests:
// scripted random draws and event processing, and a record of the message
// boxes and the ending. The game on a backend, started as the program starts
// it. And values written out in a row, for checks that show every value.

#include "forms/program.h"
#include "version.h"
#include "window/frmMain.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
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
    forms::Runtime runtime { platform, kAppName, platform };
    frmMain form { runtime };
};

// The game on a backend's window and platform services, as forms::RunForm
// starts it.
template <typename Window, typename Services>
struct Started {
    forms::Runtime& runtime;
    frmMain& f;
    Window& window;
    Services& platform;
};

// Starts the game on the backend's Window and Services as the program does;
// `play(Started<Window, Services>&)` runs in place of the event loop, the
// window shown with the focus on its first enabled button.
template <typename Window, typename Services, typename Play>
void RunGame(Play&& play)
{
    forms::Runtime* runtime = nullptr;
    frmMain* form = nullptr;
    bool played = false;
    struct Playing : Services {
        std::function<void(Window&)> loop;
        void Run() override { loop(*this->MainWindow()); }
    } platform;
    platform.loop = [&](Window& window) { Started<Window, Services> game { *runtime, *form, window, platform }; played = true; play(game); };
    const auto create = [&](forms::Runtime& made) { runtime = &made; auto game = std::make_unique<frmMain>(made); form = game.get(); return game; };
    forms::RunForm<Window>(platform, { kAppName, kAppVersion, kAppId }, create);
    if (!played) { // a test that would pass without having run
        std::fputs("the game ended in its load\n", stderr);
        std::abort();
    }
}

// Values written out in a row: two rows compare as their texts, and a check
// that fails shows both.
template <typename... T>
std::string Values(const T&... values)
{
    std::ostringstream row;
    ((row << values << "; "), ...);
    return row.str();
}
