// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// What the window tells a screen reader. The design names every control;
// what depends on the game is composed here from the controls once they are
// still, never while the reels spin.

#include "frmMain.h"

#include "forms/language.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

using forms::Format;
using forms::Tr;
using forms::TrCtx;
using forms::TrN;

// Screen readers skip or shorten punctuation at many of their settings, so
// each symbol is told in words.
std::string InWords(const std::string& symbol)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kWords { {
        // TRANSLATORS: the reel symbols, as a player names them aloud.
        { "$", forms::TrLater("dollar") },
        { "*", forms::TrLater("star") },
        { "-", forms::TrLater("minus") },
        { "#", forms::TrLater("hash") },
        { "7", forms::TrLater("seven") },
        { "C", forms::TrLater("C") },
        { "?", forms::TrLater("question mark") },
        { "=", forms::TrLater("equals") },
        { "+", forms::TrLater("plus") },
        { "%", forms::TrLater("percent") },
    } };
    for (const auto& [text, words] : kWords) {
        if (symbol == text)
            return Tr(words);
    }
    return symbol;
}

std::string CoinsText(std::int64_t coins)
{
    const std::string digits = std::to_string(coins);
    // TRANSLATORS: %1$s is a number of coins, in digits.
    return Format(TrN("%1$s coin", "%1$s coins", static_cast<std::uint64_t>(coins < 0 ? -coins : coins)), { digits });
}

// Each line's name in the middle of a sentence; on its lamp it is written
// as the first words of one ("Middle row").
constexpr std::array<std::string_view, 5> kLinesInSentence {
    // TRANSLATORS: the pay lines' names where they follow other words.
    forms::TrLater("rising diagonal"),
    forms::TrLater("top row"),
    forms::TrLater("middle row"),
    forms::TrLater("bottom row"),
    forms::TrLater("falling diagonal"),
};

} // namespace

void frmMain::ControlsAtRest()
{
    for (auto* cells : { &labLeft, &labMid, &labRight }) {
        for (forms::Label& cell : *cells)
            cell.AccessibleDescription = InWords(cell.Caption);
    }
    for (forms::Shape& lamp : shpReach) {
        // TRANSLATORS: a pay line's lamp, which the line's name names.
        lamp.AccessibleDescription = lamp.BackColor == kLampLit ? TrCtx("lamp", "lit") : TrCtx("lamp", "unlit");
    }
    labCoins.AccessibleDescription = CoinsText(Coins.Value());
    // The load is not a play: GO keeps its design description until the
    // first play has ended.
    if (coinsAtRest_.has_value())
        cmdGo.AccessibleDescription = PlayResult(*coinsAtRest_);
    coinsAtRest_ = Coins.Value();
}

// "Middle row wins with seven: 200 coins. 690 coins." or "No win. 480
// coins.": the lines won, what they paid and the balance, each sentence
// whole in the catalogue, so that a language orders it as it needs.
std::string frmMain::PlayResult(std::int32_t coinsBefore) const
{
    std::string lines;
    for (std::size_t k = 0; k < std::size(kLineRows); ++k) {
        const forms::Shape& lamp = shpReach(static_cast<int>(k));
        if (lamp.BackColor != kLampLit)
            continue;
        const std::string symbol = InWords(labLeft(kLineRows[k][0]).Caption);
        if (lines.empty()) {
            // TRANSLATORS: %1$s is a pay line's name as its lamp gives it
            // ("Middle row"), %2$s the symbol in words.
            lines = Format(Tr("%1$s wins with %2$s"), { lamp.AccessibleName.Get(), symbol });
        } else {
            // TRANSLATORS: %1$s is the lines won so far, %2$s one more
            // line's name in a sentence ("top row"), %3$s its symbol.
            lines = Format(Tr("%1$s, %2$s wins with %3$s"), { lines, Tr(kLinesInSentence.at(k)), symbol });
        }
    }
    const std::string balance = CoinsText(Coins.Value());
    if (lines.empty()) {
        // TRANSLATORS: after a play that won nothing; %1$s is the balance
        // ("480 coins").
        return Format(Tr("No win. %1$s."), { balance });
    }
    const std::int64_t paid = std::int64_t { Coins.Value() } - coinsBefore + kStake;
    // TRANSLATORS: after a play that won; %1$s is the lines won, %2$s what
    // they paid ("200 coins"), %3$s the balance ("690 coins").
    return Format(Tr("%1$s: %2$s. %3$s."), { lines, CoinsText(paid), balance });
}
