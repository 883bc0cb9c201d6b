// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The keyboard on a form: which button has the focus, where it goes when
// buttons are enabled and disabled, and the keys that a form handles before
// the focused control sees them.

#include "form_window.h"

#include <algorithm>

namespace forms::win32 {

bool FormWindow::PreTranslate(MSG& message)
{
    if (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE)
        return false;
    // Return clicks the focused button, as Space does; a held key clicks
    // once. (The dialog manager would send it to a default button instead.)
    if ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) && message.wParam == VK_RETURN) {
        HWND focused = GetFocus();
        if (std::find(tabOrder_.begin(), tabOrder_.end(), focused) == tabOrder_.end())
            return false;
        const bool repeated = (message.lParam & (LPARAM { 1 } << 30)) != 0;
        if (message.message == WM_KEYDOWN && !repeated)
            Clicked(focused);
        return true;
    }
    // Tab and Shift+Tab among the enabled buttons; Space on a button.
    return IsDialogMessageW(window_, &message) != FALSE;
}

HWND FormWindow::FocusedButton() const
{
    HWND focused = GetFocus();
    if (std::find(tabOrder_.begin(), tabOrder_.end(), focused) != tabOrder_.end())
        return focused;
    if (GetActiveWindow() != window_ && savedFocus_ != nullptr && IsWindowEnabled(savedFocus_) != FALSE)
        return savedFocus_;
    return nullptr;
}

HWND FormWindow::NextEnabledButton(HWND after) const
{
    const auto start = std::find(tabOrder_.begin(), tabOrder_.end(), after);
    const std::size_t first = start == tabOrder_.end() ? 0 : static_cast<std::size_t>(start - tabOrder_.begin()) + 1;
    for (std::size_t i = 0; i < tabOrder_.size(); ++i) {
        HWND button = tabOrder_[(first + i) % tabOrder_.size()];
        if (button != after && IsWindowEnabled(button) != FALSE)
            return button;
    }
    return nullptr;
}

void FormWindow::Enable(Child& child, bool enabled)
{
    if (!enabled) {
        // Disabling the focused button moves the focus on to the next enabled
        // one in tab order; with none left, to the form itself.
        const bool focused = FocusedButton() == child.window;
        HWND next = focused ? NextEnabledButton(child.window) : nullptr;
        EnableWindow(child.window, FALSE);
        if (focused) {
            savedFocus_ = next;
            if (GetActiveWindow() == window_)
                SetFocus(next != nullptr ? next : window_);
        }
        return;
    }
    EnableWindow(child.window, TRUE);
    // With no button focused, the next one enabled takes the focus, so the
    // game can always be played from the keyboard; it takes it once the
    // event that enabled it has been handled in full, so that a screen
    // reader, which speaks the button as the focus lands, hears what the
    // form has since told of it.
    if (FocusedButton() == nullptr)
        PostMessageW(window_, kFocusLater, 0, reinterpret_cast<LPARAM>(child.window));
}

void FormWindow::Clicked(HWND button)
{
    if (Child* child = ChildOf(button)) {
        if (auto* control = dynamic_cast<CommandButton*>(child->control))
            runtime_.Click(*control);
    }
}

} // namespace forms::win32
