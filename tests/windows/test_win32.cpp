// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The game's window on the Win32 backend, run under Wine or Windows: every
// control where the design puts it at several DPIs, read back from the
// painted window with its fonts, also under a dark and a high-contrast
// colour scheme; the icons of the message boxes that end the program; and
// vantu.exe's version record, read back from the file. (msaa_client.cpp
// plays the program itself, as a screen reader does, to its endings.)

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include "forms/geometry.h"
#include "forms/win32/conversions.h"
#include "forms/win32/form_window.h"
#include "forms/win32/painting.h"
#include "forms/win32/win32_platform.h"
#include "version.h"
#include "window/frmMain.h"

#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Game {
    forms::win32::Win32Platform platform;
    forms::Runtime runtime { platform, "Vantu" };
    frmMain f { runtime };
    forms::win32::FormWindow window { f, runtime };

    Game()
    {
        platform.SetMainWindow(&window);
        runtime.Load(f);
        window.Show();
        SetForegroundWindow(window.Handle());
        platform.DoEvents();
    }
    HWND operator[](const forms::Control& c) const { return window.HandleOf(c); }
};

COLORREF Pixel(HWND window, int x, int y)
{
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

// Whether any pixel of rect has the colour.
bool Painted(HWND window, RECT rect, COLORREF colour)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (Pixel(window, x, y) == colour)
                return true;
    return false;
}

// The icon of the message box that `show` brings up, read once it is up;
// OK then closes it.
HICON shownIcon = nullptr;
HICON IconOfMessage(const std::function<void()>& show)
{
    shownIcon = nullptr;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowW(L"#32770", nullptr);
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) shownIcon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (box != nullptr) PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    show();
    KillTimer(nullptr, timer);
    // The program has ended: its quit message would close the next box at once.
    for (MSG quit; PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;) { }
    return shownIcon;
}

// How much ink the label paints for `text` in a box `width` pixels wide at
// 96 dpi: how far its pixels move from those of the label painted empty.
long long Ink(const forms::Label& label, HFONT font, int width, int height, std::wstring_view text)
{
    const auto paint = [&](std::wstring_view shown) {
        HDC memory = CreateCompatibleDC(nullptr);
        BITMAPINFO info {};
        info.bmiHeader = { sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ before = SelectObject(memory, bitmap);
        forms::win32::PaintLabel(memory, RECT { 0, 0, width, height }, label, shown, font, 96);
        GdiFlush();
        const auto* first = static_cast<const std::uint8_t*>(bits);
        std::vector<std::uint8_t> pixels(first, first + static_cast<std::ptrdiff_t>(width) * height * 4);
        SelectObject(memory, before);
        DeleteObject(bitmap);
        DeleteDC(memory);
        return pixels;
    };
    const std::vector<std::uint8_t> blank = paint(L""), drawn = paint(text);
    long long sum = 0;
    for (std::size_t i = 0; i < blank.size(); ++i)
        sum += std::abs(blank[i] - drawn[i]);
    return sum;
}

} // namespace

// Every symbol whole in its cell: the ink it puts there is all the ink it
// puts in a copy of the cell wide enough for any glyph.
TEST_CASE("every symbol whole in its cell, however wide the look-alike face draws it")
{
    Game game;
    const forms::Label& cell = game.f.labLeft(0);
    HFONT font = game.window.FontOf(cell);
    for (const wchar_t& symbol : std::wstring_view(L"$*-#7C?=+%")) {
        const std::wstring_view text(&symbol, 1);
        CAPTURE(static_cast<char>(symbol));
        const long long whole = Ink(cell, font, 300, 36, text);
        CHECK(whole > 0);
        CHECK(Ink(cell, font, 28, 36, text) >= whole * 98 / 100);
    }
}

TEST_CASE("the window against the design, at 100 %, 125 %, 150 % and 200 %, in a light, a dark and a high-contrast scheme")
{
    Game game;
    HWND form = game.window.Handle();
    const LONG style = GetWindowLongW(form, GWL_STYLE);
    CHECK((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    CHECK(SendMessageW(form, WM_GETICON, ICON_SMALL, 0) != 0);
    CHECK(GetWindowTheme(game[game.f.cmdGo]) != nullptr); // the system's themed buttons, as the manifest asks
    CHECK(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(form)) == DPI_AWARENESS_PER_MONITOR_AWARE);
    // A DPI, and the colours a scheme gives (none: the standard scheme's):
    // the window keeps its own, and the reel symbols stay black where the
    // scheme's text (white, yellow) would not read on their pink.
    constexpr int elements[] = { COLOR_WINDOWTEXT, COLOR_WINDOW, COLOR_BTNFACE, COLOR_BTNTEXT };
    COLORREF standard[std::size(elements)];
    std::transform(std::begin(elements), std::end(elements), standard, GetSysColor);
    for (const auto& [at, scheme] : { std::pair<int, std::array<COLORREF, 4>> { 96, {} }, { 120, { RGB(255, 255, 255), RGB(32, 32, 32), RGB(51, 51, 51), RGB(255, 255, 255) } }, { 144, { RGB(255, 255, 0), 0, 0, RGB(255, 255, 0) } }, { 192, {} } }) {
        const int dpi = at; // clang 14 lets no lambda capture a structured binding
        CAPTURE(dpi);
        SetSysColors(std::size(elements), elements, scheme[0] == 0 ? standard : scheme.data()); // tells every window, as a switch of scheme does
        RECT suggested { 40, 30, 0, 0 };
        SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        game.f.shpReach(2).BackColor = frmMain::kLampLit;
        RedrawWindow(form, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT client;
        GetClientRect(form, &client);
        CHECK((client.right == forms::TwipsToPixels(2610, dpi) && client.bottom == forms::TwipsToPixels(3210, dpi)));
        const int line = (dpi + 48) / 96; // a frame's line: one pixel at 96 dpi
        for (forms::Control* control : game.f.Controls()) {
            CAPTURE(control->Name);
            CAPTURE(control->Index);
            RECT r;
            GetWindowRect(game[*control], &r);
            MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
            const forms::PixelRect design = forms::PixelsOf(*control, dpi);
            CHECK(forms::PixelRect { r.left, r.top, r.right, r.bottom } == design);
            if (auto* lamp = dynamic_cast<forms::Shape*>(control)) {
                // A circle: the corner is the pale blue form's.
                CHECK((Pixel(form, (r.left + r.right) / 2, (r.top + r.bottom) / 2) == lamp->BackColor.Get() && Pixel(form, r.left, r.top) == 0xFFC0C0));
            } else if (auto* label = dynamic_cast<forms::Label*>(control)) {
                // A sunken frame of two lines; inside, the text, black on pink
                // and centred, or pale yellow on navy and right-justified.
                CHECK((Pixel(form, r.left + line - 1, r.top) == GetSysColor(COLOR_BTNSHADOW) && Pixel(form, r.left + line, r.top + line) == GetSysColor(COLOR_3DDKSHADOW) && Pixel(form, r.right - 1, r.bottom - line) == GetSysColor(COLOR_BTNHIGHLIGHT)));
                const bool counter = label == &game.f.labCoins;
                const int middle = (r.left + r.right) / 2 - (counter ? 0 : 2 * line);
                CHECK(Painted(form, { middle, r.top, r.right, r.bottom }, counter ? 0xC0FFFF : 0));
                CHECK(Painted(form, { r.left + 3 * line, r.top, middle, r.bottom }, counter ? 0xC0FFFF : 0) == !counter);
            }
        }
        // The fonts at the DPI, in the look-alikes of the design's faces that
        // Wine finds installed here (fonts-ipafont-gothic, fonts-liberation2).
        for (const auto& [control, points, weight, face] : { std::tuple<forms::Control*, double, LONG, std::wstring> { &game.f.cmdGo, 12, 400, L"IPAPGothic" },
                 { &game.f.labMid(1), 21.75, 700, L"Liberation Sans" }, { &game.f.labCoins, 14.25, 700, L"Liberation Sans" } }) {
            HFONT font = control == &game.f.cmdGo ? reinterpret_cast<HFONT>(SendMessageW(game[*control], WM_GETFONT, 0, 0)) : game.window.FontOf(*control);
            LOGFONTW logFont {};
            REQUIRE(GetObjectW(font, sizeof logFont, &logFont) == sizeof logFont);
            CHECK((logFont.lfHeight == -std::lround(points * dpi / 72) && logFont.lfWeight == weight && logFont.lfFaceName == face));
        }
    }
    SetSysColors(std::size(elements), elements, standard);
}

TEST_CASE("the icons of the game-over message and of the fatal report")
{
    Game over;
    CHECK(IconOfMessage([&over] { over.f.Coins = 5, over.runtime.Click(over.f.cmdGo); }) == LoadIconW(nullptr, IDI_WARNING));
    Game fatal;
    CHECK(IconOfMessage([&fatal] { fatal.runtime.RaiseEvent([] { forms::Raise(forms::ErrorNumber::Overflow); }); }) == LoadIconW(nullptr, IDI_ERROR));
}

TEST_CASE("vantu.exe's version record, read back from the file")
{
    std::vector<char> record(GetFileVersionInfoSizeW(L"vantu.exe", nullptr));
    REQUIRE((!record.empty() && GetFileVersionInfoW(L"vantu.exe", 0, static_cast<DWORD>(record.size()), record.data()) != FALSE));
    UINT length = 0;
    const auto value = [&record, &length](const std::wstring& path) -> const void* { void* data = nullptr; return VerQueryValueW(record.data(), path.c_str(), &data, &length) != FALSE ? data : nullptr; };
    // One string table, Japanese in UTF-16; the version, of an application for 32-bit Windows.
    const auto* translation = static_cast<const WORD*>(value(L"\\VarFileInfo\\Translation"));
    CHECK((translation != nullptr && length == 4 && translation[0] == 0x0411 && translation[1] == 1200));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
    REQUIRE(fixed != nullptr);
    char version[16];
    std::snprintf(version, sizeof version, "%u.%02u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS));
    CHECK((version == std::string(kAppVersion) && fixed->dwFileVersionLS == 0 && fixed->dwProductVersionMS == fixed->dwFileVersionMS && fixed->dwProductVersionLS == 0));
    CHECK((fixed->dwFileOS == VOS__WINDOWS32 && fixed->dwFileType == VFT_APP && fixed->dwFileFlags == 0));
    for (const auto& [field, text] : { std::pair<const wchar_t*, std::string> { L"CompanyName", "The Vantu developers" }, { L"FileDescription", kAppName }, { L"FileVersion", kAppVersion }, { L"InternalName", kAppName },
             { L"LegalCopyright", "Copyright 2026 The Vantu developers, MIT licence" }, { L"OriginalFilename", "vantu.exe" }, { L"ProductName", kAppName }, { L"ProductVersion", kAppVersion } }) {
        const auto* data = static_cast<const wchar_t*>(value(std::wstring(L"\\StringFileInfo\\041104B0\\") + field));
        CHECK((data != nullptr && data == forms::win32::Widen(text)));
    }
}
