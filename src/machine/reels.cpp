// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The reel strips and the reel window.

#include "window/frmMain.h"

using forms::Integer;

void frmMain::InitReels()
{
    // Each strip holds every symbol once; the strips run downward through
    // the window, so position p - 1 shows above position p.
    static constexpr const char* kStrips[3][10] = {
        { "$", "*", "-", "#", "7", "C", "?", "=", "+", "%" },
        { "=", "#", "C", "*", "?", "-", "7", "$", "+", "%" },
        { "$", "+", "=", "?", "C", "7", "#", "-", "*", "%" },
    };
    for (Integer r = 1; r <= 3; r = r + 1) {
        for (Integer i = 1; i <= 10; i = i + 1)
            ReelStrip(r, i) = kStrips[r.Value() - 1][i.Value() - 1];
    }

    // One draw per reel, left to right: a position from 1 to 10, each
    // equally likely.
    for (Integer r = 1; r <= 3; r = r + 1)
        ReelPos(r) = forms::CInt(forms::Int(Rnd() * 10.0) + 1.0);
}

void frmMain::ShowReels()
{
    ShowReel(labLeft, 1);
    ShowReel(labMid, 2);
    ShowReel(labRight, 3);
}

// Middle row first, then the row above (the strip wraps from 1 to 10), then
// the row below (from 10 to 1). Every cell is written on every call.
void frmMain::ShowReel(forms::ControlArray<forms::Label, 3>& cells, Integer r)
{
    cells(1).Caption = ReelStrip(r, ReelPos(r));

    const Integer above = ReelPos(r) - 1;
    cells(0).Caption = ReelStrip(r, ReelPos(r) == 1 ? Integer(10) : above);

    const Integer below = ReelPos(r) + 1;
    cells(2).Caption = ReelStrip(r, ReelPos(r) == 10 ? Integer(1) : below);
}
