// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A program of one form, as the backend it is linked with runs it: Qt on
// Linux, Win32 on Windows.

#include "form.h"
#include "language.h"
#include "runtime.h"

#include <functional>
#include <memory>
#include <span>

namespace forms {

struct ProgramInfo {
    const char* Name;
    const char* Version;
    const char* DesktopFileName;
    // The languages, besides English, of the texts the program adds.
    std::span<const Catalogue> Catalogues = {};
};

using FormFactory = std::function<std::unique_ptr<Form>(Runtime&)>;

// Creates the form, runs its load event, shows its window and runs the event
// loop until the program ends. Returns the exit status: 0 when the window was
// closed or the program ended itself, 1 after a fatal run-time error. Each
// backend defines it.
int RunProgram(int argc, char** argv, const ProgramInfo& info, const FormFactory& createForm);

// RunProgram on a backend's platform services and form window: the order in
// which every program starts. `run` shows the window, with the focus on its
// first enabled button, and runs the event loop until the program ends.
template <typename Window, typename Services, typename Run>
int RunForm(Services& platform, const ProgramInfo& info, const FormFactory& createForm, Run&& run)
{
    UseCatalogue(ChooseCatalogue(info.Catalogues, platform.PreferredLanguages()));
    Runtime runtime(platform, info.Name);
    const std::unique_ptr<Form> form = createForm(runtime);
    Window window(*form, runtime);
    platform.SetMainWindow(&window);
    // The load may end the program (End, or a fatal error) before the window
    // is ever shown.
    runtime.Load(*form);
    if (!runtime.Ended())
        run(window);
    platform.SetMainWindow(nullptr);
    return runtime.ExitStatus();
}

} // namespace forms
