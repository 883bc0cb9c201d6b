// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

#include "forms/form.h"
#include "forms/runtime.h"

#include <functional>
#include <memory>

namespace forms::qt {

struct ProgramInfo {
    const char* Name;
    const char* Version;
    const char* DesktopFileName;
};

using FormFactory = std::function<std::unique_ptr<Form>(Runtime&)>;

// Sets the running application up as the program has it: its name, version
// and desktop file, the font substitutes and the frame style. The runtime,
// not the closing of the last window, ends the program.
void ConfigureApplication(const ProgramInfo& info);

// Runs a program of one form: creates the form, runs its load event, shows
// its window and runs the event loop until the program ends. Returns the
// exit status: 0 when the window was closed or the program ended itself,
// 1 after a fatal run-time error.
int RunProgram(int argc, char** argv, const ProgramInfo& info, const FormFactory& createForm);

} // namespace forms::qt
