// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/program.h"

#include <windows.h>

#include <string>
#include <vector>

namespace forms::win32 {

class FormWindow;

// The platform services on Windows, for a program of one form window.
// The keys that the main window handles itself reach it during DoEvents too.
class Win32Platform : public BackendPlatform<FormWindow> {
public:
    void DoEvents() override;
    void ShowMessage(const Message& message) override;
    void Quit(int exitStatus) override;
    // The user's preferred languages for Windows' own texts, most preferred
    // first: "ja-JP", "en-US".
    std::vector<std::string> PreferredLanguages() const override;
    void Run() override;

private:
    void Dispatch(MSG& message);
    HWND Owner() const;
};

} // namespace forms::win32
