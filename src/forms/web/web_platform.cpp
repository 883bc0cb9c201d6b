// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "web_platform.h"

#include "dom.h"
#include "form_page.h"
#include "forms/language.h"

#include <array>

namespace forms::web {

namespace {

// The page's name for a message's icon.
const char* IconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Critical:
        return "error";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::Exclamation:
        return "warning";
    case MessageIcon::Information:
        return "information";
    case MessageIcon::None:
        break;
    }
    return "";
}

} // namespace

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
    for (;;) {
        int id = 0;
        const int kind = forms_web_next_event(&id);
        FormPage* page = MainWindow();
        if (quit_ || page == nullptr)
            return;
        if (kind != 0)
            page->Handle(kind, id);
        while (!quit_ && page->RunPosted()) { }
        if (kind == 0)
            return;
    }
}

void WebPlatform::ShowMessage(const Message& message)
{
    forms_web_message(message.Title.c_str(), message.Text.c_str(), IconName(message.Icon));
}

void WebPlatform::ShowFatal(const Message& report)
{
    report_ = report.Text;
    ShowMessage(report);
}

void WebPlatform::Quit(int exitStatus)
{
    // The page says how the program ended: after a fatal error, with its
    // report.
    quit_ = true;
    forms_web_end(exitStatus, report_.c_str());
}

void WebPlatform::UseLanguage(std::string_view language)
{
    forms_web_language(std::string(language).c_str());
}

std::vector<std::string> WebPlatform::PreferredLanguages() const
{
    std::array<char, 512> list {};
    if (forms_web_languages(list.data(), list.size()) == 0)
        return {};
    return LanguageList(list.data(), ',');
}

} // namespace forms::web
