// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// frmMain as designed: the window and its nineteen controls. Positions and
// sizes are in twips (15 to a pixel at 96 dpi); colours are 0x00BBGGRR.

#include "frmMain.h"

#include "forms/language.h"

#include <array>
#include <string_view>

namespace {

#include "../../resources/vantu.xpm"

using forms::Appearance;
using forms::Border;
using forms::ControlDesign;
using forms::Fill;
using forms::ShapeKind;
using forms::StdFont;
using forms::TextAlign;
// The names and descriptions are English; the runtime gives the player
// them in the player's language.
using forms::TrLater;

constexpr StdFont kFormFont { .Name = "ＭＳ Ｐゴシック", .Size = 12, .Weight = 400, .Charset = 128 };
constexpr StdFont kReelFont { .Name = "Arial", .Size = 21.75, .Weight = 700, .Charset = 0 };
constexpr StdFont kCoinsFont { .Name = "Arial", .Size = 14.25, .Weight = 700, .Charset = 0 };

constexpr Appearance kReelCell {
    .BackColor = 0xC0C0FF, // pale pink
    .ForeColor = forms::vbWindowText,
    .BorderStyle = Border::FixedSingle,
    .Alignment = TextAlign::Center,
    .Font = &kReelFont,
};
constexpr Appearance kLamp {
    .BackColor = frmMain::kLampUnlit,
    .ForeColor = 0x000000, // the outline
    .BackStyle = Fill::Opaque,
    .Kind = ShapeKind::Circle,
};
constexpr Appearance kCounter {
    .BackColor = 0x800000, // navy
    .ForeColor = frmMain::kLampLit, // pale yellow, as a lit lamp
    .BorderStyle = Border::FixedSingle,
    .Alignment = TextAlign::RightJustify,
    .Font = &kCoinsFont,
};

constexpr forms::FormDesign kForm {
    .Caption = "Vantu",
    .ClientWidth = 2610,
    .ClientHeight = 3210,
    .BackColor = 0xFFC0C0, // pale blue
    .Font = &kFormFont,
    .Icon = vantu_xpm,
};

// The counter shows the starting balance until the first press of GO.
#define VANTU_TEXT(x) #x
#define VANTU_NUMBER_TEXT(x) VANTU_TEXT(x)
constexpr const char* kCoins = VANTU_NUMBER_TEXT(VANTU_STARTING_COINS);

// What a screen reader hears of GO before the first play. The descriptions
// that follow the game (cells, lamps, balance) are composed once the load
// has run.
// TRANSLATORS: GO's description before the first spin: each press of GO
// is one spin of the reels, and costs 10 coins.
constexpr std::string_view kGoDescription = TrLater("Starts a play for 10 coins.");

constexpr int kNoTab = -1; // lamps never take the focus
constexpr bool kOn = true, kOff = false;

// clang-format off
constexpr std::array<ControlDesign, 19> kControls { {
    // Name        Index  Left   Top  Width Height  Tab  Caption  Enabled  Look
    //   AccessibleName, AccessibleDescription
    { "labLeft",     0,   330,   225,  420,   540,    0, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Left reel, top row"), "" },
    { "labLeft",     1,   330,   810,  420,   540,    1, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Left reel, middle row"), "" },
    { "labLeft",     2,   330,  1395,  420,   540,    2, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Left reel, bottom row"), "" },
    { "labMid",      0,   795,   225,  420,   540,    3, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Middle reel, top row"), "" },
    { "labMid",      1,   795,   810,  420,   540,    4, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Middle reel, middle row"), "" },
    { "labMid",      2,   795,  1395,  420,   540,    5, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Middle reel, bottom row"), "" },
    { "labRight",    0,  1275,   225,  420,   540,    6, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Right reel, top row"), "" },
    { "labRight",    1,  1275,   810,  420,   540,    7, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Right reel, middle row"), "" },
    { "labRight",    2,  1275,  1395,  420,   540,    8, "",      kOn,  &kReelCell,
      // TRANSLATORS: a cell of the reels, named by reel, then row.
      TrLater("Right reel, bottom row"), "" },
    { "shpReach",    0,  1785,    45,  210,   210, kNoTab, "",    kOn,  &kLamp,
      // TRANSLATORS: a pay line's lamp, named by its line: the line from the
      // bottom left cell to the top right one.
      TrLater("Rising diagonal"), "" },
    { "shpReach",    1,  1785,   405,  210,   210, kNoTab, "",    kOn,  &kLamp,
      // TRANSLATORS: a pay line's lamp: the top row of the three reels.
      TrLater("Top row"), "" },
    { "shpReach",    2,  1785,   945,  210,   210, kNoTab, "",    kOn,  &kLamp,
      // TRANSLATORS: a pay line's lamp: the middle row.
      TrLater("Middle row"), "" },
    { "shpReach",    3,  1785,  1560,  210,   210, kNoTab, "",    kOn,  &kLamp,
      // TRANSLATORS: a pay line's lamp: the bottom row.
      TrLater("Bottom row"), "" },
    { "shpReach",    4,  1785,  1935,  210,   210, kNoTab, "",    kOn,  &kLamp,
      // TRANSLATORS: a pay line's lamp: the line from the top left cell to the
      // bottom right one.
      TrLater("Falling diagonal"), "" },
    { "cmdLeft",    -1,   375,  2160,  315,   285,    9, "*",     kOff, nullptr,
      // TRANSLATORS: the button under the left reel, which stops it.
      TrLater("Stop left reel"), "" },
    { "cmdMid",     -1,   855,  2160,  315,   285,   10, "*",     kOff, nullptr,
      // TRANSLATORS: the button under the middle reel, which stops it.
      TrLater("Stop middle reel"), "" },
    { "cmdRight",   -1,  1335,  2160,  315,   285,   11, "*",     kOff, nullptr,
      // TRANSLATORS: the button under the right reel, which stops it.
      TrLater("Stop right reel"), "" },
    { "cmdGo",      -1,  2130,   285,  375,  1665,   12, "GO",    kOn,  nullptr,
      "GO", kGoDescription },
    { "labCoins",   -1,   165,  2640, 2295,   405,   13, kCoins,  kOn,  &kCounter,
      // TRANSLATORS: the coin counter: the coins the player has now.
      TrLater("Balance"), "" },
} };
// clang-format on

} // namespace

frmMain::frmMain(forms::Runtime& runtime)
    : Form(runtime)
{
    cmdLeft.Name = "cmdLeft";
    cmdMid.Name = "cmdMid";
    cmdRight.Name = "cmdRight";
    cmdGo.Name = "cmdGo";
    labCoins.Name = "labCoins";
    Register(labLeft);
    Register(labMid);
    Register(labRight);
    Register(shpReach);
    Register(cmdLeft);
    Register(cmdMid);
    Register(cmdRight);
    Register(cmdGo);
    Register(labCoins);
    ApplyDesign(kForm, kControls);

    cmdGo.Click = [this] { cmdGo_Click(); };
    cmdLeft.Click = [this] { cmdLeft_Click(); };
    cmdMid.Click = [this] { cmdMid_Click(); };
    cmdRight.Click = [this] { cmdRight_Click(); };
}
