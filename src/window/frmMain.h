// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

#pragma once

// The game's one window: its controls, its state and its event handlers.
// The design and start-up live here in src/window/; the handlers and
// procedures that run the machine live in src/machine/.

#include "forms/arrays.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/values.h"

#include <cstdint>
#include <optional>
#include <string>

// The balance a game starts with. A test build starts lower, to reach the
// end of a game at once; the program itself reads no settings.
#ifndef VANTU_STARTING_COINS
#define VANTU_STARTING_COINS 500
#endif

class frmMain : public forms::Form {
public:
    explicit frmMain(forms::Runtime& runtime);

    // Defined in frmMain.cpp, not here: the class must read the same in
    // every source, and a test build compiles only some with its balance.
    static const std::int32_t kStartingCoins;
    static constexpr std::int32_t kStake = 10;
    static constexpr forms::Color kLampUnlit = 0x808080; // grey
    static constexpr forms::Color kLampLit = 0xC0FFFF; // pale yellow
    // The rows (0 top, 1 middle, 2 bottom) of each pay line's left, middle
    // and right cell, in the order the lines are judged. Line k's lamp is
    // shpReach(k), which stands where the line leaves the reel window on the
    // right.
    static constexpr int kLineRows[5][3] = {
        { 2, 1, 0 }, // 0: rising diagonal
        { 0, 0, 0 }, // 1: top row
        { 1, 1, 1 }, // 2: middle row
        { 2, 2, 2 }, // 3: bottom row
        { 0, 1, 2 }, // 4: falling diagonal
    };

    // Controls.
    forms::ControlArray<forms::Label, 3> labLeft { "labLeft" };
    forms::ControlArray<forms::Label, 3> labMid { "labMid" };
    forms::ControlArray<forms::Label, 3> labRight { "labRight" };
    forms::ControlArray<forms::Shape, 5> shpReach { "shpReach" };
    forms::CommandButton cmdLeft;
    forms::CommandButton cmdMid;
    forms::CommandButton cmdRight;
    forms::CommandButton cmdGo;
    forms::Label labCoins;

    // State. Each per-reel array is indexed by reel number, 1 (left) to 3
    // (right); entry 0 is never used.
    forms::Long Coins;
    forms::Array<forms::Integer, 0, 3> Stopped; // -1 stopped, 0 spinning
    forms::Array<forms::Integer, 0, 3> ReelPos; // strip position 1 to 10 in the middle row
    forms::Array2D<std::string, 0, 3, 0, 10> ReelStrip;

    // Event handlers.
    void Form_Load() override;
    // Tells a screen reader what the window shows now that the reels are
    // still: each cell's symbol in words, each lamp's state, the balance,
    // and on GO the result of the play that has just ended.
    void ControlsAtRest() override;
    void cmdGo_Click();
    void cmdLeft_Click();
    void cmdMid_Click();
    void cmdRight_Click();

    // Fills the strips and draws a random start position for each reel.
    void InitReels();
    // Writes the nine reel cells from ReelPos and ReelStrip.
    void ShowReels();
    // Runs one spin until all three reels have stopped, then judges it.
    void SpinReels();
    // Lights the lamps of the winning lines and credits their pay.
    void JudgeLines();

private:
    void ShowReel(forms::ControlArray<forms::Label, 3>& cells, forms::Integer r);
    // What the play that started from `coinsBefore` won, and the balance.
    std::string PlayResult(std::int32_t coinsBefore) const;

    // The balance when the controls last came to rest; none before the load.
    std::optional<std::int32_t> coinsAtRest_;
};
