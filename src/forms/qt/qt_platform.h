// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The platform services for real: Qt's event loop and message boxes, and a
// random generator seeded from the clock.

#include "forms/platform.h"
#include "forms/random.h"

#include <QPointer>
#include <QWidget>

namespace forms::qt {

class QtPlatform : public Platform {
public:
    // Message boxes are modal to this window, and Quit takes it away.
    void SetMainWindow(QWidget* window) { window_ = window; }

    void DoEvents() override;
    int MsgBox(const std::string& prompt, int style, const std::string& title) override;
    void Randomize() override { random_.SeedFromClock(); }
    double Rnd() override { return random_.Next(); }
    void ReportFatal(const RuntimeError& error) override;
    void Quit(int exitStatus) override;

private:
    QPointer<QWidget> window_;
    RandomSource random_;
};

} // namespace forms::qt
