// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/platform.h"
#include "forms/random.h"

#include <windows.h>

#include <string>

namespace forms::win32 {

class FormWindow;

// The platform services on Windows, for a program of one form window.
class Win32Platform : public Platform {
public:
    explicit Win32Platform(std::string programName)
        : programName_(std::move(programName))
    {
    }

    // Message boxes are modal to this window, Quit takes it away, and the
    // keys it handles itself reach it during DoEvents too.
    void SetMainWindow(FormWindow* window) { window_ = window; }

    void DoEvents() override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void Randomize() override { random_.SeedFromClock(); }
    double Rnd() override { return random_.Next(); }
    void ReportFatal(const RuntimeError& error) override;
    void Quit(int exitStatus) override;

    // Runs the event loop until Quit.
    void Run();

private:
    void Dispatch(MSG& message);
    HWND Owner() const;

    std::string programName_;
    FormWindow* window_ = nullptr;
    RandomSource random_;
};

} // namespace forms::win32
