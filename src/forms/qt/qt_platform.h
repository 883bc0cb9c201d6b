// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The platform services for real: Qt's event loop and message boxes.

#include "forms/program.h"

#include <string>
#include <vector>

namespace forms::qt {

class FormWindow;

class QtPlatform : public BackendPlatform<FormWindow> {
public:
    // Qt's event loop; a signal to end the program closes the window first.
    void Run() override;
    void DoEvents() override;
    // A QMessageBox, modal to the main window.
    void ShowMessage(const Message& message) override;
    // Hides the main window, and the event loop returns the status.
    void Quit(int exitStatus) override;
    // The player's languages, as gettext reads them from the environment.
    std::vector<std::string> PreferredLanguages() const override;
};

} // namespace forms::qt
