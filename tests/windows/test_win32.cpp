// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The game's window on the Win32 backend, run under Wine or Windows: every
// control against the design in one pass at several DPIs, read back from the
// painted window; the program file's resources; a play by real messages
// with the focus rules, what a screen reader reads through Active
// Accessibility, and the WinEvents it hears; the three endings.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include "forms/program.h"
#include "forms/win32/conversions.h"
#include "forms/win32/form_window.h"
#include "forms/win32/win32_platform.h"
#include "hooked_platform.h"
#include "window/frmMain.h"

#include <oleacc.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>

namespace {

#include "../../resources/vantu.xpm"

using forms::win32::FormWindow;

struct Game {
    HookedPlatform<forms::win32::Win32Platform> platform;
    forms::Runtime runtime { platform, "Vantu" };
    frmMain f { runtime };
    FormWindow window { f, runtime };

    Game()
    {
        platform.SetMainWindow(&window);
        runtime.Load(f);
        window.Show();
        SetForegroundWindow(window.Handle());
        Pump();
    }
    HWND operator[](const forms::Control& c) const { return window.HandleOf(c); }
    void Pump() { platform.Win32Platform::DoEvents(); }
};

// The window as painted, copied off the screen.
struct Snapshot {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    explicit Snapshot(HWND window)
    {
        RedrawWindow(window, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW); // what is pending, no more
        RECT client;
        GetClientRect(window, &client);
        HDC screen = GetDC(window);
        bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        SelectObject(dc, bitmap);
        BitBlt(dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
    }
    ~Snapshot()
    {
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    COLORREF operator()(int x, int y) const { return GetPixel(dc, x, y); }
    // The box around every pixel of rect that is not its background.
    RECT Ink(RECT rect, COLORREF background) const
    {
        RECT ink { rect.right, rect.bottom, rect.left, rect.top };
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                if ((*this)(x, y) != background)
                    ink = { std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                        std::max<LONG>(ink.bottom, y + 1) };
        return ink;
    }
};

RECT ChildRect(HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Scaled(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// What Active Accessibility tells of a window: role, name and description.
std::string Accessible(HWND window)
{
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&object))))
        return "(none)";
    VARIANT self {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role {};
    BSTR name = nullptr, description = nullptr;
    object->get_accRole(self, &role);
    object->get_accName(self, &name);
    object->get_accDescription(self, &description);
    object->Release();
    const auto text = [](BSTR s) { std::string r = s != nullptr ? forms::win32::Narrow(s) : ""; SysFreeString(s); return r; };
    const std::map<LONG, std::string> roles { { ROLE_SYSTEM_PUSHBUTTON, "button" }, { ROLE_SYSTEM_STATICTEXT, "label" },
        { ROLE_SYSTEM_GRAPHIC, "graphic" } };
    return roles.count(role.lVal) ? roles.at(role.lVal) + " " + text(name) + ": " + text(description) : "(no role)";
}

void PostClick(HWND button)
{
    PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

void PostKey(HWND window, WPARAM key)
{
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

std::map<DWORD, int> heard; // WinEvents of this process, by event
int sweepHeard = 0; // the sweep of the spin when they come
int heardUnprompted = 0; // those of sweeps 100 to 1999, when no input comes

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND, LONG, LONG, DWORD, DWORD)
{
    ++heard[event];
    if (sweepHeard >= 100 && sweepHeard < 2000)
        ++heardUnprompted;
}

} // namespace

TEST_CASE("the window against the design, at 100 %, 125 %, 150 % and 200 %")
{
    Game game;
    const LONG style = GetWindowLongW(game.window.Handle(), GWL_STYLE);
    CHECK((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    CHECK((style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0);
    wchar_t caption[16] {};
    GetWindowTextW(game.window.Handle(), caption, 16);
    CHECK(std::wstring(caption) == L"Vantu");
    CHECK(SendMessageW(game.window.Handle(), WM_GETICON, ICON_SMALL, 0) != 0);
    CHECK(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(game.window.Handle()))
        == DPI_AWARENESS_PER_MONITOR_AWARE);

    // In the standard colour scheme, and in a dark one whose white window
    // text would vanish on the pale pink cells: they keep black text.
    const INT windowText = COLOR_WINDOWTEXT;
    const COLORREF standard = GetSysColor(windowText), white = 0xFFFFFF;
    for (const auto& row : { std::pair { standard, 96u }, { standard, 120u }, { standard, 144u }, { standard, 192u },
             { white, 96u }, { white, 192u } }) {
        const COLORREF scheme = row.first;
        const UINT dpi = row.second;
        CAPTURE(dpi);
        CAPTURE(scheme);
        SetSysColors(1, &windowText, &scheme);
        RECT suggested { 40, 30, 0, 0 };
        SendMessageW(game.window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        game.Pump();
        game.f.shpReach(2).BackColor = game.f.shpReach(2).BackColor == frmMain::kLampLit ? frmMain::kLampUnlit : frmMain::kLampLit;
        RECT client;
        GetClientRect(game.window.Handle(), &client);
        CHECK(client.right == Scaled(2610, dpi));
        CHECK(client.bottom == Scaled(3210, dpi));
        const Snapshot shot(game.window.Handle());
        const int line = static_cast<int>(dpi + 48) / 96;
        CHECK(shot(Scaled(2580, dpi), Scaled(30, dpi)) == 0xFFC0C0); // the form, pale blue

        for (forms::Control* control : game.f.Controls()) {
            CAPTURE(control->Name);
            CAPTURE(control->Index);
            const RECT r = ChildRect(game[*control]);
            CHECK(r.left == Scaled(control->Left, dpi));
            CHECK(r.top == Scaled(control->Top, dpi));
            CHECK(r.right == Scaled(control->Left + control->Width, dpi));
            CHECK(r.bottom == Scaled(control->Top + control->Height, dpi));
            const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
            if (auto* lamp = dynamic_cast<forms::Shape*>(control)) {
                CHECK(shot(midX, midY) == lamp->BackColor.Get());
                CHECK(shot(r.left, r.top) == 0xFFC0C0); // a circle: the corner is the form's
            } else if (auto* label = dynamic_cast<forms::Label*>(control)) {
                // A sunken frame of two lines, each `line` pixels wide.
                CHECK(shot(r.left + line - 1, r.top) == GetSysColor(COLOR_BTNSHADOW));
                CHECK(shot(r.left + line, r.top + line) == GetSysColor(COLOR_3DDKSHADOW));
                CHECK(shot(r.right - 1, r.bottom - line) == GetSysColor(COLOR_BTNHIGHLIGHT));
                const RECT inside { r.left + 2 * line, r.top + 2 * line, r.right - 2 * line, r.bottom - 2 * line };
                CHECK(shot(inside.left, inside.bottom - 1) == label->BackColor);
                // The text: black on pink, centred; pale yellow on navy, right-justified.
                const RECT ink = shot.Ink(inside, label->BackColor);
                REQUIRE(ink.left < ink.right);
                const bool counter = label == &game.f.labCoins;
                CHECK(shot.Ink(inside, counter ? 0x800000 : 0xC0C0FF).left == ink.left);
                if (counter)
                    CHECK(inside.right - ink.right <= 3 * line);
                else
                    CHECK(std::abs((ink.left - inside.left) - (inside.right - ink.right)) <= line + 1);
                bool textColour = false;
                for (int y = ink.top; y < ink.bottom; ++y)
                    for (int x = ink.left; x < ink.right; ++x)
                        textColour = textColour || shot(x, y) == (counter ? 0xC0FFFF : 0x000000);
                CHECK(textColour);
            }
        }
        // The fonts, at the DPI: the design's faces or installed substitutes.
        for (auto [control, points, weight] : { std::tuple<forms::Control*, double, LONG> { &game.f.cmdGo, 12, 400 },
                 { &game.f.labMid(1), 21.75, 700 }, { &game.f.labCoins, 14.25, 700 } }) {
            HFONT font = control == &game.f.cmdGo
                ? reinterpret_cast<HFONT>(SendMessageW(game[*control], WM_GETFONT, 0, 0))
                : game.window.FontOf(*control);
            LOGFONTW logFont {};
            REQUIRE(GetObjectW(font, sizeof logFont, &logFont) == sizeof logFont);
            CHECK(logFont.lfHeight == -std::lround(points * dpi / 72));
            CHECK(logFont.lfWeight == weight);
            HDC dc = GetDC(nullptr);
            HGDIOBJ before = SelectObject(dc, font);
            wchar_t face[LF_FACESIZE] {};
            GetTextFaceW(dc, LF_FACESIZE, face);
            SelectObject(dc, before);
            ReleaseDC(nullptr, dc);
            CHECK(std::wstring(face) == logFont.lfFaceName); // installed, not the mapper's guess
        }
    }
    SetSysColors(1, &windowText, &standard);
}

TEST_CASE("the program file's version record and icon")
{
    DWORD ignored = 0;
    std::string record(GetFileVersionInfoSizeW(L".\\vantu.exe", &ignored), '\0');
    REQUIRE(GetFileVersionInfoW(L".\\vantu.exe", 0, static_cast<DWORD>(record.size()), record.data()));
    const auto value = [&](const wchar_t* path) {
        void* data = nullptr;
        UINT size = 0;
        return VerQueryValueW(record.data(), path, &data, &size) ? std::wstring(static_cast<wchar_t*>(data)) : L"?";
    };
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    REQUIRE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    CHECK((fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0)); // 1.0.0.0
    CHECK((fixed->dwProductVersionMS == 0x00010000 && fixed->dwProductVersionLS == 0));
    CHECK(fixed->dwFileType == VFT_APP);
    CHECK(fixed->dwFileOS == VOS__WINDOWS32);
    DWORD* translation = nullptr;
    REQUIRE(VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size));
    CHECK(size == 4);
    CHECK(*translation == MAKELONG(0x0411, 1200));
    for (const auto* field : { L"ProductName", L"InternalName" })
        CHECK(value((std::wstring(L"\\StringFileInfo\\041104B0\\") + field).c_str()) == L"Vantu");
    for (const auto* field : { L"FileVersion", L"ProductVersion" })
        CHECK(value((std::wstring(L"\\StringFileInfo\\041104B0\\") + field).c_str()) == L"1.00");

    // Every size from 16 to 256, and the 32 x 32, 16-colour picture as drawn.
    HMODULE program = LoadLibraryExW(L".\\vantu.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    REQUIRE(program != nullptr);
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    REQUIRE(found != nullptr);
    const auto* group = static_cast<const BYTE*>(LockResource(LoadResource(program, found)));
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    std::string sizes;
    WORD classic = 0;
    for (WORD i = 0; i < count; ++i) {
        const BYTE* entry = group + 6 + std::ptrdiff_t { 14 } * i; // width, height, colours, 0, planes, bits, bytes, id
        const int width = entry[0] == 0 ? 256 : entry[0];
        sizes += std::to_string(width) + " ";
        if (width == 32 && entry[2] == 16)
            classic = *reinterpret_cast<const WORD*>(entry + 12);
    }
    CHECK(sizes == "16 24 32 48 64 128 256 ");
    REQUIRE(classic != 0);
    const auto* image = static_cast<const BYTE*>(LockResource(LoadResource(program, FindResourceW(program, MAKEINTRESOURCEW(classic), RT_ICON))));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(image);
    CHECK(header->biBitCount == 4);
    const auto* palette = reinterpret_cast<const RGBQUAD*>(image + header->biSize);
    const BYTE* pixels = image + header->biSize + 16 * sizeof(RGBQUAD);
    const BYTE* mask = pixels + 32 * std::ptrdiff_t { 16 }; // after 32 rows of 16 bytes
    std::map<char, std::string> colours; // the XPM's, one character a pixel
    int drawnWidth = 0, drawnHeight = 0, colourCount = 0;
    std::istringstream(vantu_xpm[0]) >> drawnWidth >> drawnHeight >> colourCount;
    REQUIRE((drawnWidth == 32 && drawnHeight == 32));
    for (int c = 1; c <= colourCount; ++c)
        colours[vantu_xpm[c][0]] = std::string(vantu_xpm[c] + 4);
    int wrong = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int row = 31 - y; // bottom-up
            const bool clear = (mask[row * 4 + x / 8] >> (7 - x % 8)) & 1;
            const RGBQUAD c = palette[(pixels[row * 16 + x / 2] >> (x % 2 ? 0 : 4)) & 15];
            char hex[8];
            snprintf(hex, sizeof hex, "#%02X%02X%02X", c.rgbRed, c.rgbGreen, c.rgbBlue);
            wrong += clear ? colours[vantu_xpm[1 + colourCount + y][x]] != "None" : colours[vantu_xpm[1 + colourCount + y][x]] != hex;
        }
    CHECK(wrong == 0);
    FreeLibrary(program);
}

TEST_CASE("a play by mouse and keys, as a screen reader hears it")
{
    Game game;
    REQUIRE(GetFocus() == game[game.f.cmdGo]);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, &Listen, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    heard.clear();
    sweepHeard = heardUnprompted = 0;
    // A long spin, stopped from the keyboard: Space on the left stop button,
    // which has the focus; Tab to the middle one and Return; Tab to the right
    // one, where a held Return's repeats click nothing; Tab, past the
    // disabled GO; a click.
    std::map<int, std::function<void()>> script {
        { 1, [&] { CHECK(GetFocus() == game[game.f.cmdLeft]); } },
        { 2000, [&] { PostKey(GetFocus(), VK_SPACE); } },
        { 2100, [&] { PostKey(GetFocus(), VK_TAB); } },
        { 2200, [&] { CHECK(GetFocus() == game[game.f.cmdMid]); PostKey(GetFocus(), VK_RETURN); } },
        { 2300, [&] { PostKey(GetFocus(), VK_TAB); } },
        { 2400, [&] { CHECK(GetFocus() == game[game.f.cmdRight]); PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0x40000001); } },
        { 2500, [&] { CHECK(game.f.Stopped(3) == 0); PostKey(GetFocus(), VK_TAB); } },
        { 2600, [&] { CHECK(GetFocus() == game[game.f.cmdLeft]); PostClick(game[game.f.cmdRight]); } },
        { 3000, [&] { for (auto* stop : { &game.f.cmdLeft, &game.f.cmdMid, &game.f.cmdRight }) PostClick(game[*stop]); } },
    };
    game.platform.onDoEvents = [&](int sweep) {
        sweepHeard = sweep;
        if (const auto step = script.find(sweep); step != script.end())
            step->second();
    };
    PostClick(game[game.f.cmdGo]);
    game.Pump();
    game.platform.onDoEvents = nullptr;
    UnhookWinEvent(hook);
    CHECK(game.platform.sweeps > 2600);
    CHECK(game.platform.sweeps < 3000); // not stopped by the mouse as a last resort
    CHECK(game.f.Stopped(1) * game.f.Stopped(2) * game.f.Stopped(3) == -1);
    game.Pump(); // the focus comes back to GO once the play has been handled in full
    CHECK(GetFocus() == game[game.f.cmdGo]);
    int events = 0;
    for (const auto& [event, count] : heard)
        events += count;
    MESSAGE("WinEvents of a play of ", game.platform.sweeps, " sweeps: ", events);
    // The spin itself raises none; the play few, besides what the buttons
    // tell of the input as they take it, as Windows and newer Wine do: the
    // mouse capture and each change of a button's state.
    CHECK(heardUnprompted == 0);
    CHECK(events - heard[EVENT_SYSTEM_CAPTURESTART] - heard[EVENT_SYSTEM_CAPTUREEND] - heard[EVENT_OBJECT_STATECHANGE] <= 40);
    CHECK(heard[EVENT_OBJECT_DESCRIPTIONCHANGE] >= 2); // at least the balance and GO

    // Every control as the runtime names and describes it.
    for (forms::Control* control : game.f.Controls()) {
        const char* role = dynamic_cast<forms::CommandButton*>(control) ? "button " : dynamic_cast<forms::Shape*>(control) ? "graphic " : "label ";
        CHECK(Accessible(game[*control]) == role + control->AccessibleName.Get() + ": " + control->AccessibleDescription.Get());
    }
    CHECK(Accessible(game[game.f.labLeft(0)]).rfind("label Left reel, top row: ", 0) == 0);
    CHECK(Accessible(game[game.f.labCoins]) == "label Balance: " + std::to_string(game.f.Coins.Value()) + " coins");
}

namespace {

// Runs the program as main does, on a form whose load is `load` after the
// game's own, while `step` plays it at each tick of a timer; then any message
// box is read and dismissed.
struct Scripted : frmMain {
    using frmMain::frmMain;
    std::function<void(frmMain&)> load;
    void Form_Load() override
    {
        frmMain::Form_Load();
        load(*this);
    }
};
std::function<void(HWND, HWND)> step; // the form's window and GO
std::wstring box; // the title, text and icon of the last message box

BOOL CALLBACK ReadBox(HWND window, LPARAM)
{
    wchar_t text[128] {};
    GetClassNameW(window, text, 128);
    if (std::wstring(text) != L"#32770")
        return TRUE;
    GetWindowTextW(window, text, 128);
    box = text;
    GetDlgItemTextW(window, 0xFFFF, text, 128);
    box += std::wstring(L"|") + text;
    EnumChildWindows(window, [](HWND child, LPARAM) {
        if (HICON icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)))
            box += icon == LoadIconW(nullptr, IDI_WARNING) ? L"|warning" : icon == LoadIconW(nullptr, IDI_ERROR) ? L"|error" : L"|other";
        return TRUE;
    }, 0);
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &ReadBox, 0);
    if (HWND form = FindWindowW(L"forms.Form", L"Vantu"); form != nullptr && IsWindowVisible(form))
        step(form, FindWindowExW(form, nullptr, L"Button", L"GO"));
}

} // namespace

TEST_CASE("the three endings, and the exit status of each")
{
    struct Ending {
        const char* name;
        std::function<void(frmMain&)> load;
        bool closeInSpin;
        std::wstring box;
        int status;
    };
    for (const Ending& ending : {
             Ending { "game over", [](frmMain& f) { f.Coins = 5; }, false, L"GameOver|You ran out of your coins!|warning", 0 },
             Ending { "fatal error", [](frmMain& f) { f.ReelPos(4) = 1; }, false,
                 L"Vantu|Run-time error '9':\n\nSubscript out of range|error", 1 },
             Ending { "closed in mid-spin", [](frmMain&) {}, true, L"", 0 },
         }) {
        CAPTURE(ending.name);
        box.clear();
        bool clicked = false;
        step = [&](HWND form, HWND go) {
            if (!clicked)
                PostClick(go);
            else if (ending.closeInSpin && IsWindowEnabled(go) == FALSE)
                PostMessageW(form, WM_CLOSE, 0, 0);
            clicked = true;
        };
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, &Tick);
        const int status = forms::RunProgram(0, nullptr, { "Vantu", "1.00", "org.vantu.Vantu" }, [&](forms::Runtime& runtime) {
            auto form = std::make_unique<Scripted>(runtime);
            form->load = ending.load;
            return form;
        });
        KillTimer(nullptr, timer);
        CHECK(status == ending.status);
        CHECK(box == ending.box);
        CHECK(FindWindowW(L"forms.Form", nullptr) == nullptr);
    }
}
