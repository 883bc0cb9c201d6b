// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// vantu.exe as a screen reader meets it, from a process of its own: every
// control read through Active Accessibility, plays made by the buttons'
// default actions and by the keyboard, the focus heard through WinEvents,
// the reels seen turning on the screen, and a close in the middle of a spin.
// It finds the controls by the names it reads from the standard input, one a
// line in UTF-8: GO, the stop buttons from the left, and the reels' top left
// and bottom right cells. It judges nothing: it reports what it read, one
// line of tab-separated values at a time, and test_msaa.py judges that by
// the game's rules.

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

std::string Take(BSTR text)
{
    const std::wstring wide = text != nullptr ? text : L"";
    SysFreeString(text);
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

// A line of the report: the step, what it tells of, and its values.
void Report(const std::string& step, const std::string& what, const std::vector<std::string>& values)
{
    std::string line = step + '\t' + what;
    for (const std::string& value : values) line += '\t' + value;
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// What a control tells, and its answer to its default action when pressed.
struct Told {
    LONG role = 0, state = 0;
    std::string name, description, action;
    HRESULT pressed = E_FAIL;
};

Told Read(HWND window, bool press = false)
{
    Told told;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&object))))
        return told;
    VARIANT self {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    // A role or a state as a number; a role may come as a string.
    const auto number = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) { VARIANT value {}; const LONG n = (object->*get)(self, &value) == S_OK && value.vt == VT_I4 ? value.lVal : 0; VariantClear(&value); return n; };
    const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) { BSTR answer = nullptr; (object->*get)(self, &answer); return Take(answer); };
    told.role = number(&IAccessible::get_accRole);
    told.state = number(&IAccessible::get_accState);
    told.name = text(&IAccessible::get_accName);
    told.description = text(&IAccessible::get_accDescription);
    told.action = text(&IAccessible::get_accDefaultAction);
    if (press)
        told.pressed = object->accDoDefaultAction(self);
    object->Release();
    return told;
}

// The names of the objects that took the focus, as heard, and how many
// events came in all. Reading a name lets further events in, so each has its
// place before its name is read.
std::vector<std::string> focused;
int events = 0;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD, DWORD)
{
    ++events;
    if (event != EVENT_OBJECT_FOCUS)
        return;
    const std::size_t place = focused.size();
    focused.emplace_back();
    IAccessible* object = nullptr;
    VARIANT child {}; // an id, which needs no clearing
    if (FAILED(AccessibleObjectFromEvent(window, static_cast<DWORD>(objectId), static_cast<DWORD>(childId), &object, &child)))
        return;
    BSTR name = nullptr;
    object->get_accName(child, &name);
    object->Release();
    focused[place] = Take(name);
}

// Pumps this thread's messages, which bring the WinEvents, until `done`;
// false after `milliseconds` without.
template <typename Done>
bool WaitFor(Done done, ULONGLONG milliseconds = 30000)
{
    for (const ULONGLONG deadline = GetTickCount64() + milliseconds; !done(); MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT)) {
        if (GetTickCount64() > deadline)
            return false;
        for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE;)
            DispatchMessageW(&message);
    }
    return true;
}

// What the screen shows from the top left of one window to the bottom right
// of another, every third pixel, as the player sees it.
std::vector<COLORREF> Capture(HWND first, HWND last)
{
    RECT from, to;
    GetWindowRect(first, &from), GetWindowRect(last, &to);
    HDC screen = GetDC(nullptr);
    std::vector<COLORREF> pixels;
    for (int y = from.top; y < to.bottom; y += 3)
        for (int x = from.left; x < to.right; x += 3)
            pixels.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

// A key pressed and released, as the keyboard does it; held, it repeats.
void Key(WORD key, int repeats = 0)
{
    INPUT input { INPUT_KEYBOARD, { .ki = { key, 0, 0, 0, 0 } } };
    for (int i = 0; i <= repeats; ++i)
        SendInput(1, &input, sizeof(INPUT));
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(INPUT));
}

} // namespace

// What is left of the program when this ends, wine-desktop ends.
int main()
{
    std::vector<std::string> names;
    for (char line[256]; std::fgets(line, sizeof line, stdin) != nullptr;) names.emplace_back(line, std::strcspn(line, "\r\n"));
    if (names.size() != 6 || FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 2;
    const std::string& go = names[0];
    const std::vector<std::string> stops(names.begin() + 1, names.begin() + 4);
    std::wstring commandLine = L"vantu.exe";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    HWND form = nullptr;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process) == FALSE)
        return 1;
    SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &Hear, process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    if (!WaitFor([&] { return (form = FindWindowW(L"forms.Form", L"Vantu")) != nullptr && IsWindowVisible(form) != FALSE; }))
        return 1;
    std::vector<HWND> children; // every control's window, and by the name it tells
    std::map<std::string, HWND> windows;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(windows[Read(child).name] = child);
    const auto read = [&windows](const std::string& name, bool press = false) { return Read(windows.at(name), press); };
    const auto enabled = [&read](const std::string& name) { return (read(name).state & STATE_SYSTEM_UNAVAILABLE) == 0; };
    const auto hears = [](const std::string& name) { WaitFor([&name] { return !focused.empty() && focused.back() == name; }, 5000); };
    // What the step heard since the `from`th focus event, then what each
    // control tells: its role, state, name, description and default action.
    const auto report = [&children](const std::string& step, std::size_t from) {
        Report(step, "heard", { focused.begin() + static_cast<std::ptrdiff_t>(from), focused.end() });
        for (HWND child : children) {
            const Told t = Read(child);
            Report(step, "control", { std::to_string(t.role), std::to_string(t.state), t.name, t.description, t.action });
        }
    };

    // At the start: the window's title; ready when GO can be pressed, and
    // has the focus.
    const bool named = std::all_of(names.begin(), names.end(), [&windows](const std::string& name) { return windows.contains(name); });
    if (named)
        WaitFor([&] { return (read(go).state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSED)) == STATE_SYSTEM_FOCUSED; });
    char title[64] {};
    GetWindowTextA(form, title, sizeof title);
    Report("start", "title", { title });
    report("start", focused.size());
    if (!named)
        return 1;

    // A stop button before the play: its answer, and whether a play started.
    Report("early", "pressed", { std::to_string(read(stops[0], true).pressed) });
    Report("early", "started", { WaitFor([&] { return !enabled(go); }, 1000) ? "yes" : "no" });

    // A play by the buttons' default actions: GO, then each stop button as
    // it can be pressed. The reels turn on the screen: a later picture of
    // them differs, unless each reel has turned a whole round or not at all
    // since the first.
    std::size_t from = focused.size(); // Wine 10 tells of GO's focus when the window is shown, Wine 8 not
    std::vector<std::string> pressed { std::to_string(read(go, true).pressed) };
    hears(stops[0]);
    const auto reels = [&] { return Capture(windows.at(names[4]), windows.at(names[5])); };
    const std::vector<COLORREF> first = reels();
    Report("buttons", "turned", { WaitFor([&] { return reels() != first; }, 5000) ? "yes" : "no" });
    for (const std::string& stop : stops) {
        WaitFor([&] { return enabled(stop); });
        pressed.push_back(std::to_string(read(stop, true).pressed));
    }
    hears(go);
    Report("buttons", "pressed", pressed);
    report("buttons", from);

    // A play from the keyboard: Return held on GO; Tab on to the other stop
    // buttons and Space on each, and round again to the left one. The
    // WinEvents of the play, however long the reels spun.
    from = focused.size();
    const int eventsBefore = events;
    Key(VK_RETURN, 3);
    hears(stops[0]);
    for (const std::string& next : { stops[1], stops[2], stops[0] }) {
        Key(VK_TAB);
        hears(next);
        Key(VK_SPACE);
    }
    hears(go);
    Report("keys", "events", { std::to_string(events - eventsBefore) });
    report("keys", from);

    // Closed in the middle of a spin: the program's exit status.
    from = focused.size();
    Key(VK_RETURN);
    hears(stops[0]);
    report("close", from);
    PostMessageW(form, WM_CLOSE, 0, 0);
    DWORD status = 0;
    const bool ended = WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0 && GetExitCodeProcess(process.hProcess, &status) != FALSE;
    Report("close", "status", { ended ? std::to_string(status) : "running" });
    CoUninitialize();
}
