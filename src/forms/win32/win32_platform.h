// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/platform.h"

#include <windows.h>

#include <string>
#include <vector>

namespace forms::win32 {

class FormWindow;

// The platform services on Windows, for a program of one form window.
class Win32Platform : public Platform {
public:
    // Message boxes are modal to this window, Quit takes it away, and the
    // keys it handles itself reach it during DoEvents too.
    void SetMainWindow(FormWindow* window) { window_ = window; }
    // Runs the event loop until Quit.
    void Run();

    void DoEvents() override;
    void ShowMessage(const Message& message) override;
    void Quit(int exitStatus) override;
    // The user's preferred languages for Windows' own texts, most preferred
    // first: "ja-JP", "en-US".
    static std::vector<std::string> PreferredLanguages();

private:
    void Dispatch(MSG& message);
    HWND Owner() const;

    FormWindow* window_ = nullptr;
};

} // namespace forms::win32
