#pragma once

// The game's form on the plain forms runtime, with a scripted platform,
// and what the unit tests share to drive it.

#include "scripted_platform.h"
#include "window/frmMain.h"

struct Machine {
    ScriptedPlatform platform;
    forms::Runtime runtime { platform };
    frmMain form { runtime };

    // Puts the three reels at these strip positions and shows them.
    void ShowStops(int left, int middle, int right)
    {
        form.ReelPos(1) = left;
        form.ReelPos(2) = middle;
        form.ReelPos(3) = right;
        form.ShowReels();
    }
};
