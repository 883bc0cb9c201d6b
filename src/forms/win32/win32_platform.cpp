// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "win32_platform.h"

#include "conversions.h"
#include "form_window.h"

namespace forms::win32 {

void Win32Platform::Dispatch(MSG& message)
{
    if (window_ != nullptr && window_->PreTranslate(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32Platform::DoEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The event loop that runs this one ends the program.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        Dispatch(message);
    }
}

void Win32Platform::Run()
{
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(message);
}

HWND Win32Platform::Owner() const
{
    if (window_ == nullptr || IsWindowVisible(window_->Handle()) == FALSE)
        return nullptr;
    return window_->Handle();
}

int Win32Platform::MsgBox(const std::string& prompt, int style, const std::string& title)
{
    // A message with an OK button is all that a form asks for; other button
    // sets are refused rather than shown with buttons that mean nothing.
    if ((style & 0x0F) != vbOKOnly)
        Raise(ErrorNumber::InvalidProcedureCall);
    // The runtime's icon styles are the system's own values.
    const auto icon = static_cast<UINT>(style & 0x70);
    const std::wstring caption = Widen(title.empty() ? programName_ : title);
    MessageBoxW(Owner(), Widen(prompt).c_str(), caption.c_str(), MB_OK | icon);
    return vbOK;
}

void Win32Platform::ReportFatal(const RuntimeError& error)
{
    const std::string text
        = "Run-time error '" + std::to_string(error.Number()) + "':\n\n" + std::string(error.Description());
    MessageBoxW(Owner(), Widen(text).c_str(), Widen(programName_).c_str(), MB_OK | MB_ICONERROR);
}

void Win32Platform::Quit(int exitStatus)
{
    if (window_ != nullptr)
        window_->Hide();
    PostQuitMessage(exitStatus);
}

} // namespace forms::win32
