// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/program.h"

#include <string>
#include <vector>

namespace forms::web {

class FormPage;

// The platform services in a browser, for a program of one form page. The
// program runs on the browser's one thread: where it waits (for an event,
// a frame, the message box's OK) it is suspended with Asyncify and the
// browser goes on, so the game's code runs unchanged.
class WebPlatform : public BackendPlatform<FormPage> {
public:
    void Run() override;
    // Yields to the browser for one frame, then handles what came.
    void DoEvents() override;
    void ShowMessage(const Message& message) override;
    void ShowFatal(const Message& report) override;
    void Quit(int exitStatus) override;
    // The browser's languages (navigator.languages), most preferred first.
    std::vector<std::string> PreferredLanguages() const override;
    // The page's own texts, and its lang, in the program's language.
    void UseLanguage(std::string_view language) override;

private:
    void HandlePending();

    std::string report_; // the fatal error's, for the page's end
    bool quit_ = false;
};

} // namespace forms::web
