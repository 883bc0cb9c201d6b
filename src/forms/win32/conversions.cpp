// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "conversions.h"

#include "forms/colors.h"
#include "forms/fonts.h"
#include "forms/geometry.h"

#include <cmath>

namespace forms::win32 {

RECT PixelRect(const Control& control, UINT dpi)
{
    const forms::PixelRect edges = PixelsOf(control, static_cast<int>(dpi));
    return { edges.Left, edges.Top, edges.Right, edges.Bottom };
}

SIZE ClientSize(int widthTwips, int heightTwips, UINT dpi)
{
    return { TwipsToPixels(widthTwips, static_cast<int>(dpi)), TwipsToPixels(heightTwips, static_cast<int>(dpi)) };
}

COLORREF ToColorRef(Color color)
{
    if (IsSystemColor(color))
        return GetSysColor(static_cast<int>(color & 0xFFu));
    return color & 0xFFFFFFu;
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

HFONT CreateFontFor(const StdFont& font, UINT dpi)
{
    LOGFONTW logFont {};
    logFont.lfHeight = -FontPixels(font.Size, static_cast<int>(dpi));
    logFont.lfWeight = font.Weight;
    logFont.lfItalic = font.Italic ? TRUE : FALSE;
    logFont.lfUnderline = font.Underline ? TRUE : FALSE;
    logFont.lfStrikeOut = font.Strikethrough ? TRUE : FALSE;
    logFont.lfQuality = CLEARTYPE_QUALITY;
    logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring face = Widen(
        InstalledFace(font.Name, [](std::string_view name) { return IsInstalled(Widen(name)); }));
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

} // namespace forms::win32
