// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// A form rendered with Win32: one top-level window with one child window per
// control, which shows what the form's view tells it and turns the player's
// clicks, keys and the closing of the window into the form's events.
// Geometry and fonts follow the DPI of the monitor that the window is on.

#include "forms/view.h"

#include <windows.h>

#include <array>
#include <exception>
#include <map>
#include <string>
#include <vector>

namespace forms::win32 {

class FormWindow final : public FormView {
public:
    FormWindow(Form& form, Runtime& runtime);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    HWND Handle() const { return window_; }
    // The window that shows the control.
    HWND HandleOf(const Control& control) const;

    // Shows the window where the system places new windows.
    void Show() override;
    void Hide();
    // The keys that a form handles before the focused control sees them:
    // Tab and Shift+Tab among the enabled buttons, Return on the focused
    // button. True when the message has been handled.
    bool PreTranslate(MSG& message);

    // What the control's window paints with: the font of the control at the
    // window's DPI (null: the system's).
    HFONT FontOf(const Control& control) const;

private:
    struct Child {
        Control* control;
        HWND window;
    };

    // Posted to hand the focus to a button (PostFocus).
    static constexpr UINT kFocusLater = WM_APP + 1;
    void PostFocus(CommandButton& button) override;
    void MoveFocus(CommandButton* button) override;

    // Runs a window procedure's work; no exception leaves it into the
    // system's frames. One that escapes is the program's fatal error.
    template <typename Work>
    static LRESULT Guarded(Runtime& runtime, Work&& work)
    {
        try {
            return work();
        } catch (...) {
            runtime.RaiseEvent([error = std::current_exception()] { std::rethrow_exception(error); });
            return 0;
        }
    }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Labels and shapes, which the form paints.
    static LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The system's buttons, which the form tells assistive technology of.
    static LRESULT CALLBACK ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
        DWORD_PTR data);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void ShowCaption(TextControl& control) override;
    void ShowEnabled(CommandButton& button) override;
    void ShowBackColor(Shape& shape) override;
    void TellName(Control& control) override;
    void TellDescription(Control& control) override;
    Child* ChildOf(HWND window);
    // The child that shows the control, in children (const or not).
    template <typename Children>
    static auto FindChild(Children& children, const Control& control) -> decltype(&children.front())
    {
        for (auto& child : children) {
            if (child.control == &control)
                return &child;
        }
        return nullptr;
    }
    HWND CreateChild(Control& control, int id);
    // Places the window, its controls and their fonts for dpi.
    void Layout(UINT dpi, const RECT* suggested);
    // Clicks the button as the player did, at the event boundary.
    void Clicked(HWND button);

    HWND window_ = nullptr;
    HBRUSH background_ = nullptr;
    UINT dpi_ = 96;
    std::vector<Child> children_; // in the form's order
    std::map<const StdFont*, HFONT> fonts_; // at dpi_
    std::array<HICON, 2> icons_ {}; // the title bar's, large and small, at dpi_
};

} // namespace forms::win32
