// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// The game on the plain forms runtime. Whole games played at random, each
// judged after every event by an oracle that knows the game only from its
// rules: the strips, the pay lines and the pay table are written here as
// data, and none of the game's code is called to predict. A run plays 20,000
// games from the seeds it prints; VANTU_SEED=N replays game N alone.
//
// Then, as a table, what random play never reaches: judgements of captions no
// stop can show, and the checked numbers and bounds at their edges, the
// balance's among them.

#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "doctest.h"

#include "machine.h"

#include "forms/list.h"
#include "window/catalogues.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <numeric>
#include <random>
#include <regex>
#include <set>

namespace {

// Each strip from position 1 to 10; the window shows p - 1, p, p + 1.
constexpr std::string_view kStrips[3] = { "$*-#7C?=+%", "=#C*?-7$+%", "$+=?C7#-*%" };
// The rows of each pay line's left, middle and right cell, in judging order.
constexpr int kLines[5][3] = { { 2, 1, 0 }, { 0, 0, 0 }, { 1, 1, 1 }, { 2, 2, 2 }, { 0, 1, 2 } };
const std::map<char, int> kPays { { '7', 200 }, { '$', 150 }, { 'C', 100 }, { '*', 100 }, { '#', 75 }, { '?', 75 }, { '+', 75 } };

struct Totals {
    long games = 0, events = 0, plays = 0, wins = 0, gameOvers = 0, idleCloses = 0, spinCloses = 0;
};

// One game, played at random and checked against the rules.
struct Player {
    std::mt19937_64 rng_;
    Totals& t_;
    Machine g_ {};
    int pos_[3] {};
    bool stopped_[3] {}, lit_[5] {}, spinning_ = false, ended_ = false;
    long long coins_ = 500;
    std::string counter_ = "500", failure_ {};

    // Plays one game to its end; returns the first disagreement, or "".
    std::string Play()
    {
        frmMain& f = g_.form;
        forms::CommandButton* stops[3] = { &f.cmdLeft, &f.cmdMid, &f.cmdRight };
        for (int& p : pos_) { // the start, with the extreme draws now and then
            const double u = Chance(0.1) ? (Chance(0.5) ? 0.0 : std::nextafter(1.0, 0.0)) : Uniform();
            g_.platform.draws.push_back(u);
            p = static_cast<int>(std::floor(u * 10)) + 1;
        }
        g_.runtime.Load(f);
        Check("load");
        if (Chance(0.8)) // most games start short of coins, to reach their end
            f.Coins = coins_ = Pick(45);
        const int closeAt = Chance(0.1) ? 1 + Pick(40) : -1;
        int sweep = 0;
        g_.platform.onDoEvents = [&](int) {
            if (!failure_.empty()) // ends a spin that the rules would have stopped
                return g_.runtime.Close();
            for (int r = 0; r < 3; ++r)
                pos_[r] = stopped_[r] ? pos_[r] : (pos_[r] + 8) % 10 + 1; // one position down, from 1 to 10
            Check("sweep");
            if (Chance(0.02))
                Click(f.cmdGo, "GO while spinning");
            if (++sweep == closeAt)
                Close(t_.spinCloses, "close while spinning");
            // Stop buttons now and then, any of them, also one pressed
            // before; after 60 sweeps, every reel still spinning.
            const auto late = [&] { return sweep > 60 && !ended_ && Spinning() < 3; };
            while (Chance(0.2) || late()) {
                const int r = late() ? Spinning() : Pick(3);
                stopped_[r] = stopped_[r] || !ended_; // once the game has ended, clicks are refused
                Click(*stops[r], "stop");
            }
        };
        for (int plays = Pick(9); !ended_ && failure_.empty(); --plays) {
            if (Chance(0.2))
                Click(*stops[Pick(3)], "stop while idle");
            if (plays == 0) {
                Close(t_.idleCloses, "close");
            } else if (coins_ -= 10; coins_ < 0) {
                ended_ = true;
                ++t_.gameOvers;
                Click(f.cmdGo, "GO short of coins");
                if (g_.platform.boxes != std::vector<std::string> { "GameOver|You ran out of your coins!|3" })
                    failure_ = "the game-over message";
            } else {
                counter_ = std::to_string(coins_);
                spinning_ = true;
                std::fill_n(stopped_, 3, false);
                std::fill_n(lit_, 5, false);
                sweep = 0;
                g_.runtime.Click(f.cmdGo); // returns when the play has ended
                ended_ ? Check("closed in a spin") : Judge();
            }
        }
        ++t_.games;
        return failure_;
    }

    double Uniform() { return std::uniform_real_distribution<>(0, 1)(rng_); }
    bool Chance(double p) { return Uniform() < p; }
    int Pick(int n) { return std::uniform_int_distribution<>(0, n - 1)(rng_); }
    int Spinning() const { return static_cast<int>(std::find(stopped_, stopped_ + 3, false) - stopped_); }
    char Symbol(int reel, int row) const { return kStrips[reel][static_cast<std::size_t>((pos_[reel] + row + 8) % 10)]; }
    void Click(forms::CommandButton& button, const char* event)
    {
        g_.runtime.Click(button);
        Check(event);
    }
    void Close(long& count, const char* event)
    {
        g_.runtime.Close();
        ended_ = true;
        ++count;
        Check(event);
    }

    // Lights the winning lines and credits what they pay, as the rules have it.
    void Judge()
    {
        long long hits = 0, sum = 0;
        for (int k = 0; k < 5; ++k) {
            const char a = Symbol(0, kLines[k][0]);
            lit_[k] = a == Symbol(1, kLines[k][1]) && a == Symbol(2, kLines[k][2]);
            hits += lit_[k] ? 1 : 0;
            sum += lit_[k] ? (kPays.count(a) != 0 ? kPays.at(a) : 50) : 0;
        }
        t_.wins += hits > 0 ? 1 : 0;
        ++t_.plays;
        coins_ += hits * sum;
        counter_ = std::to_string(coins_);
        spinning_ = false;
        Check("judged");
    }

    // Compares the window and the game's state with what the rules say.
    void Check(const char* event)
    {
        ++t_.events;
        const frmMain& f = g_.form;
        std::string wrong;
        const auto expect = [&wrong](bool right, const char* what, int i) { if (!right) wrong += std::string(" ") + what + std::to_string(i); };
        const forms::ControlArray<forms::Label, 3>* reels[3] = { &f.labLeft, &f.labMid, &f.labRight };
        for (int r = 0; r < 3; ++r) {
            expect(f.ReelPos(r + 1).Value() == pos_[r], "position of reel ", r + 1);
            expect(f.Stopped(r + 1).Value() == (stopped_[r] ? -1 : 0), "Stopped of reel ", r + 1);
            for (int row = 0; row < 3; ++row)
                expect((*reels[r])(row).Caption.Get() == std::string(1, Symbol(r, row)), "cell (reel, row) ", 10 * (r + 1) + row);
        }
        for (int k = 0; k < 5; ++k)
            expect(f.shpReach(k).BackColor.Get() == (lit_[k] ? 0xC0FFFFu : 0x808080u), "lamp ", k);
        const forms::CommandButton* buttons[4] = { &f.cmdGo, &f.cmdLeft, &f.cmdMid, &f.cmdRight };
        for (int b = 0; b < 4; ++b)
            expect(buttons[b]->Enabled == (spinning_ != (b == 0)), "enabled button (GO, then the stops) ", b);
        expect(f.Coins.Value() == coins_, "coins ", f.Coins.Value());
        expect(f.labCoins.Caption.Get() == counter_, "counter, with coins ", f.Coins.Value());
        expect(g_.runtime.Ended() == ended_, "ended ", g_.runtime.Ended());
        expect(g_.platform.quitStatus == (ended_ ? std::optional(0) : std::nullopt), "quit status, message boxes ", static_cast<int>(g_.platform.boxes.size()));
        if (failure_.empty() && !wrong.empty())
            failure_ = std::string(event) + ":" + wrong;
    }
};

// The run-time error that the operation raises, 0 for none.
int Raised(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const forms::RuntimeError& e) {
        return e.Number();
    }
    return 0;
}

// Shows captions that no stop may show, "abc def ghi": the left, middle
// and right reel, each top to bottom; then judges them.
void ShowJudged(frmMain& f, std::string_view cells)
{
    for (std::size_t i = 0; i < 9; ++i)
        std::array { &f.labLeft, &f.labMid, &f.labRight }[i / 3]->operator()(static_cast<int>(i % 3)).Caption = std::string(1, cells[i / 3 * 4 + i % 3]);
    f.JudgeLines();
}

// From a balance of 0: the lamps that light, 0 to 4, and the balance after.
void Judged(const char* cells, const char* lit, int after)
{
    Machine g;
    ShowJudged(g.form, cells);
    std::string lamps;
    for (forms::Shape& lamp : g.form.shpReach) lamps += lamp.BackColor.Get() == frmMain::kLampLit ? '1' : (lamp.BackColor.Get() == frmMain::kLampUnlit ? '0' : '?');
    CHECK(Values(cells, lamps, g.form.Coins.Value()) == Values(cells, lit, after));
}

} // namespace

TEST_CASE("random games against the rules")
{
    const char* seedSet = std::getenv("VANTU_SEED");
    const std::uint64_t first = seedSet != nullptr ? std::strtoull(seedSet, nullptr, 10) : std::random_device {}();
    const std::uint64_t games = seedSet != nullptr ? 1 : 20'000;
    std::printf("seeds %llu to %llu\n", static_cast<unsigned long long>(first), static_cast<unsigned long long>(first + games - 1));
    Totals t;
    for (std::uint64_t seed = first; seed < first + games; ++seed) {
        const std::string failure = Player { std::mt19937_64 { seed }, t }.Play();
        REQUIRE_MESSAGE(failure.empty(), "VANTU_SEED=" << seed << ": " << failure);
    }
    std::printf("%ld games, %ld events, %ld plays, %ld wins, %ld games over, %ld closed when idle, %ld in a spin\n",
        t.games, t.events, t.plays, t.wins, t.gameOvers, t.idleCloses, t.spinCloses);
    // The runs reach every ending.
    if (seedSet == nullptr) CHECK(Values(t.wins > 0, t.gameOvers > 0, t.idleCloses > 0, t.spinCloses > 0) == Values(true, true, true, true));
}

TEST_CASE("what random play never reaches: judgements, and the checked numbers and bounds at their edges")
{
    using forms::Integer, forms::Double;
    static Machine g;
    const std::tuple<const char*, std::function<void()>, int> rows[] = {
        // the run-time error raised, 0 for none
        { "$ then 7: both lines pay, twice", [] { Judged("$a7 $b7 $c7", "01010", 700); }, 0 },
        { "nine equal: five lines pay, five times", [] { Judged("CCC CCC CCC", "11111", 2500); }, 0 },
        { "case counts", [] { Judged("ccc ccc CCC", "00000", 0); }, 0 },
        { "CInt rounds a half to even", [] { CHECK(forms::CInt(32766.5) == Integer(32766)); }, 0 },
        { "CInt past the range", [] { (void)forms::CInt(32767.5); }, 6 },
        { "Double: invalid operation", [] { (void)(Double(std::nan("")) * 10.0); }, 5 },
        { "Double: overflow", [] { (void)(Double(1e308) * 10.0); }, 6 },
        { "Double: division by zero", [] { (void)(Double(1) / 0.0); }, 11 },
        { "ReelPos(4)", [] { (void)g.form.ReelPos(4); }, 9 },
        { "Stopped(-1)", [] { (void)g.form.Stopped(-1); }, 9 },
        { "ReelStrip(3, 11)", [] { (void)g.form.ReelStrip(3, 11); }, 9 },
        { "shpReach(5)", [] { (void)g.form.shpReach(5); }, 9 },
        { "past a list's end", [] { forms::List<int> list; list.ReDimPreserve(1, 2); (void)list(3); }, 9 },
        { "a start draw NaN", [] { g.platform.draws = { std::nan("") }; g.form.InitReels(); }, 5 },
    };
    for (const auto& [row, operation, error] : rows)
        CHECK(Values(row, Raised(operation)) == Values(row, error));
}

TEST_CASE("the checked whole numbers at both ends of their ranges")
{
    // Each end and the number past it, made and reached from inside by each
    // operation: the number, or "Overflow" exactly where it is out of range.
    const auto ends = [](auto type, std::int64_t low, std::int64_t high) {
        using T = decltype(type);
        for (const std::int64_t v : { low - 1, low, high, high + 1 }) {
            const std::int64_t step = v > 0 ? 1 : -1, in = v - step;
            for (const std::function<T()>& way : std::initializer_list<std::function<T()>> { [=] { return T(v); }, [=] { return T(in) + T(step); }, [=] { return T(in) - T(-step); }, [=] { return T(v / 2) * T(2) + T(v % 2); } }) {
                std::int64_t got = v;
                const int raised = Raised([&] { got = way().Value(); });
                CHECK(Values(v, raised, got) == Values(v, low <= v && v <= high ? 0 : 6, v));
            }
        }
        CHECK(Values(Raised([=] { (void)-T(low); }), (-T(high)).Value()) == Values(6, -high));
    };
    ends(forms::Integer(), -32768, 32767);
    ends(forms::Long(), -2147483648LL, 2147483647);
}

TEST_CASE("launches: each starts from other reels, and the starts reach every position of every strip evenly")
{
    // 2,000 launches as the program makes them: a runtime with a generator of
    // its own, which the load seeds from the clock, and a new form.
    std::set<std::array<int, 3>> starts;
    std::array<std::array<double, 10>, 3> counts {};
    for (int launch = 0; launch < 2000; ++launch) {
        ScriptedPlatform platform;
        forms::Runtime runtime { platform, "Vantu" };
        frmMain f { runtime };
        runtime.Load(f);
        REQUIRE(platform.boxes.empty()); // no start outside 1 to 10, which the load would report
        const std::array<int, 3> start { f.ReelPos(1).Value(), f.ReelPos(2).Value(), f.ReelPos(3).Value() };
        for (std::size_t r = 0; r < 3; ++r) ++counts[r][static_cast<std::size_t>(start[r] - 1)];
        starts.insert(start);
    }
    // Of the 1,000 starts, 2,000 launches reach 865 on average, 800 or fewer
    // hardly ever; a clock read in seconds, or none, gives one or two.
    CHECK(starts.size() > 800);
    // Pearson's chi-squared over each strip's ten positions, 9 degrees of
    // freedom: above 40 fewer than once in 100,000 runs of a uniform generator.
    for (const auto& reel : counts) CHECK(std::accumulate(reel.begin(), reel.end(), 0.0, [](double chi, double n) { return chi + (n - 200) * (n - 200) / 200; }) < 40);
}

TEST_CASE("what a screen reader hears after a play, in each language, and the game's own texts in all")
{
    // The cells, left reel top to bottom, then the middle and right reels;
    // the balance before the play.
    const std::tuple<const char*, const char*, int, const char*, const char*> rows[] = {
        // language, cells, balance, what GO tells, what the stop button and the lit lamp are called
        { "en", "$7- #7* C7?", 500, "The middle row wins with seven: 200 coins. Balance 690 coins.", "Stop left reel|Middle row: lit" },
        { "en", "$a7 $b7 $c7", 500, "The top row wins with dollar, the bottom row wins with seven: 700 coins. Balance 1190 coins.", "" },
        { "en", "abc def ghi", 11, "No win. Balance 1 coin.", "" },
        { "ja_JP.UTF-8", "$7- #7* C7?", 500, "中段にセブンがそろいました。配当200枚。所持コイン690枚。", "左リールを停止|中段: 点灯" },
        { "ja_JP.UTF-8", "$a7 $b7 $c7", 500, "上段にドル、下段にセブンがそろいました。配当700枚。所持コイン1190枚。", "" },
        { "ja_JP.UTF-8", "abc def ghi", 11, "はずれ。所持コイン1枚。", "" },
        { "de_DE.UTF-8", "$7- #7* C7?", 500, "Die mittlere Reihe gewinnt mit Sieben: 200 Münzen. Guthaben 690 Münzen.", "Linke Walze anhalten|Mittlere Reihe: leuchtet" },
        { "de_DE.UTF-8", "$a7 $b7 $c7", 500, "Die obere Reihe gewinnt mit Dollar, die untere Reihe gewinnt mit Sieben: 700 Münzen. Guthaben 1190 Münzen.", "" },
        { "de_DE.UTF-8", "abc def ghi", 11, "Kein Gewinn. Guthaben 1 Münze.", "" },
        { "fr_FR.UTF-8", "$7- #7* C7?", 500, "La ligne du milieu gagne avec sept\u00a0: 200 pièces. Solde\u00a0: 690 pièces.", "Arrêter le rouleau de gauche|Ligne du milieu: allumée" },
        { "fr_FR.UTF-8", "abc def ghi", 10, "Aucun gain. Solde\u00a0: 0 pièce.", "" },
        { "es_ES.UTF-8", "$7- #7* C7?", 500, "La fila central gana con siete: 200 monedas. Saldo: 690 monedas.", "Detener el rodillo izquierdo|Fila central: encendida" },
        { "es_ES.UTF-8", "abc def ghi", 10, "Sin premio. Saldo: 0 monedas.", "" },
        { "fi_FI.UTF-8", "abc def ghi", 11, "No win. Balance 1 coin.", "" },
    };
    struct Restore {
        ~Restore() { forms::UseCatalogue(nullptr); }
    } restore;
    for (const auto& [language, cells, before, told, names] : rows) {
        forms::UseCatalogue(forms::ChooseCatalogue(Catalogues(), std::vector<std::string> { language }));
        Machine g;
        frmMain& f = g.form;
        g.runtime.Load(f);
        const int balance = before; // clang 14 lets no lambda capture a structured binding
        const std::string_view shown = cells;
        g.runtime.RaiseEvent([&f, balance] { f.Coins = forms::Long(balance); });
        g.runtime.RaiseEvent([&f, balance, shown] { f.Coins = forms::Long(balance - 10), ShowJudged(f, shown); });
        const std::string named = f.cmdLeft.AccessibleName.Get() + "|" + f.shpReach(2).AccessibleName.Get() + ": " + f.shpReach(2).AccessibleDescription.Get();
        // The game's own texts stay as they stand in every language.
        CHECK(Values(language, cells, f.cmdGo.AccessibleDescription.Get(), *names != '\0' ? named : "", f.Caption + f.cmdGo.Caption.Get() + f.cmdGo.AccessibleName.Get() + f.cmdLeft.Caption.Get()) == Values(language, cells, told, names, "VantuGOGO*"));
    }
}

TEST_CASE("every language's result agrees with the language's plural categories, at any count")
{
    // CLDR's categories of whole numbers: 0 one, 1 few, 2 many or other.
    // Where gettext's forms have no "many" (French, Spanish, Italian,
    // Portuguese: "1 000 000 de pièces"), it takes the words of "other".
    // clang-format off
    static constexpr auto few = [](std::uint64_t n) { return n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14); };
    using Rule = int (*)(std::uint64_t);
    const Rule one = [](std::uint64_t n) { return n == 1 ? 0 : 2; };
    const Rule zeroOrOne = [](std::uint64_t n) { return n <= 1 ? 0 : 2; };
    const Rule other = [](std::uint64_t) { return 2; };
    const Rule russian = [](std::uint64_t n) { return n % 10 == 1 && n % 100 != 11 ? 0 : (few(n) ? 1 : 2); };
    const Rule polish = [](std::uint64_t n) { return n == 1 ? 0 : (few(n) ? 1 : 2); };
    const std::map<std::string_view, Rule> categories {
        { "de", one }, { "es", one }, { "it", one }, { "fr", zeroOrOne }, { "pt_BR", zeroOrOne }, { "ja", other },
        { "ko", other }, { "zh_CN", other }, { "zh_TW", other }, { "ru", russian }, { "pl", polish },
    };
    // clang-format on
    struct Restore {
        ~Restore() { forms::UseCatalogue(nullptr); }
    } restore;
    for (const forms::Catalogue& catalogue : Catalogues()) {
        REQUIRE_MESSAGE(categories.contains(catalogue.Language), catalogue.Language);
        forms::UseCatalogue(&catalogue);
        // No line won, one, two and three; the balance after the play, and
        // the result with its counts as "#": the same for every count of a
        // category, and other for each category.
        for (const char* cells : { "abc def ghi", "$7- #7* C7?", "$a7 $b7 $c7", "$7* $7* $7*" }) {
            std::map<int, std::set<std::string>> told;
            Machine won;
            ShowJudged(won.form, cells);
            const std::int32_t paid = won.form.Coins.Value();
            for (const std::int32_t after : { 0, 1, 2, 5, 21, 22, 25, 101, 1'000'000, 1'000'001 }) {
                Machine g;
                frmMain& f = g.form;
                g.runtime.Load(f);
                g.runtime.RaiseEvent([&f, after, paid] { f.Coins = forms::Long(after - paid + 10); });
                g.runtime.RaiseEvent([&f, after, paid, cells] { f.Coins = forms::Long(after - paid), ShowJudged(f, cells); });
                REQUIRE(f.Coins.Value() == after);
                told[categories.at(catalogue.Language)(static_cast<std::uint64_t>(after))].insert(std::regex_replace(f.cmdGo.AccessibleDescription.Get(), std::regex("[0-9]+"), "#"));
            }
            std::set<std::string> all;
            for (const auto& category : told) { // clang 14 lets no lambda, as CHECK_MESSAGE's, capture a structured binding
                CHECK_MESSAGE(category.second.size() == 1, catalogue.Language, " ", std::string(cells), " ", category.first, " ", *category.second.begin(), " / ", *category.second.rbegin());
                all.insert(category.second.begin(), category.second.end());
            }
            CHECK_MESSAGE(all.size() == told.size(), catalogue.Language, " ", std::string(cells));
        }
    }
}
