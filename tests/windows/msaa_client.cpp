// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// vantu.exe as a screen reader meets it, from a process of its own: every
// control read through Active Accessibility, a play made by the buttons'
// default actions, the focus heard through WinEvents, and the play's result
// heard on GO checked against the balance.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include <windows.h>

#include <oleacc.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

std::string Take(BSTR text)
{
    const std::wstring wide = text != nullptr ? text : L"";
    SysFreeString(text);
    return { wide.begin(), wide.end() }; // the game's names and descriptions are ASCII
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
    VARIANT self {}, value {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (object->get_accRole(self, &value) == S_OK && value.vt == VT_I4)
        told.role = value.lVal;
    VariantClear(&value); // a role may come as a string
    if (object->get_accState(self, &value) == S_OK && value.vt == VT_I4)
        told.state = value.lVal;
    const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR answer = nullptr;
        (object->*get)(self, &answer);
        return Take(answer);
    };
    told.name = text(&IAccessible::get_accName);
    told.description = text(&IAccessible::get_accDescription);
    told.action = text(&IAccessible::get_accDefaultAction);
    if (press)
        told.pressed = object->accDoDefaultAction(self);
    object->Release();
    return told;
}

// The names of the objects that took the focus, as heard. Reading a name
// lets further events in, so each has its place before its name is read.
std::vector<std::string> focused;

void CALLBACK HearFocus(HWINEVENTHOOK, DWORD, HWND window, LONG objectId, LONG childId, DWORD, DWORD)
{
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

} // namespace

TEST_CASE("vantu.exe read and played from another process, as a screen reader does")
{
    REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    std::wstring commandLine = _wgetenv(L"VANTU_EXE") != nullptr ? _wgetenv(L"VANTU_EXE") : L"vantu.exe";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION game {};
    REQUIRE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &game));
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &HearFocus, game.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
    HWND form = nullptr;
    CHECK(WaitFor([&] { return (form = FindWindowW(L"forms.Form", L"Vantu")) != nullptr && IsWindowVisible(form) != FALSE; }));

    // Every control, by its name, with the role the design gives it.
    std::map<std::string, LONG> design { { "GO", ROLE_SYSTEM_PUSHBUTTON }, { "Stop left reel", ROLE_SYSTEM_PUSHBUTTON },
        { "Stop middle reel", ROLE_SYSTEM_PUSHBUTTON }, { "Stop right reel", ROLE_SYSTEM_PUSHBUTTON },
        { "Balance", ROLE_SYSTEM_STATICTEXT }, { "Rising diagonal", ROLE_SYSTEM_GRAPHIC }, { "Top row", ROLE_SYSTEM_GRAPHIC },
        { "Middle row", ROLE_SYSTEM_GRAPHIC }, { "Bottom row", ROLE_SYSTEM_GRAPHIC }, { "Falling diagonal", ROLE_SYSTEM_GRAPHIC } };
    for (const char* reel : { "Left", "Middle", "Right" })
        for (const char* row : { "top", "middle", "bottom" })
            design[std::string(reel) + " reel, " + row + " row"] = ROLE_SYSTEM_STATICTEXT;
    std::map<std::string, HWND> windows;
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const Told told = Read(child);
        CAPTURE(told.name);
        CHECK(design[told.name] == told.role); // a name not in the design has none
        CHECK((told.role != ROLE_SYSTEM_PUSHBUTTON || told.action == "Press"));
        windows[told.name] = child;
    }
    CHECK(windows.size() == design.size());
    HWND go = windows["GO"], balance = windows["Balance"];
    CHECK(Read(balance).description == "500 coins");
    CHECK(Read(go).description == "Starts a play for 10 coins.");
    const auto ready = [&] { return (Read(go).state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSED)) == STATE_SYSTEM_FOCUSED; };
    CHECK(WaitFor(ready));

    // A stop button before the play: refused, and no play starts.
    CHECK(Read(windows["Stop left reel"], true).pressed == DISP_E_MEMBERNOTFOUND);
    WaitFor([] { return false; }, 1000);
    CHECK(ready());

    // A play: GO, which hands the focus to the first stop button, then each
    // stop button as it can be pressed; the focus comes back to GO.
    CHECK(Read(go, true).pressed == S_OK);
    CHECK(WaitFor([] { return !focused.empty() && focused.back() == "Stop left reel"; }, 5000));
    for (const std::string stop : { "Stop left reel", "Stop middle reel", "Stop right reel" }) {
        CAPTURE(stop);
        CHECK(WaitFor([&] { return (Read(windows[stop]).state & STATE_SYSTEM_UNAVAILABLE) == 0; }));
        CHECK(Read(windows[stop], true).pressed == S_OK);
    }
    CHECK(WaitFor(ready));
    WaitFor([] { return false; }, 500); // the last focus event on its way
    std::string heard;
    for (const std::string& name : focused)
        heard += name + "; ";
    MESSAGE("the focus heard ", focused.size(), " times: ", heard);
    CHECK((!focused.empty() && focused.back() == "GO"));

    // The result heard on GO: "No win. 490 coins." or "Middle row wins with
    // seven: 200 coins. 690 coins.", whose sum the balance must be.
    const std::string result = Read(go).description, coins = Read(balance).description;
    MESSAGE("GO tells: ", result, " The balance: ", coins);
    const std::size_t won = result.rfind(": ");
    CHECK(result.starts_with("No win. ") == (won == std::string::npos));
    const long paid = won == std::string::npos ? 0 : std::strtol(result.c_str() + won + 2, nullptr, 10);
    CHECK(coins == std::to_string(490 + paid) + " coins");
    CHECK(result.ends_with(". " + coins + "."));

    CHECK(UnhookWinEvent(hook));
    PostMessageW(form, WM_CLOSE, 0, 0);
    CHECK(WaitForSingleObject(game.hProcess, 30000) == WAIT_OBJECT_0);
    DWORD status = 1;
    CHECK((GetExitCodeProcess(game.hProcess, &status) != FALSE && status == 0));
    TerminateProcess(game.hProcess, 1); // if it is still running
    CloseHandle(game.hThread);
    CloseHandle(game.hProcess);
    CoUninitialize();
}
