// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/platform.h"

#include <string>
#include <vector>

namespace forms::web {

class FormPage;

// The platform services in a browser, for a program of one form page. The
// program runs on the browser's one thread: where it waits (for an event,
// a frame, the message box's OK) it is suspended with Asyncify and the
// browser goes on, so the game's code runs unchanged.
class WebPlatform : public Platform {
public:
    void SetMainWindow(FormPage* page) { page_ = page; }
    // Handles events until Quit; idle, the page takes no time.
    void Run();
    // Yields to the browser for one frame, then handles what came.
    void DoEvents() override;
    void ShowMessage(const Message& message) override;
    void ShowFatal(const Message& report) override;
    void Quit(int exitStatus) override;
    // The browser's languages (navigator.languages), most preferred first.
    static std::vector<std::string> PreferredLanguages();

private:
    void HandlePending();

    FormPage* page_ = nullptr;
    std::string report_; // the fatal error's, for the page's end
    bool quit_ = false;
};

} // namespace forms::web
