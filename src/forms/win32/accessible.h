// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// What a control's window tells assistive technology through Active
// Accessibility, which Windows screen readers and UI Automation's bridge
// read: the control's own role, AccessibleName and AccessibleDescription over
// the system's standard object for the window, which still tells where the
// window is, its state and its place in the tree.

#include "forms/controls.h"

#include <windows.h>

namespace forms::win32 {

// Ties a control's window to its control for as long as both live.
void AttachControl(HWND window, const Control& control);
void DetachControl(HWND window);
// The control shown by the window; null for any other window.
const Control* AttachedControl(HWND window);

// The answer to WM_GETOBJECT for the control's window, or 0 when the object
// asked for is not the window's client object (the system answers that).
LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId);

// Tells assistive technology that the control's name or description changed.
void NotifyNameChanged(HWND window);
void NotifyDescriptionChanged(HWND window);

} // namespace forms::win32
