// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#include "painting.h"

#include "conversions.h"

#include "forms/colors.h"
#include "forms/geometry.h"

namespace forms::win32 {

namespace {

// With the DC's own brush: nothing to create and delete at each of the
// many fills of a spin's repaints.
void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// One band of a sunken frame, `width` pixels wide just inside rect: the top
// and left sides in one colour, the bottom and right sides, which own the
// two corners they share with the others, in another (as DrawEdge does).
void FillBand(HDC dc, const RECT& rect, int width, COLORREF topLeft, COLORREF bottomRight)
{
    Fill(dc, { rect.left, rect.top, rect.right - width, rect.top + width }, topLeft);
    Fill(dc, { rect.left, rect.top, rect.left + width, rect.bottom - width }, topLeft);
    Fill(dc, { rect.right - width, rect.top, rect.right, rect.bottom }, bottomRight);
    Fill(dc, { rect.left, rect.bottom - width, rect.right, rect.bottom }, bottomRight);
}

UINT ToDrawTextAlignment(TextAlign alignment)
{
    switch (alignment) {
    case TextAlign::RightJustify:
        return DT_RIGHT;
    case TextAlign::Center:
        return DT_CENTER;
    case TextAlign::LeftJustify:
        break;
    }
    return DT_LEFT;
}

} // namespace

void PaintLabel(HDC dc, RECT rect, const Label& label, std::wstring_view text, HFONT font, UINT dpi)
{
    Fill(dc, rect, ToColorRef(label.BackColor));
    RECT area = rect;
    const int inset = TextInset(label, static_cast<int>(dpi));
    InflateRect(&area, -inset, -inset);
    if (label.BorderStyle == Border::FixedSingle) {
        // The platform's sunken frame: two lines, each as wide as one pixel
        // at 96 dpi, on whole pixels at every DPI.
        const int line = LineWidth(static_cast<int>(dpi));
        FillBand(dc, rect, line, ToColorRef(vbButtonShadow), ToColorRef(vb3DHighlight));
        InflateRect(&rect, -line, -line);
        FillBand(dc, rect, line, ToColorRef(vb3DDKShadow), ToColorRef(vb3DLight));
    }
    if (text.empty())
        return;
    const int saved = SaveDC(dc);
    if (font != nullptr)
        SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, forms::TextColor(label.ForeColor, label.BackColor, ToColorRef));
    // Labels put their text at the top of their text area and wrap it at
    // word boundaries; DrawText centres a line wider than the area on both
    // sides alike.
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &area,
        DT_WORDBREAK | DT_NOPREFIX | DT_TOP | ToDrawTextAlignment(label.Alignment));
    RestoreDC(dc, saved);
}

void PaintShape(HDC dc, RECT rect, const Shape& shape, Color formBack, UINT dpi)
{
    Fill(dc, rect, ToColorRef(formBack));
    const int saved = SaveDC(dc);
    // The outline lies inside the shape's square, as wide as one pixel at
    // 96 dpi.
    HPEN pen = CreatePen(PS_INSIDEFRAME, LineWidth(static_cast<int>(dpi)), ToColorRef(shape.BorderColor));
    HBRUSH brush = shape.Filled() ? CreateSolidBrush(ToColorRef(shape.BackColor)) : nullptr;
    SelectObject(dc, pen);
    SelectObject(dc, brush != nullptr ? brush : GetStockObject(NULL_BRUSH));
    if (shape.Round())
        Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    else
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    RestoreDC(dc, saved);
    DeleteObject(pen);
    if (brush != nullptr)
        DeleteObject(brush);
}

} // namespace forms::win32
