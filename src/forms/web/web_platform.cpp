// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "web_platform.h"

#include "dom.h"
#include "form_page.h"
#include "forms/language.h"

#include <array>

namespace forms::web {

void WebPlatform::Run()
{
    while (!quit_) {
        forms_web_wait();
        HandlePending();
    }
}

void WebPlatform::DoEvents()
{
    forms_web_yield();
    HandlePending();
}

void WebPlatform::HandlePending()
{
    // The page's events in the order they came, each with what it posted
    // after it; an event that ended the program leaves the rest unhandled.
    for (int event = forms_web_next_event(); !quit_; event = forms_web_next_event()) {
        if (event != 0 && page_ != nullptr)
            page_->Handle(event / 65536, event % 65536);
        while (!posted_.empty() && !quit_) {
            const std::function<void()> call = std::move(posted_.front());
            posted_.pop_front();
            call();
        }
        if (event == 0)
            break;
    }
}

void WebPlatform::ShowMessage(const Message& message)
{
    last_ = message;
    forms_web_message(message.Title.c_str(), message.Text.c_str(), static_cast<int>(message.Icon));
}

void WebPlatform::Quit(int exitStatus)
{
    // The page says how the program ended: after a fatal error, with the
    // report that the runtime has just shown.
    quit_ = true;
    posted_.clear();
    forms_web_end(exitStatus, exitStatus == 0 ? "" : last_.Text.c_str());
}

std::vector<std::string> WebPlatform::PreferredLanguages()
{
    std::array<char, 512> list {};
    if (forms_web_languages(list.data(), list.size()) == 0)
        return {};
    return LanguageList(list.data(), ',');
}

} // namespace forms::web
