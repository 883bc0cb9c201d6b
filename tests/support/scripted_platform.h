#pragma once

// A platform for tests: scripted random draws and event processing, and a
// record of the message boxes, fatal reports and the ending.

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

    std::vector<Box> boxes;
    std::vector<int> fatalErrors;
    std::optional<int> quitStatus;

    void DoEvents() override
    {
        if (onDoEvents)
            onDoEvents(++doEvents_);
    }
    int MsgBox(const std::string& prompt, int style, const std::string& title) override
    {
        boxes.push_back({ prompt, style, title });
        return forms::vbOK;
    }
    void Randomize() override { }
    double Rnd() override
    {
        if (draws.empty())
            return fallback_.Next();
        const double next = draws.front();
        draws.pop_front();
        return next;
    }
    void ReportFatal(const forms::RuntimeError& error) override { fatalErrors.push_back(error.Number()); }
    void Quit(int exitStatus) override { quitStatus = exitStatus; }

private:
    int doEvents_ = 0;
    forms::RandomSource fallback_ { 20261206 };
};
