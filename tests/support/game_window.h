#pragma once

// The game's window, built and shown the way the program does it, on the
// platform the test chooses.

#include "forms/qt/form_window.h"
#include "window/frmMain.h"

template <typename Platform>
struct GameWindow {
    Platform platform;
    forms::Runtime runtime { platform };
    frmMain form { runtime };
    forms::qt::FormWindow window { form, runtime };

    // Loads the form and shows its window.
    void Start()
    {
        if constexpr (requires { platform.SetMainWindow(&window); })
            platform.SetMainWindow(&window);
        runtime.Load(form);
        window.show();
        window.FocusFirstButton();
    }
    QWidget* Widget(const forms::Control& control) const { return window.WidgetOf(control); }
};
