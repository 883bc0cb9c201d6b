// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The platform services for real: Qt's event loop and message boxes.

#include "forms/platform.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <vector>

namespace forms::qt {

class QtPlatform : public Platform {
public:
    // Message boxes are modal to this window, and Quit takes it away.
    void SetMainWindow(QWidget* window) { window_ = window; }

    void Run();
    void DoEvents() override;
    void ShowMessage(const Message& message) override;
    void Quit(int exitStatus) override;
    // The player's languages, as gettext reads them from the environment.
    static std::vector<std::string> PreferredLanguages();

private:
    QPointer<QWidget> window_;
};

} // namespace forms::qt
