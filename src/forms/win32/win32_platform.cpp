// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "win32_platform.h"

#include "conversions.h"
#include "form_window.h"

namespace forms::win32 {

void Win32Platform::Dispatch(MSG& message)
{
    if (MainWindow() != nullptr && MainWindow()->PreTranslate(message))
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
    if (MainWindow() == nullptr || IsWindowVisible(MainWindow()->Handle()) == FALSE)
        return nullptr;
    return MainWindow()->Handle();
}

void Win32Platform::ShowMessage(const Message& message)
{
    UINT icon = 0;
    switch (message.Icon) {
    case MessageIcon::Critical:
        icon = MB_ICONERROR;
        break;
    case MessageIcon::Question:
        icon = MB_ICONQUESTION;
        break;
    case MessageIcon::Exclamation:
        icon = MB_ICONWARNING;
        break;
    case MessageIcon::Information:
        icon = MB_ICONINFORMATION;
        break;
    case MessageIcon::None:
        break;
    }
    MessageBoxW(Owner(), Widen(message.Text).c_str(), Widen(message.Title).c_str(), MB_OK | icon);
}

void Win32Platform::Quit(int exitStatus)
{
    if (MainWindow() != nullptr)
        MainWindow()->Hide();
    PostQuitMessage(exitStatus);
}

std::vector<std::string> Win32Platform::PreferredLanguages() const
{
    ULONG count = 0;
    ULONG size = 0;
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) == FALSE || size == 0)
        return {};
    std::wstring names(size, L'\0');
    if (GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size) == FALSE)
        return {};
    // A list of names, each ended by a null, ended by another. The names
    // are ASCII ("ja-JP"): any other character makes a name that no
    // catalogue has.
    std::vector<std::string> languages;
    std::string name;
    for (const wchar_t c : names) {
        if (c != L'\0') {
            name += c < 0x80 ? static_cast<char>(c) : '?';
        } else if (!name.empty()) {
            languages.push_back(name);
            name.clear();
        }
    }
    return languages;
}

} // namespace forms::win32
