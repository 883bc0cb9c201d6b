// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// One play: the stake, the spin and the stops.

#include "window/frmMain.h"

using forms::Integer;

void frmMain::cmdGo_Click()
{
    Coins = Coins - kStake;
    if (Coins < 0) {
        MsgBox("You ran out of your coins!", forms::vbExclamation, "GameOver");
        End();
    }
    labCoins.Caption = forms::CStr(Coins);
    SpinReels();
}

void frmMain::cmdLeft_Click()
{
    Stopped(1) = -1;
}

void frmMain::cmdMid_Click()
{
    Stopped(2) = -1;
}

void frmMain::cmdRight_Click()
{
    Stopped(3) = -1;
}

// Steps every spinning reel one position down per sweep and lets the
// window handle its events once per sweep, which is when the stop buttons'
// clicks arrive. Runs until all three reels have stopped, then judges.
void frmMain::SpinReels()
{
    cmdLeft.Enabled = true;
    cmdMid.Enabled = true;
    cmdRight.Enabled = true;
    cmdGo.Enabled = false;

    Stopped(1) = 0;
    Stopped(2) = 0;
    Stopped(3) = 0;

    for (Integer k = 0; k <= 4; k = k + 1)
        shpReach(k).BackColor = kLampUnlit;

    while (Stopped(1) != -1 || Stopped(2) != -1 || Stopped(3) != -1) {
        for (Integer r = 1; r <= 3; r = r + 1) {
            if (Stopped(r) == 0) {
                ReelPos(r) = ReelPos(r) - 1;
                if (ReelPos(r) == 0)
                    ReelPos(r) = 10;
            }
            ShowReels();
        }
        DoEvents();
    }

    cmdLeft.Enabled = false;
    cmdMid.Enabled = false;
    cmdRight.Enabled = false;
    JudgeLines();
    cmdGo.Enabled = true;
}
