// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "controls.h"
#include "message.h"
#include "platform.h"
#include "random.h"

#include <optional>
#include <string>

namespace forms {

class Form;

// Runs a form's code: the one place that calls the game's event handlers
// (the event boundary), the services that the code calls (message boxes,
// random numbers, DoEvents, End), and the record of how the program ends.
//
// Handlers may raise RuntimeError; the boundary reports it in a message box
// (FatalReport) and ends the program with status 1. No exception ever leaves the
// boundary, so none crosses the frames of the window system that delivered
// the event. Once an ending is recorded the boundary refuses every further
// event, also those already queued behind it.
class Runtime {
public:
    // The program's name titles its message boxes. Random numbers come from
    // the runtime's own generator, or from `random`.
    Runtime(Platform& platform, std::string programName)
        : Runtime(platform, std::move(programName), ownRandom_)
    {
    }
    Runtime(Platform& platform, std::string programName, RandomSource& random)
        : platform_(platform)
        , programName_(std::move(programName))
        , random_(random)
    {
    }
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // Runs the form's load event.
    void Load(Form& form);
    // A click on a button: runs its handler if the button is enabled.
    void Click(CommandButton& button);
    // The player closed the form's window: the program ends with status 0.
    void Close();

    // Runs one handler at the event boundary. When it is the outermost
    // event and the program goes on, the form's controls are at rest.
    template <typename Handler>
    void RaiseEvent(Handler&& handler)
    {
        if (Ended())
            return;
        ++depth_;
        try {
            handler();
            if (depth_ == 1 && !Ended())
                AtRest();
        } catch (...) {
            Unwound(std::current_exception());
        }
        --depth_;
    }

    // Shows a message box (see MessageFor) and returns the button pressed.
    int MsgBox(const std::string& prompt, int style, const std::string& title);
    // Seeds the random generator from the clock.
    void Randomize() { random_.SeedFromClock(); }
    // The next uniform random number in [0, 1).
    double Rnd() { return random_.Next(); }
    // Ends the program at once: nothing of the game's code runs after it.
    [[noreturn]] void End();
    // Processes pending window events; when one of them ended the program,
    // unwinds the handler that called it.
    void DoEvents();

    bool Ended() const { return exitStatus_.has_value(); }
    int ExitStatus() const { return exitStatus_.value_or(0); }

private:
    // Thrown by End and DoEvents to unwind the game's code to the boundary.
    struct Ending { };

    void AtRest();
    void Unwound(const std::exception_ptr& error);
    // Reports the error that ends the program, and ends it with status 1.
    void Fatal(const RuntimeError& error);
    void Finish(int exitStatus);

    Platform& platform_;
    std::string programName_;
    RandomSource ownRandom_;
    RandomSource& random_;
    Form* form_ = nullptr; // the form whose events this runtime handles
    int depth_ = 0; // events being handled, the outermost included
    std::optional<int> exitStatus_;
};

} // namespace forms
