// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// What the window tells a screen reader. The design names every control;
// what depends on the game is composed here from the controls once they are
// still, never while the reels spin.

#include "frmMain.h"

#include <array>
#include <cctype>
#include <string_view>
#include <utility>

namespace {

// Screen readers skip or shorten punctuation at many of their settings, so
// each symbol is told in words.
std::string InWords(const std::string& symbol)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kWords { {
        { "$", "dollar" },
        { "*", "star" },
        { "-", "minus" },
        { "#", "hash" },
        { "7", "seven" },
        { "C", "C" },
        { "?", "question mark" },
        { "=", "equals" },
        { "+", "plus" },
        { "%", "percent" },
    } };
    for (const auto& [text, words] : kWords) {
        if (symbol == text)
            return std::string(words);
    }
    return symbol;
}

std::string CoinsText(std::int64_t coins)
{
    return std::to_string(coins) + " coins";
}

} // namespace

void frmMain::ControlsAtRest()
{
    for (auto* cells : { &labLeft, &labMid, &labRight }) {
        for (forms::Label& cell : *cells)
            cell.AccessibleDescription = InWords(cell.Caption);
    }
    for (forms::Shape& lamp : shpReach)
        lamp.AccessibleDescription = lamp.BackColor == kLampLit ? "lit" : "unlit";
    labCoins.AccessibleDescription = CoinsText(Coins.Value());
    // The load is not a play: GO keeps its design description until the
    // first play has ended.
    if (coinsAtRest_.has_value())
        cmdGo.AccessibleDescription = PlayResult(*coinsAtRest_);
    coinsAtRest_ = Coins.Value();
}

// "Middle row wins with seven: 200 coins. 690 coins." or "No win. 480
// coins.": the lines won, what they paid and the balance.
std::string frmMain::PlayResult(std::int32_t coinsBefore) const
{
    std::string result;
    for (std::size_t k = 0; k < std::size(kLineRows); ++k) {
        const forms::Shape& lamp = shpReach(static_cast<int>(k));
        if (lamp.BackColor != kLampLit)
            continue;
        std::string line = lamp.AccessibleName;
        if (!result.empty() && !line.empty()) {
            result += ", ";
            line.front() = static_cast<char>(std::tolower(static_cast<unsigned char>(line.front())));
        }
        result += line + " wins with " + InWords(labLeft(kLineRows[k][0]).Caption);
    }
    const std::int64_t paid = std::int64_t { Coins.Value() } - coinsBefore + kStake;
    result = result.empty() ? "No win" : result + ": " + CoinsText(paid);
    return result + ". " + CoinsText(Coins.Value()) + ".";
}
