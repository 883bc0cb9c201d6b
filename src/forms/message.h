// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// What a form's MsgBox asks for, and how the program tells the player of the
// run-time error that ends it.

#include "platform.h"
#include "runtime_error.h"

#include <string>

namespace forms {

// Message box styles: the buttons in the low four bits, the icon in the
// next three. MsgBox returns the button pressed.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbOK = 1;

// The message box of MsgBox(prompt, style, title); without a title, the
// program's name. A message with an OK button is all that a form may ask
// for: another button set, or an icon that is none of the four, raises
// "Invalid procedure call or argument" rather than show a box whose buttons
// or icon mean nothing.
Message MessageFor(const std::string& prompt, int style, const std::string& title, const std::string& programName);

// The report of a run-time error: "Run-time error 'N':", a blank line and
// the error's description, with the error icon and the program's name.
Message FatalReport(const RuntimeError& error, const std::string& programName);

} // namespace forms
