// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// vantu.exe as a screen reader meets it, from a process of its own: every
// control read through Active Accessibility, plays made by the buttons'
// default actions and by the keyboard, the focus heard through WinEvents,
// each play judged from what the controls then tell, the reels seen turning
// on the screen, and a close; then the same names and a play in Japanese,
// with Windows' user interface in Japanese.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include <windows.h>

#include <oleacc.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <numeric>
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

// What the player hears in one language: the controls' names, and the words
// of a play's result around its numbers.
struct Language {
    std::string cells[3][3]; // reel, then row
    std::string lamps[5], stops[3], balance, lit, unlit;
    std::string noWin, paid; // how a result without a win starts; what comes before the pay
    std::string coin, coins; // after a number of coins: one, more
    std::string before, after; // around the balance, at the end of a result
    std::string Coins(long n) const { return std::to_string(n) + (n == 1 ? coin : coins); }
};

const Language kEnglish {
    .cells = { { "Left reel, top row", "Left reel, middle row", "Left reel, bottom row" }, { "Middle reel, top row", "Middle reel, middle row", "Middle reel, bottom row" }, { "Right reel, top row", "Right reel, middle row", "Right reel, bottom row" } },
    .lamps = { "Rising diagonal", "Top row", "Middle row", "Bottom row", "Falling diagonal" },
    .stops = { "Stop left reel", "Stop middle reel", "Stop right reel" },
    .balance = "Balance",
    .lit = "lit",
    .unlit = "unlit",
    .noWin = "No win. ",
    .paid = ": ",
    .coin = " coin",
    .coins = " coins",
    .before = ". ",
    .after = ".",
};

const Language kJapanese {
    .cells = { { "左リール、上段", "左リール、中段", "左リール、下段" }, { "中リール、上段", "中リール、中段", "中リール、下段" }, { "右リール、上段", "右リール、中段", "右リール、下段" } },
    .lamps = { "右上がりの斜め", "上段", "中段", "下段", "右下がりの斜め" },
    .stops = { "左リールを停止", "中リールを停止", "右リールを停止" },
    .balance = "所持コイン",
    .lit = "点灯",
    .unlit = "消灯",
    .noWin = "はずれ。",
    .paid = "配当",
    .coin = "枚",
    .coins = "枚",
    .before = "。所持コイン",
    .after = "。",
};

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

// A run of the program, ready to play, and its controls' windows by the
// names they tell.
struct Game {
    PROCESS_INFORMATION process {};
    HWINEVENTHOOK hook = nullptr;
    HWND form = nullptr;
    std::map<std::string, HWND> windows;

    Game()
    {
        std::wstring commandLine = L"vantu.exe";
        STARTUPINFOW startup {};
        startup.cb = sizeof startup;
        REQUIRE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        focused.clear();
        hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &Hear, process.dwProcessId, 0, WINEVENT_OUTOFCONTEXT);
        REQUIRE(WaitFor([&] { return (form = FindWindowW(L"forms.Form", L"Vantu")) != nullptr && IsWindowVisible(form) != FALSE; }));
        for (HWND child = GetWindow(form, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            windows[Read(child).name] = child;
        // Ready when GO can be pressed, and has the focus.
        CHECK(WaitFor([&] { return ((*this)("GO").state & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSED)) == STATE_SYSTEM_FOCUSED; }));
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
    // The focus lands on the control of that name.
    bool Hears(const std::string& name)
    {
        return WaitFor([&] { return !focused.empty() && focused.back() == name; }, 5000);
    }
    // What was heard since the `from`th focus event.
    std::string Since(std::size_t from) const
    {
        return std::accumulate(focused.begin() + static_cast<std::ptrdiff_t>(from), focused.end(), std::string(), [](const std::string& all, const std::string& name) { return all + name + "; "; });
    }
    // What a player hears after a play that started from `before` coins: each
    // lamp lit where its line's three cells tell the same symbol, and on GO
    // the result ("Middle row wins with seven: 200 coins. 690 coins."), whose
    // sum the balance must be. Returns the balance.
    long Judge(long before, const Language& heard = kEnglish)
    {
        const int rows[5][3] = { { 2, 1, 0 }, { 0, 0, 0 }, { 1, 1, 1 }, { 2, 2, 2 }, { 0, 1, 2 } };
        bool any = false;
        for (int k = 0; k < 5; ++k) {
            const auto cell = [&](int reel) { return (*this)(heard.cells[reel][rows[k][reel]]).description; };
            const bool won = cell(0) == cell(1) && cell(0) == cell(2);
            CHECK((*this)(heard.lamps[k]).description == (won ? heard.lit : heard.unlit));
            any = any || won;
        }
        const std::string result = (*this)("GO").description, coins = (*this)(heard.balance).description;
        MESSAGE("GO tells: ", result, " The balance: ", coins);
        CHECK(result.starts_with(heard.noWin) == !any);
        const long balance = before - 10 + (any ? std::strtol(result.c_str() + result.rfind(heard.paid) + heard.paid.size(), nullptr, 10) : 0);
        CHECK(coins == heard.Coins(balance));
        CHECK(result.ends_with(heard.before + coins + heard.after));
        return balance;
    }
};

} // namespace

TEST_CASE("vantu.exe read and played from another process, as a screen reader does")
{
    REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Game game;

    // Every control, with its role: four buttons, which say they are
    // pressed, five lamps and ten labels. Each is found by its name below.
    std::map<LONG, int> roles;
    for (const auto& [name, window] : game.windows) {
        const Told told = Read(window);
        ++roles[told.role];
        CHECK((told.role != ROLE_SYSTEM_PUSHBUTTON || told.action == "Press"));
    }
    CHECK(roles == std::map<LONG, int> { { ROLE_SYSTEM_PUSHBUTTON, 4 }, { ROLE_SYSTEM_GRAPHIC, 5 }, { ROLE_SYSTEM_STATICTEXT, 10 } });

    // A stop button before the play: refused, and no play starts.
    CHECK(game("Stop left reel", true).pressed == DISP_E_MEMBERNOTFOUND);
    CHECK(!WaitFor([&] { return (game("GO").state & STATE_SYSTEM_UNAVAILABLE) != 0; }, 1000));

    // A play by the buttons' default actions: GO, which hands the focus to
    // the first stop button, then each stop button as it can be pressed,
    // which takes the focus; when the last is disabled, the form, then GO.
    const std::size_t start = focused.size(); // Wine 10 tells of GO's focus when the window is shown, Wine 8 not
    CHECK(game("GO", true).pressed == S_OK);
    CHECK(game.Hears("Stop left reel"));
    // The reels turn on the screen: a later picture of them differs, unless
    // each reel has turned a whole round or not at all since the first.
    const auto reels = [&game] { return Capture(game.windows.at("Left reel, top row"), game.windows.at("Right reel, bottom row")); };
    const std::vector<COLORREF> first = reels();
    CHECK(WaitFor([&] { return reels() != first; }, 5000));
    for (const char* stop : { "Stop left reel", "Stop middle reel", "Stop right reel" }) {
        CHECK(WaitFor([&] { return (game(stop).state & STATE_SYSTEM_UNAVAILABLE) == 0; }));
        CHECK(game(stop, true).pressed == S_OK);
    }
    CHECK(game.Hears("GO"));
    CHECK(game.Since(start) == "Stop left reel; Stop middle reel; Stop right reel; Vantu; GO; ");
    const long balance = game.Judge(500);

    // A play from the keyboard: Return held on GO, whose repeats must not
    // press the stop button that takes the focus; Tab on to the others and
    // Space on each, and round again to the left one, which must still spin.
    // When the stop buttons are disabled from the left, the focus passes on
    // over the other two to the form, and to GO.
    const std::size_t before = focused.size();
    const int eventsBefore = events;
    Key(VK_RETURN, 3);
    CHECK(game.Hears("Stop left reel"));
    for (const char* next : { "Stop middle reel", "Stop right reel", "Stop left reel" }) {
        Key(VK_TAB);
        CHECK(game.Hears(next));
        Key(VK_SPACE);
    }
    CHECK(game.Hears("GO"));
    CHECK(game.Since(before) == "Stop left reel; Stop middle reel; Stop right reel; Stop left reel; Stop middle reel; Stop right reel; Vantu; GO; ");
    game.Judge(balance);
    // However long the reels spun, a few dozen events at most: the spin
    // itself tells nothing.
    MESSAGE("WinEvents of a play from the keyboard: ", events - eventsBefore);
    CHECK(events - eventsBefore <= 60);

    // Closed in the middle of a spin: the program ends, with status 0.
    Key(VK_RETURN);
    CHECK(game.Hears("Stop left reel"));
    PostMessageW(game.form, WM_CLOSE, 0, 0);
    DWORD status = 1;
    CHECK((WaitForSingleObject(game.process.hProcess, 30000) == WAIT_OBJECT_0 && GetExitCodeProcess(game.process.hProcess, &status) && status == 0));
    CoUninitialize();
}

TEST_CASE("vantu.exe in Japanese, as a screen reader reads it with Windows in Japanese")
{
    REQUIRE(GetUserDefaultUILanguage() == 0x0411);
    REQUIRE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    Game game;
    const Language& ja = kJapanese;
    // Every name in Japanese, but GO's, which is the button's own text, as
    // the window's title is.
    std::vector<std::string> names { "GO", ja.balance };
    for (const auto& reel : ja.cells)
        names.insert(names.end(), std::begin(reel), std::end(reel));
    names.insert(names.end(), std::begin(ja.lamps), std::end(ja.lamps));
    names.insert(names.end(), std::begin(ja.stops), std::end(ja.stops));
    std::vector<std::string> told;
    told.reserve(game.windows.size());
    for (const auto& [name, window] : game.windows)
        told.push_back(name);
    std::sort(names.begin(), names.end());
    CHECK(told == names);
    CHECK(game("GO").description == "コイン10枚で1回プレイします。");
    CHECK(game(ja.balance).description == "500枚");
    char title[16] {};
    GetWindowTextA(game.form, title, sizeof title);
    CHECK(std::string(title) == "Vantu");

    CHECK(game("GO", true).pressed == S_OK);
    CHECK(game.Hears(ja.stops[0]));
    for (const std::string& stop : ja.stops) {
        CHECK(WaitFor([&] { return (game(stop).state & STATE_SYSTEM_UNAVAILABLE) == 0; }));
        CHECK(game(stop, true).pressed == S_OK);
    }
    CHECK(game.Hears("GO"));
    game.Judge(500, ja);
    PostMessageW(game.form, WM_CLOSE, 0, 0);
    CHECK(WaitForSingleObject(game.process.hProcess, 30000) == WAIT_OBJECT_0);
    CoUninitialize();
}
