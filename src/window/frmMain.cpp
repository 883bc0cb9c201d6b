// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// Start-up: what the form does before the window is first shown.

#include "frmMain.h"

const std::int32_t frmMain::kStartingCoins = VANTU_STARTING_COINS;

void frmMain::Form_Load()
{
    Randomize();
    InitReels();
    ShowReels();
    Coins = kStartingCoins;
    Stopped(1) = 0;
    Stopped(2) = 0;
    Stopped(3) = 0;
}
