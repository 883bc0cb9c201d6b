// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The game's window on the Win32 backend, run under Wine or Windows: every
// control where the design puts it at several DPIs, read back from the
// painted window with its fonts. (msaa_client.cpp plays the program itself,
// as a screen reader does, to its endings.)

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include "forms/geometry.h"
#include "forms/win32/form_window.h"
#include "forms/win32/win32_platform.h"
#include "window/frmMain.h"

#include <uxtheme.h>

#include <cmath>
#include <string>

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

} // namespace

TEST_CASE("the window against the design, at 100 %, 125 %, 150 % and 200 %")
{
    Game game;
    HWND form = game.window.Handle();
    const LONG style = GetWindowLongW(form, GWL_STYLE);
    CHECK((style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX));
    CHECK(SendMessageW(form, WM_GETICON, ICON_SMALL, 0) != 0);
    CHECK(GetWindowTheme(game[game.f.cmdGo]) != nullptr); // the system's themed buttons, as the manifest asks
    CHECK(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(form)) == DPI_AWARENESS_PER_MONITOR_AWARE);
    for (const int dpi : { 96, 120, 144, 192 }) {
        CAPTURE(dpi);
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
}
