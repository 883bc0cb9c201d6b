#pragma once

// A platform for tests: scripted random draws and event processing, and a
// record of every service the game asked for.

#include "forms/platform.h"
#include "forms/random.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ScriptedPlatform : public forms::Platform {
public:
    struct Box {
        std::string prompt;
        int style;
        std::string title;
    };

    // The draws Rnd returns, in order; once they run out, a fixed-seed
    // generator takes over.
    std::deque<double> draws;
    // Runs at each DoEvents with its 1-based count: the place to click.
    std::function<void(int)> onDoEvents;

    // What the game asked for, in order: "Randomize", "Rnd", "DoEvents",
    // "MsgBox", "ReportFatal", "Quit".
    std::vector<std::string> calls;
    bool recordCalls = true;
    int doEventsCount = 0;
    std::vector<Box> boxes;
    std::vector<int> fatalErrors;
    std::optional<int> quitStatus;

    void DoEvents() override
    {
        if (recordCalls)
            calls.emplace_back("DoEvents");
        ++doEventsCount;
        if (onDoEvents)
            onDoEvents(doEventsCount);
    }
    int MsgBox(const std::string& prompt, int style, const std::string& title) override
    {
        calls.emplace_back("MsgBox");
        boxes.push_back({ prompt, style, title });
        return forms::vbOK;
    }
    void Randomize() override { calls.emplace_back("Randomize"); }
    double Rnd() override
    {
        calls.emplace_back("Rnd");
        if (draws.empty())
            return fallback_.Next();
        const double next = draws.front();
        draws.pop_front();
        return next;
    }
    void ReportFatal(const forms::RuntimeError& error) override
    {
        calls.emplace_back("ReportFatal");
        fatalErrors.push_back(error.Number());
    }
    void Quit(int exitStatus) override
    {
        calls.emplace_back("Quit");
        quitStatus = exitStatus;
    }

private:
    forms::RandomSource fallback_ { 20261206 };
};
