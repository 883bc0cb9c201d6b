// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The services of the desktop that a form's code uses. The Qt backend
// implements them for real; tests script them.

#include "runtime_error.h"

#include <string>

namespace forms {

// Message box styles and answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbOK = 1;

class Platform {
public:
    virtual ~Platform() = default;

    // Processes all pending window events once, then returns.
    virtual void DoEvents() = 0;
    // Shows a modal message box and returns the answer (vbOK).
    virtual int MsgBox(const std::string& prompt, int style, const std::string& title) = 0;
    // Seeds the random generator from the clock.
    virtual void Randomize() = 0;
    // The next uniform random number in [0, 1).
    virtual double Rnd() = 0;
    // Tells the player of the run-time error that is about to end the program.
    virtual void ReportFatal(const RuntimeError& error) = 0;
    // Takes the program's windows away and makes the event loop, if it
    // runs, return exitStatus. Returns to its caller.
    virtual void Quit(int exitStatus) = 0;
};

} // namespace forms
