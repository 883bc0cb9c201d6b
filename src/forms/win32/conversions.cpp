// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "conversions.h"

#include "forms/colors.h"

#include <array>
#include <cmath>

namespace forms::win32 {

int TwipsToPixels(int twips, UINT dpi)
{
    return static_cast<int>(std::floor(twips * static_cast<double>(dpi) / 1440.0 + 0.5));
}

RECT PixelRect(const Control& control, UINT dpi)
{
    return { TwipsToPixels(control.Left, dpi), TwipsToPixels(control.Top, dpi),
        TwipsToPixels(control.Left + control.Width, dpi), TwipsToPixels(control.Top + control.Height, dpi) };
}

int LineWidth(UINT dpi)
{
    return dpi < kDesignDpi ? 1 : static_cast<int>((dpi + kDesignDpi / 2) / kDesignDpi);
}

COLORREF ToColorRef(Color color)
{
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(color & 0xFFu));
    return color & 0xFFFFFFu;
}

COLORREF TextColor(Color fore, Color back)
{
    if (!IsSystemColor(fore) || IsSystemColor(back))
        return ToColorRef(fore);
    return LegibleSystemColor(fore, ToColorRef(fore), back);
}

namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one is enough
}

bool IsInstalled(const std::wstring& face)
{
    LOGFONTW query {};
    query.lfCharSet = DEFAULT_CHARSET;
    face.copy(query.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExW(screen, &query, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

} // namespace

std::wstring InstalledFace(const StdFont& font)
{
    std::wstring face = Widen(font.Name);
    if (IsInstalled(face))
        return face;
    // The Japanese UI faces are an optional feature outside Japan: for a
    // Japanese face, its Latin name, the other Japanese UI faces, and
    // IPAPGothic, which has MS PGothic's metrics (Wine finds it among a Linux
    // desktop's fonts); then Arial or its metric twin, and the proportional
    // sans-serif faces that every Windows (Segoe UI) and Wine (Tahoma) has.
    static constexpr std::array<const wchar_t*, 4> kJapanese { L"MS PGothic", L"Meiryo UI", L"Yu Gothic UI",
        L"IPAPGothic" };
    static constexpr std::array<const wchar_t*, 4> kLatin { L"Arial", L"Liberation Sans", L"Segoe UI", L"Tahoma" };
    if (font.Charset == SHIFTJIS_CHARSET) {
        for (const wchar_t* substitute : kJapanese) {
            if (IsInstalled(substitute))
                return substitute;
        }
    }
    for (const wchar_t* substitute : kLatin) {
        if (IsInstalled(substitute))
            return substitute;
    }
    return face;
}

HFONT CreateFontFor(const StdFont& font, UINT dpi)
{
    LOGFONTW logFont {};
    logFont.lfHeight = -static_cast<LONG>(std::lround(font.Size * dpi / 72.0));
    logFont.lfWeight = font.Weight;
    logFont.lfItalic = font.Italic ? TRUE : FALSE;
    logFont.lfUnderline = font.Underline ? TRUE : FALSE;
    logFont.lfStrikeOut = font.Strikethrough ? TRUE : FALSE;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring face = InstalledFace(font);
    // A substitute is asked for in any character set it has; the design's
    // own face in the design's.
    logFont.lfCharSet = face == Widen(font.Name) ? static_cast<BYTE>(font.Charset) : BYTE { DEFAULT_CHARSET };
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&logFont);
}

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), result.data(), length);
    return result;
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
        nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), result.data(), length, nullptr,
        nullptr);
    return result;
}

} // namespace forms::win32
