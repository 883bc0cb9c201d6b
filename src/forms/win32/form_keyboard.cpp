// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The keys that a form handles before the focused control sees them, and the
// clicks of its buttons.

#include "form_window.h"

namespace forms::win32 {

bool FormWindow::PreTranslate(MSG& message)
{
    if (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE)
        return false;
    // Return clicks the focused button, as Space does; a held key clicks
    // once. (The dialog manager would send it to a default button instead.)
    if ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) && message.wParam == VK_RETURN) {
        HWND focused = GetFocus();
        if (Focus() == nullptr || focused != HandleOf(*Focus()))
            return false;
        const bool repeated = (message.lParam & (LPARAM { 1 } << 30)) != 0;
        if (message.message == WM_KEYDOWN && !repeated)
            Clicked(focused);
        return true;
    }
    // Tab and Shift+Tab among the enabled buttons; Space on a button.
    return IsDialogMessageW(window_, &message) != FALSE;
}

void FormWindow::Clicked(HWND button)
{
    if (Child* child = ChildOf(button)) {
        if (auto* control = dynamic_cast<CommandButton*>(child->control))
            ViewedRuntime().Click(*control);
    }
}

} // namespace forms::win32
