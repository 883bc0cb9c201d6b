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
    void DoEvents() override;
    void ShowMessage(const Message& message) override;
    void Quit(int exitStatus) override;
    // The player's languages, as gettext reads them from the environment.
    std::vector<std::string> PreferredLanguages() const override;
    void Run() override;
};

} // namespace forms::qt
