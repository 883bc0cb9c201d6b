// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The game's form as the runtime lays it out on a page, for the page's tests:
// for each screen named on the command line as RATIO,WIDTH,HEIGHT,TOUCH (a
// device pixel ratio, the view in CSS pixels, 1 for a touch screen), the
// density the page lays the form out at and, at it, in device pixels: the
// form's size, a frame line's width, and each control's box (left, top,
// right, bottom from the form's corner) by the name a screen reader hears.
// Printed as a JSON list, one entry a screen.

#include "forms/geometry.h"
#include "machine.h"

#include <cstdio>

int main(int argc, char** argv)
{
    using forms::kDesignDpi, forms::TwipsToPixels;
    Machine g;
    const frmMain& form = g.form;
    std::printf("[");
    for (int i = 1; i < argc; ++i) {
        double ratio = 0, width = 0, height = 0;
        int touch = 0;
        if (std::sscanf(argv[i], "%lf,%lf,%lf,%d", &ratio, &width, &height, &touch) != 4) return 2;
        const int dpi = forms::PageDensity(ratio, width, height, touch != 0, TwipsToPixels(form.ClientWidth, kDesignDpi), TwipsToPixels(form.ClientHeight, kDesignDpi));
        std::printf("%s{\"dpi\": %d, \"line\": %d, \"form\": [%d, %d], \"controls\": {", i > 1 ? ", " : "", dpi, forms::LineWidth(dpi), TwipsToPixels(form.ClientWidth, dpi), TwipsToPixels(form.ClientHeight, dpi));
        const char* separator = "";
        for (const forms::Control* control : form.Controls()) {
            const forms::PixelRect box = forms::PixelsOf(*control, dpi);
            std::printf("%s\"%s\": [%d, %d, %d, %d]", separator, control->AccessibleName.Get().c_str(), box.Left, box.Top, box.Right, box.Bottom);
            separator = ", ";
        }
        std::printf("}}");
    }
    std::printf("]\n");
}
