// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The page's yardstick: a program that only returns, built as the game is,
// marking the moment the game's page marks when its form is shown.

#include <emscripten.h>

int main()
{
    EM_ASM({ performance.mark('form shown'); });
    return 0;
}
