// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A program of one form, as the backend it is linked with runs it: Qt
// Widgets on Linux, Win32 on Windows, the DOM in a browser.

#include "form.h"
#include "language.h"
#include "platform.h"
#include "runtime.h"
#include "view.h"

#include <concepts>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// backend defines it, with RunForm.
int RunProgram(int argc, char** argv, const ProgramInfo& info, const FormFactory& createForm);

// A backend's platform services: the runtime's, and what RunForm needs
// besides, for a program whose one window is a Window.
template <typename Window>
class BackendPlatform : public Platform {
public:
    // Message boxes are modal to the window, and Quit takes it away; null
    // once it is gone.
    void SetMainWindow(Window* window) { window_ = window; }
    // The player's languages, most preferred first, as the system gives
    // them ("ja-JP", "de_DE.UTF-8", "en").
    virtual std::vector<std::string> PreferredLanguages() const = 0;
    // The language that the program's texts are in from here on, as
    // gettext names it ("zh_TW"; "en" for English), for what the platform
    // shows of its own around the form.
    virtual void UseLanguage(std::string_view /*language*/) { }
    // Handles events until Quit; idle, the program takes no time.
    virtual void Run() = 0;

protected:
    Window* MainWindow() const { return window_; }

private:
    Window* window_ = nullptr;
};

// What a backend gives RunForm: a form's window, which draws the form's
// controls as its FormView follows them, turns the player's input into the
// form's events, and puts itself on the screen (FormView::Show); and its
// platform services.
template <typename Window>
concept BackendWindow = std::derived_from<Window, FormView> && std::constructible_from<Window, Form&, Runtime&>;
template <typename Window, typename Services>
concept Backend = BackendWindow<Window> && std::derived_from<Services, BackendPlatform<Window>>;

// RunProgram on a backend: the order in which every program starts.
template <typename Window, typename Services>
int RunForm(Services& platform, const ProgramInfo& info, const FormFactory& createForm)
{
    static_assert(Backend<Window, Services>, "a backend's window and platform services, as Backend states");
    const Catalogue* catalogue = ChooseCatalogue(info.Catalogues, platform.PreferredLanguages());
    UseCatalogue(catalogue);
    platform.UseLanguage(catalogue == nullptr ? "en" : catalogue->Language);
    Runtime runtime(platform, info.Name);
    const std::unique_ptr<Form> form = createForm(runtime);
    Window window(*form, runtime);
    platform.SetMainWindow(&window);
    // The load may end the program (End, or a fatal error) before the window
    // is ever shown.
    runtime.Load(*form);
    if (!runtime.Ended()) {
        window.Show();
        window.FocusFirstButton();
        platform.Run();
    }
    platform.SetMainWindow(nullptr);
    return runtime.ExitStatus();
}

} // namespace forms
