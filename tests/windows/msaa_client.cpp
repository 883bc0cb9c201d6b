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

// A key pressed and released, as the keyboard does it; held, it repeats.
void Key(WORD key, int repeats = 0)
{
    INPUT input { INPUT_KEYBOARD, { .ki = { key, 0, 0, 0, 0 } } };
    for (int i = 0; i <= repeats; ++i)
        SendInput(1, &input, sizeof(INPUT));
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(INPUT));
}

// A run of the program, found by its window, and its controls' windows by the
// names they tell.
struct Game {
    PROCESS_INFORMATION process {};
    HWINEVENTHOOK hook = nullptr;
    HWND form = nullptr;
    std::map<std::string, HWND> windows;

    explicit Game(std::wstring commandLine)
    {
        STARTUPINFOW startup {};
        startup.cb = sizeof startup;
        REQUIRE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        focused.clear();
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &HearFocus, process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
        REQUIRE(WaitFor([&] { return (form = FindWindowW(L"forms.Form", L"Vantu")) != nullptr && IsWindowVisible(form) != FALSE; }));
        for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            windows[Read(child).name] = child;
        CHECK(WaitFor([&] { return Ready(); }));
    }
    ~Game()
    {
        UnhookWinEvent(hook);
        TerminateProcess(process.hProcess, 1); // if it is still running
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Told operator()(const std::string& name, bool press = false) { return Read(windows.at(name), press); }
    // GO can be pressed, and has the focus.
    bool Ready() { return ((*this)("GO").state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSED)) == STATE_SYSTEM_FOCUSED; }
    bool Heard(const std::string& name) { return WaitFor([&] { return !focused.empty() && focused.back() == name; }, 5000); }
    DWORD Status()
    {
        DWORD status = 1;
        CHECK(WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0);
        GetExitCodeProcess(process.hProcess, &status);
        return status;
    }
};

} // namespace

TEST_CASE("vantu.exe read and played from another process, as a screen reader does")
{
    REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Game game(L"vantu.exe");

    // Every control, by its name, with the role the design gives it.
    std::map<std::string, LONG> design { { "GO", ROLE_SYSTEM_PUSHBUTTON }, { "Stop left reel", ROLE_SYSTEM_PUSHBUTTON },
        { "Stop middle reel", ROLE_SYSTEM_PUSHBUTTON }, { "Stop right reel", ROLE_SYSTEM_PUSHBUTTON },
        { "Balance", ROLE_SYSTEM_STATICTEXT } };
    for (const char* lamp : { "Rising diagonal", "Top row", "Middle row", "Bottom row", "Falling diagonal" })
        design[lamp] = ROLE_SYSTEM_GRAPHIC;
    for (const char* reel : { "Left", "Middle", "Right" })
        for (const char* row : { "top", "middle", "bottom" })
            design[std::string(reel) + " reel, " + row + " row"] = ROLE_SYSTEM_STATICTEXT;
    CHECK(game.windows.size() == design.size());
    for (const auto& [name, window] : game.windows) {
        const Told told = Read(window);
        CAPTURE(name);
        CHECK(design[name] == told.role); // a name not in the design has none
        CHECK((told.role != ROLE_SYSTEM_PUSHBUTTON || told.action == "Press"));
    }
    CHECK(game("Balance").description == "500 coins");
    CHECK(game("GO").description == "Starts a play for 10 coins.");

    // A stop button before the play: refused, and no play starts.
    CHECK(game("Stop left reel", true).pressed == DISP_E_MEMBERNOTFOUND);
    WaitFor([] { return false; }, 1000);
    CHECK(game.Ready());

    // What a player hears after a play that started from `before` coins:
    // each lamp lit where its line's three cells tell the same symbol, and on
    // GO the result ("Middle row wins with seven: 200 coins. 690 coins."),
    // whose sum the balance must be. Returns the balance.
    const auto judge = [&game](long before) {
        const char* lines[5][3] = { { "bottom", "middle", "top" }, { "top", "top", "top" }, { "middle", "middle", "middle" },
            { "bottom", "bottom", "bottom" }, { "top", "middle", "bottom" } };
        const char* lamps[5] = { "Rising diagonal", "Top row", "Middle row", "Bottom row", "Falling diagonal" };
        bool any = false;
        for (int k = 0; k < 5; ++k) {
            const auto cell = [&](const char* reel, int i) { return game(std::string(reel) + " reel, " + lines[k][i] + " row").description; };
            const bool won = cell("Left", 0) == cell("Middle", 1) && cell("Left", 0) == cell("Right", 2);
            CHECK(game(lamps[k]).description == (won ? "lit" : "unlit"));
            any = any || won;
        }
        const std::string result = game("GO").description, coins = game("Balance").description;
        MESSAGE("GO tells: ", result, " The balance: ", coins);
        const std::size_t won = result.rfind(": ");
        CHECK(result.starts_with("No win. ") == !any);
        const long paid = any ? std::strtol(result.c_str() + won + 2, nullptr, 10) : 0;
        CHECK(coins == std::to_string(before - 10 + paid) + " coins");
        CHECK(result.ends_with(". " + coins + "."));
        return before - 10 + paid;
    };

    // A play: GO, which hands the focus to the first stop button, then each
    // stop button as it can be pressed; the focus comes back to GO.
    CHECK(game("GO", true).pressed == S_OK);
    CHECK(game.Heard("Stop left reel"));
    for (const std::string stop : { "Stop left reel", "Stop middle reel", "Stop right reel" }) {
        CAPTURE(stop);
        CHECK(WaitFor([&] { return (game(stop).state & STATE_SYSTEM_UNAVAILABLE) == 0; }));
        CHECK(game(stop, true).pressed == S_OK);
    }
    CHECK(game.Heard("GO"));
    std::string heard; // each button as it was pressed, the form when the last stop was disabled, GO
    for (const std::string& name : focused)
        heard += name + "; ";
    CHECK(heard == "Stop left reel; Stop middle reel; Stop right reel; Vantu; GO; ");
    const long balance = judge(500);

    // A play from the keyboard: Return held on GO, whose repeats must not
    // press the stop button that takes the focus; Tab on to the others and
    // Space on each, and round again to the left one, which must still spin.
    Key(VK_RETURN, 3);
    CHECK(game.Heard("Stop left reel"));
    for (const char* next : { "Stop middle reel", "Stop right reel", "Stop left reel" }) {
        Key(VK_TAB);
        CHECK(game.Heard(next));
        Key(VK_SPACE);
    }
    CHECK(game.Heard("GO"));
    // Then the end of the play, which disables the stop buttons from the
    // left: the focus passes on over the other two to the form, and to GO.
    heard.clear();
    for (std::size_t i = 5; i < focused.size(); ++i)
        heard += focused[i] + "; ";
    CHECK(heard == "Stop left reel; Stop middle reel; Stop right reel; Stop left reel; Stop middle reel; Stop right reel; Vantu; GO; ");
    judge(balance);

    // Closed in the middle of a spin: the program ends, with status 0.
    Key(VK_RETURN);
    CHECK(game.Heard("Stop left reel"));
    PostMessageW(game.form, WM_CLOSE, 0, 0);
    CHECK(game.Status() == 0);
    CoUninitialize();
}

TEST_CASE("out of coins: the game-over message, heard and dismissed from the keyboard")
{
    REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Game game(L"vantu-lowcoins.exe"); // 5 coins: too few for a play
    CHECK(game("Balance").description == "5 coins");
    CHECK(game("GO", true).pressed == S_OK);
    HWND box = nullptr;
    DWORD owner = 0;
    CHECK(WaitFor([&] { return (box = FindWindowW(L"#32770", L"GameOver")) != nullptr && IsWindowVisible(box) != FALSE; }));
    GetWindowThreadProcessId(box, &owner);
    // Its title, an icon, its button and its text. (Which icon, another
    // process cannot tell under Wine: the handles differ.)
    std::string said = Read(box).name;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        said.append("|").append(SendMessageW(child, STM_GETICON, 0, 0) != 0 ? "(icon)" : Read(child).name);
    CHECK(owner == game.process.dwProcessId);
    CHECK(said == "GameOver|(icon)|OK|You ran out of your coins!");
    CHECK((game("Stop left reel").state & STATE_SYSTEM_UNAVAILABLE) != 0);
    Key(VK_RETURN);
    CHECK(game.Status() == 0);
    CoUninitialize();
}
