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
        // The reel symbols, as a player names them aloud:
        // TRANSLATORS: the reel symbol "$", said aloud.
        { "$", forms::TrLater("dollar") },
        // TRANSLATORS: the reel symbol "*", said aloud.
        { "*", forms::TrLater("star") },
        // TRANSLATORS: the reel symbol "-", said aloud.
        { "-", forms::TrLater("minus") },
        // TRANSLATORS: the reel symbol "#", the number sign, said aloud.
        { "#", forms::TrLater("hash") },
        // TRANSLATORS: the reel symbol "7", said aloud.
        { "7", forms::TrLater("seven") },
        // TRANSLATORS: the reel symbol "C", a Latin capital letter, as
        // the letter is said aloud.
        { "C", forms::TrLater("C") },
        // TRANSLATORS: the reel symbol "?", said aloud.
        { "?", forms::TrLater("question mark") },
        // TRANSLATORS: the reel symbol "=", said aloud.
        { "=", forms::TrLater("equals") },
        // TRANSLATORS: the reel symbol "+", said aloud.
        { "+", forms::TrLater("plus") },
        // TRANSLATORS: the reel symbol "%", said aloud.
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

// Each line's name in the middle of a sentence, where the language puts
// its article, case and order around it; on its lamp it is written as the
// first words of one ("Middle row").
// The context of those names, written out in the table for xgettext.
constexpr std::string_view kInSentence = "pay line in a sentence";
constexpr std::array<std::string_view, 5> kLinesInSentence {
    // TRANSLATORS: a pay line's name inside the result sentences ("The
    // rising diagonal wins with seven"), without an article: the sentences
    // give the article and case. The line from the bottom left cell to
    // the top right one.
    forms::TrCtxLater("pay line in a sentence", "rising diagonal"),
    // TRANSLATORS: a pay line's name in the result sentences: the top
    // row of the three reels.
    forms::TrCtxLater("pay line in a sentence", "top row"),
    // TRANSLATORS: a pay line's name in the result sentences: the
    // middle row.
    forms::TrCtxLater("pay line in a sentence", "middle row"),
    // TRANSLATORS: a pay line's name in the result sentences: the
    // bottom row.
    forms::TrCtxLater("pay line in a sentence", "bottom row"),
    // TRANSLATORS: a pay line's name in the result sentences: the line
    // from the top left cell to the bottom right one.
    forms::TrCtxLater("pay line in a sentence", "falling diagonal"),
};

} // namespace

void frmMain::ControlsAtRest()
{
    for (auto* cells : { &labLeft, &labMid, &labRight }) {
        for (forms::Label& cell : *cells)
            cell.AccessibleDescription = InWords(cell.Caption);
    }
    for (forms::Shape& lamp : shpReach) {
        lamp.AccessibleDescription = lamp.BackColor == kLampLit
            // TRANSLATORS: a pay line's lamp, named by its line, when the
            // line has won.
            ? TrCtx("lamp", "lit")
            // TRANSLATORS: a pay line's lamp when the line has not won.
            : TrCtx("lamp", "unlit");
    }
    labCoins.AccessibleDescription = CoinsText(Coins.Value());
    // The load is not a play: GO keeps its design description until the
    // first play has ended.
    if (coinsAtRest_.has_value())
        cmdGo.AccessibleDescription = PlayResult(*coinsAtRest_);
    coinsAtRest_ = Coins.Value();
}

// "The middle row wins with seven: 200 coins. Balance 690 coins." or "No
// win. Balance 480 coins.": the lines won, what they paid and the balance,
// each sentence whole in the catalogue, so that a language orders it as it
// needs.
std::string frmMain::PlayResult(std::int32_t coinsBefore) const
{
    std::string lines;
    for (std::size_t k = 0; k < std::size(kLineRows); ++k) {
        const forms::Shape& lamp = shpReach(static_cast<int>(k));
        if (lamp.BackColor != kLampLit)
            continue;
        const std::string symbol = InWords(labLeft(kLineRows[k][0]).Caption);
        const std::string line = TrCtx(kInSentence, kLinesInSentence.at(k));
        if (lines.empty()) {
            // TRANSLATORS: the first pay line won; %1$s is its name in a
            // sentence ("middle row"), %2$s its symbol in words ("seven").
            lines = Format(Tr("The %1$s wins with %2$s"), { line, symbol });
        } else {
            // TRANSLATORS: each further pay line won; %1$s is the lines
            // won so far, %2$s one more line's name in a sentence ("top
            // row"), %3$s its symbol in words.
            lines = Format(Tr("%1$s, the %2$s wins with %3$s"), { lines, line, symbol });
        }
    }
    const std::string balance = CoinsText(Coins.Value());
    if (lines.empty()) {
        // TRANSLATORS: after a play that won nothing; %1$s is the balance,
        // the coins the player has now ("480 coins").
        return Format(Tr("No win. Balance %1$s."), { balance });
    }
    const std::int64_t paid = std::int64_t { Coins.Value() } - coinsBefore + kStake;
    // TRANSLATORS: after a play that won; %1$s is the lines won, %2$s what
    // they paid ("200 coins"), %3$s the balance, the coins the player has
    // now ("690 coins").
    return Format(Tr("%1$s: %2$s. Balance %3$s."), { lines, CoinsText(paid), balance });
}
