// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The services of the desktop that the runtime uses. Each backend implements
// them for real; tests script them. What they show and when is the
// runtime's to decide: a backend only carries it out.

#include <string>

namespace forms {

// The icon of a message box.
enum class MessageIcon { None, Critical, Question, Exclamation, Information };

// A modal message box with an OK button.
struct Message {
    std::string Title;
    std::string Text;
    MessageIcon Icon = MessageIcon::None;
};

class Platform {
public:
    virtual ~Platform() = default;

    // Processes all pending window events once, then returns.
    virtual void DoEvents() = 0;
    // Shows the message modal to the program's window and returns once the
    // player has dismissed it.
    virtual void ShowMessage(const Message& message) = 0;
    // Shows the report of the fatal error that ends the program, as a
    // message; Quit follows.
    virtual void ShowFatal(const Message& report) { ShowMessage(report); }
    // Takes the program's windows away and makes the event loop, if it
    // runs, return exitStatus. Returns to its caller.
    virtual void Quit(int exitStatus) = 0;
};

} // namespace forms
