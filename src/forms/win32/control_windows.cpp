// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The controls' own windows: labels and shapes, which the form paints, and
// the system's buttons, which tell assistive technology what the form says
// of them.

#include "form_window.h"

#include "accessible.h"
#include "conversions.h"
#include "painting.h"

#include <commctrl.h>

namespace forms::win32 {

LRESULT CALLBACK FormWindow::ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(GetParent(window), GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return Guarded(self->ViewedRuntime(), [&]() -> LRESULT {
        switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            if (const Child* child = self->ChildOf(window)) {
                if (const auto* label = dynamic_cast<const Label*>(child->control))
                    PaintLabel(dc, client, *label, Widen(label->Caption.Get()), self->FontOf(*label), self->dpi_);
                else if (const auto* shape = dynamic_cast<const Shape*>(child->control))
                    PaintShape(dc, client, *shape, self->ViewedForm().BackColor, self->dpi_);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1; // painted whole at WM_PAINT
        case WM_GETOBJECT:
            if (const LRESULT object = AnswerGetObject(window, wParam, lParam); object != 0)
                return object;
            break;
        case WM_NCDESTROY:
            DetachControl(window);
            break;
        default:
            break;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    });
}

LRESULT CALLBACK FormWindow::ButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
    DWORD_PTR form)
{
    if (message == WM_SETFOCUS) {
        // Tab, a click, or the form itself.
        if (const Control* control = AttachedControl(window))
            reinterpret_cast<FormWindow*>(form)->FocusTaken(*control);
    } else if (message == WM_GETOBJECT) {
        if (const LRESULT object = AnswerGetObject(window, wParam, lParam); object != 0)
            return object;
    } else if (message == WM_NCDESTROY) {
        DetachControl(window);
        RemoveWindowSubclass(window, &ButtonProc, 0);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

} // namespace forms::win32
