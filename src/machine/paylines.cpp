// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The judgement of a play: which of the five pay lines show three equal
// symbols, and what they pay.

#include "forms/list.h"
#include "window/frmMain.h"

#include <string>

using forms::Integer;

namespace {

// Coins that one winning line of the symbol pays, before the multiplier.
Integer LinePay(const std::string& symbol)
{
    if (symbol == "7")
        return 200;
    if (symbol == "$")
        return 150;
    if (symbol == "C" || symbol == "*")
        return 100;
    if (symbol == "#" || symbol == "?" || symbol == "+")
        return 75;
    return 50;
}

} // namespace

// The symbols are read back from the cells: what the window shows is what
// is judged. Every winning line pays its amount times the number of lines
// won in this play.
void frmMain::JudgeLines()
{
    Integer HitCount = 0;
    forms::List<std::string> HitSymbols;

    for (Integer k = 0; k <= 4; k = k + 1) {
        const int* rows = kLineRows[k.Value()];
        const std::string left = labLeft(rows[0]).Caption;
        const std::string middle = labMid(rows[1]).Caption;
        const std::string right = labRight(rows[2]).Caption;
        if (middle == left && right == middle) {
            shpReach(k).BackColor = kLampLit;
            HitCount = HitCount + 1;
            HitSymbols.ReDimPreserve(1, HitCount);
            HitSymbols(HitCount) = left;
        }
    }

    const Integer lines = HitCount;
    for (Integer i = 1; i <= lines; i = i + 1)
        Coins = Coins + forms::Long(LinePay(HitSymbols(i)) * HitCount);

    labCoins.Caption = forms::CStr(Coins);
}
