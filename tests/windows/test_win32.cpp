// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The game's window on the Win32 backend, run under Wine or Windows: every
// control where the design puts it at several DPIs, read back from the
// painted window with its fonts, also under a dark and a high-contrast
// colour scheme, and every symbol whole in its cell; the icons of the
// message boxes that end the program; and vantu.exe's version record, read
// back from the file. (msaa_client.cpp plays the program itself, as a screen
// reader does, and test_msaa.py judges the plays.)

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include "forms/geometry.h"
#include "forms/win32/conversions.h"
#include "forms/win32/form_window.h"
#include "forms/win32/painting.h"
#include "forms/win32/win32_platform.h"
#include "machine.h"

#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Game = Started<forms::win32::FormWindow, forms::win32::Win32Platform>;

// The game as the program starts it, its window in the foreground; `test`
// runs where the program runs its event loop.
template <typename Test>
void Play(Test&& test)
{
    RunGame<forms::win32::FormWindow, forms::win32::Win32Platform>([&](Game& game) {
        SetForegroundWindow(game.window.Handle());
        game.platform.DoEvents();
        test(game);
    });
}

const auto Pixel = [](HWND window, int x, int y) { HDC dc = GetDC(window); const COLORREF colour = GetPixel(dc, x, y); ReleaseDC(window, dc); return colour; };

// Whether any pixel of rect has the colour.
bool Painted(HWND window, RECT rect, COLORREF colour)
{
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (Pixel(window, x, y) == colour) return true;
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

// How much ink the label paints for `text` in a box `width` pixels wide and
// as high as the label at 96 dpi: how far its pixels move from those of the
// label painted empty, which is painted below it.
long long Ink(const forms::Label& label, HFONT font, int width, std::wstring_view text)
{
    const int height = forms::PixelsOf(label, 96).Height();
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, 2 * height);
    HGDIOBJ before = SelectObject(memory, bitmap);
    forms::win32::PaintLabel(memory, RECT { 0, 0, width, height }, label, text, font, 96);
    forms::win32::PaintLabel(memory, RECT { 0, height, width, 2 * height }, label, L"", font, 96);
    long long sum = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (const int shift : { 0, 8, 16 }) sum += std::abs(static_cast<int>(GetPixel(memory, x, y) >> shift & 0xFF) - static_cast<int>(GetPixel(memory, x, y + height) >> shift & 0xFF));
    SelectObject(memory, before), DeleteObject(bitmap), DeleteDC(memory), ReleaseDC(nullptr, screen);
    return sum;
}

} // namespace

TEST_CASE("the window against the design, at 100 %, 125 %, 150 % and 200 %, in a light, a dark and a high-contrast scheme")
{
    Play([](Game& game) {
        // Every symbol whole in its cell, however wide the look-alike face
        // draws it: the ink it puts there is all the ink it puts in a copy of
        // the cell wide enough for any glyph.
        const forms::Label& cell = game.f.labLeft(0);
        for (const wchar_t& symbol : std::wstring_view(L"$*-#7C?=+%")) {
            const std::wstring_view text(&symbol, 1);
            const long long whole = Ink(cell, game.window.FontOf(cell), 300, text);
            CHECK(Values(static_cast<char>(symbol), whole > 0, Ink(cell, game.window.FontOf(cell), forms::PixelsOf(cell, 96).Width(), text) >= whole * 98 / 100) == Values(static_cast<char>(symbol), true, true));
        }
        HWND form = game.window.Handle();
        const LONG style = GetWindowLongW(form, GWL_STYLE);
        CHECK((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
        CHECK(SendMessageW(form, WM_GETICON, ICON_SMALL, 0) != 0);
        CHECK(GetWindowTheme(game.window.HandleOf(game.f.cmdGo)) != nullptr); // the system's themed buttons, as the manifest asks
        CHECK(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(form)) == DPI_AWARENESS_PER_MONITOR_AWARE);
        // A DPI, and the colours a scheme gives (none: the standard scheme's):
        // the window keeps its own, and the reel symbols stay black where the
        // scheme's text (white, yellow) would not read on their pink.
        constexpr int elements[] = { COLOR_WINDOWTEXT, COLOR_WINDOW, COLOR_BTNFACE, COLOR_BTNTEXT };
        COLORREF standard[std::size(elements)];
        std::transform(std::begin(elements), std::end(elements), standard, GetSysColor);
        for (const auto& [dpi, scheme] : { std::pair<int, std::array<COLORREF, 4>> { 96, {} }, { 120, { RGB(255, 255, 255), RGB(32, 32, 32), RGB(51, 51, 51), RGB(255, 255, 255) } }, { 144, { RGB(255, 255, 0), 0, 0, RGB(255, 255, 0) } }, { 192, {} } }) {
            SetSysColors(std::size(elements), elements, scheme[0] == 0 ? standard : scheme.data()); // tells every window, as a switch of scheme does
            RECT suggested { 40, 30, 0, 0 };
            SendMessageW(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            // The window painted at the DPI; then a lamp put out or lit, which
            // alone must be painted again.
            RedrawWindow(form, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
            game.f.shpReach(2).BackColor = game.f.shpReach(2).BackColor.Get() == frmMain::kLampLit ? frmMain::kLampUnlit : frmMain::kLampLit;
            RedrawWindow(form, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
            RECT client;
            GetClientRect(form, &client);
            CHECK(Values(dpi, client.right, client.bottom) == Values(dpi, forms::TwipsToPixels(game.f.ClientWidth, dpi), forms::TwipsToPixels(game.f.ClientHeight, dpi)));
            const int line = forms::LineWidth(dpi);
            for (forms::Control* control : game.f.Controls()) {
                RECT r;
                GetWindowRect(game.window.HandleOf(*control), &r);
                MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&r), 2);
                const forms::PixelRect design = forms::PixelsOf(*control, dpi);
                // Every row of values starts with the DPI and the control.
                const std::string at = std::to_string(dpi) + " dpi " + control->Name + std::to_string(control->Index);
                CHECK(Values(at, r.left, r.top, r.right, r.bottom) == Values(at, design.Left, design.Top, design.Right, design.Bottom));
                if (auto* lamp = dynamic_cast<forms::Shape*>(control)) {
                    // A circle: the corner is the pale blue form's.
                    CHECK(Values(at, Pixel(form, (r.left + r.right) / 2, (r.top + r.bottom) / 2), Pixel(form, r.left, r.top)) == Values(at, lamp->BackColor.Get(), 0xFFC0C0));
                } else if (auto* label = dynamic_cast<forms::Label*>(control)) {
                    // A sunken frame of two lines; inside, the text, black on pink
                    // and centred, or pale yellow on navy and right-justified.
                    CHECK(Values(at, Pixel(form, r.left + line - 1, r.top), Pixel(form, r.left + line, r.top + line), Pixel(form, r.right - 1, r.bottom - line)) == Values(at, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT)));
                    const bool counter = label == &game.f.labCoins;
                    const COLORREF text = counter ? 0xC0FFFF : 0;
                    const int inset = forms::TextInset(*label, dpi), middle = (r.left + r.right) / 2 - (counter ? 0 : inset);
                    CHECK(Values(at, Painted(form, { middle, r.top, r.right, r.bottom }, text), Painted(form, { r.left + inset + line, r.top, middle, r.bottom }, text)) == Values(at, true, !counter));
                }
            }
            // The fonts at the DPI, in the look-alikes of the design's faces that
            // Wine finds installed here (fonts-ipafont-gothic, fonts-liberation2).
            for (const auto& [control, points, weight, face] : { std::tuple<forms::Control*, double, LONG, std::string> { &game.f.cmdGo, 12, 400, "IPAPGothic" },
                     { &game.f.labMid(1), 21.75, 700, "Liberation Sans" }, { &game.f.labCoins, 14.25, 700, "Liberation Sans" } }) {
                HWND window = game.window.HandleOf(*control);
                HFONT font = control == &game.f.cmdGo ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) : game.window.FontOf(*control);
                LOGFONTW logFont {};
                REQUIRE(GetObjectW(font, sizeof logFont, &logFont) == sizeof logFont);
                const std::wstring_view drawn = logFont.lfFaceName;
                CHECK(Values(dpi, control->Name, logFont.lfHeight, logFont.lfWeight, std::string(drawn.begin(), drawn.end())) == Values(dpi, control->Name, -forms::FontPixels(points, dpi), weight, face));
            }
        }
        SetSysColors(std::size(elements), elements, standard);
    });
}

TEST_CASE("the icons of the game-over message and of the fatal report")
{
    Play([](Game& over) { CHECK(IconOfMessage([&over] { over.f.Coins = 5, over.runtime.Click(over.f.cmdGo); }) == LoadIconW(nullptr, IDI_WARNING)); });
    Play([](Game& fatal) { CHECK(IconOfMessage([&fatal] { fatal.runtime.RaiseEvent([] { forms::Raise(forms::ErrorNumber::Overflow); }); }) == LoadIconW(nullptr, IDI_ERROR)); });
}

TEST_CASE("vantu.exe's version record, read back from the file")
{
    std::vector<char> record(GetFileVersionInfoSizeW(L"vantu.exe", nullptr));
    REQUIRE(GetFileVersionInfoW(L"vantu.exe", 0, static_cast<DWORD>(record.size()), record.data()) != FALSE);
    UINT length = 0;
    const auto value = [&record, &length](const std::wstring& path) -> const void* { void* data = nullptr; return VerQueryValueW(record.data(), path.c_str(), &data, &length) != FALSE ? data : nullptr; };
    // One string table, Japanese in UTF-16; the version, of an application for 32-bit Windows.
    const auto* translation = static_cast<const WORD*>(value(L"\\VarFileInfo\\Translation"));
    REQUIRE(translation != nullptr);
    CHECK(Values(length, translation[0], translation[1]) == Values(4, 0x0411, 1200));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value(L"\\"));
    REQUIRE(fixed != nullptr);
    char version[16];
    std::snprintf(version, sizeof version, "%u.%02u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS));
    CHECK(Values(version, fixed->dwFileVersionLS, fixed->dwProductVersionMS, fixed->dwProductVersionLS, fixed->dwFileOS, fixed->dwFileType, fixed->dwFileFlags) == Values(kAppVersion, 0, fixed->dwFileVersionMS, 0, VOS__WINDOWS32, VFT_APP, 0));
    for (const auto& [field, text] : { std::pair<std::string, std::string> { "CompanyName", "The Vantu developers" }, { "FileDescription", kAppName }, { "FileVersion", kAppVersion }, { "InternalName", kAppName },
             { "LegalCopyright", "Copyright 2026 The Vantu developers, MIT licence" }, { "OriginalFilename", "vantu.exe" }, { "ProductName", kAppName }, { "ProductVersion", kAppVersion } }) {
        const auto* data = static_cast<const wchar_t*>(value(forms::win32::Widen("\\StringFileInfo\\041104B0\\" + field)));
        const std::wstring_view told = data != nullptr ? data : L"(none)";
        CHECK(Values(field, std::string(told.begin(), told.end())) == Values(field, text));
    }
}
