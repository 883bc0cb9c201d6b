// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// A program of one form on Windows.

#include "forms/program.h"

#include "form_window.h"
#include "win32_platform.h"

#include <commctrl.h>
#include <objbase.h>

namespace forms {

namespace {

// The thread's COM apartment, which hands the controls' accessible objects
// to screen readers.
class ComApartment {
public:
    ComApartment()
        : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
    }
    ~ComApartment()
    {
        if (initialized_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

} // namespace

int RunProgram(int, char**, const ProgramInfo& info, const FormFactory& createForm)
{
    const ComApartment com;
    // The system's themed buttons, which the program's manifest asks for.
    const INITCOMMONCONTROLSEX controls { sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES };
    InitCommonControlsEx(&controls);
    win32::Win32Platform platform;
    const int status = RunForm<win32::FormWindow>(platform, info, createForm);
    // A quit that the loop did not take (the program ended in its load)
    // must not end the next loop this thread runs.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) { }
    return status;
}

} // namespace forms
