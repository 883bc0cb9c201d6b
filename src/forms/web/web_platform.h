// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/platform.h"

#include <deque>
#include <functional>
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
    void Quit(int exitStatus) override;
    // The browser's languages (navigator.languages), most preferred first.
    static std::vector<std::string> PreferredLanguages();
    // Runs `call` once the event in hand has been handled in full.
    void Post(std::function<void()> call) { posted_.push_back(std::move(call)); }

private:
    void HandlePending();

    FormPage* page_ = nullptr;
    std::deque<std::function<void()>> posted_;
    Message last_; // the last message shown: a fatal error's report
    bool quit_ = false;
};

} // namespace forms::web
