// Whole games played at random against the real frmMain on a scripted
// platform, each judged after every event by an oracle that knows the game
// only from its rules: the strips, the pay lines and the pay table are
// written here as data, and none of the game's code is called to predict.
//
// A run plays 20,000 games from the seeds it prints; VANTU_SEED=N replays
// game N alone.

#include "machine.h"

#include <QtTest>

#include <cmath>
#include <random>

namespace {

// Each strip from position 1 to 10; the window shows p - 1, p, p + 1.
constexpr std::string_view kStrips[3] = { "$*-#7C?=+%", "=#C*?-7$+%", "$+=?C7#-*%" };
// The rows of each pay line's left, middle and right cell, in judging order.
constexpr int kLines[5][3] = { { 2, 1, 0 }, { 0, 0, 0 }, { 1, 1, 1 }, { 2, 2, 2 }, { 0, 1, 2 } };

int Pay(char symbol)
{
    switch (symbol) {
    case '7': return 200;
    case '$': return 150;
    case 'C': case '*': return 100;
    case '#': case '?': case '+': return 75;
    default: return 50;
    }
}

// What the window must show, as the rules have it.
struct Model {
    int pos[3] {};
    bool stopped[3] {}, lit[5] {};
    bool spinning = false, ended = false;
    long long coins = 500;
    std::string counter = "500";

    char Symbol(int reel, int row) const { return kStrips[reel][static_cast<std::size_t>((pos[reel] + row + 8) % 10)]; }
    void Step()
    {
        for (int r = 0; r < 3; ++r)
            pos[r] = stopped[r] ? pos[r] : pos[r] == 1 ? 10 : pos[r] - 1;
    }
    // Lights the winning lines; returns what they pay.
    long long Judge()
    {
        int hits = 0, sum = 0;
        for (int k = 0; k < 5; ++k) {
            const char a = Symbol(0, kLines[k][0]), b = Symbol(1, kLines[k][1]), c = Symbol(2, kLines[k][2]);
            lit[k] = a == b && b == c;
            hits += lit[k] ? 1 : 0;
            sum += lit[k] ? Pay(a) : 0;
        }
        return static_cast<long long>(hits) * sum;
    }
};

struct Totals {
    long games = 0, events = 0, plays = 0, wins = 0, gameOvers = 0, closes = 0;
    long long paid = 0, predicted = 0;
};

class Player {
public:
    Player(std::uint64_t seed, Totals& totals)
        : rng_(seed)
        , totals_(totals)
    {
    }

    // Plays one game to its end; returns the first disagreement, or "".
    std::string Play()
    {
        frmMain& f = g_.form;
        forms::CommandButton* stops[3] = { &f.cmdLeft, &f.cmdMid, &f.cmdRight };
        // The start positions, with the extreme draws now and then.
        for (int r = 0; r < 3; ++r) {
            const double u = Chance(0.1) ? (Chance(0.5) ? 0.0 : std::nextafter(1.0, 0.0))
                                         : std::uniform_real_distribution<>(0, 1)(rng_);
            g_.platform.draws.push_back(u);
            m_.pos[r] = static_cast<int>(std::floor(u * 10)) + 1;
        }
        g_.runtime.Load(f);
        Check("load");
        if (Chance(0.8)) // most games start short of coins, to reach their end
            f.Coins = m_.coins = Pick(45);
        const int closeAtSweep = Chance(0.1) ? 1 + Pick(40) : -1;
        int sweep = 0;
        g_.platform.onDoEvents = [&](int) {
            m_.Step();
            Check("sweep");
            if (Chance(0.02)) {
                g_.runtime.Click(f.cmdGo);
                Check("GO while spinning");
            }
            if (++sweep == closeAtSweep) {
                g_.runtime.Close();
                m_.ended = true;
                Check("close while spinning");
            }
            // Stop buttons now and then, any of them, also one pressed
            // before; after 60 sweeps, every reel still spinning.
            const auto spinning = [&] { return std::find(m_.stopped, m_.stopped + 3, false) - m_.stopped; };
            const auto late = [&] { return sweep > 60 && !m_.ended && spinning() < 3; };
            while (Chance(0.2) || late()) {
                const auto r = late() ? spinning() : Pick(3);
                g_.runtime.Click(*stops[r]);
                m_.stopped[r] = m_.stopped[r] || !m_.ended; // once the game has ended, clicks are refused
                Check("stop");
            }
        };
        for (int plays = Pick(9); !m_.ended && failure_.empty(); --plays) {
            if (Chance(0.2)) {
                g_.runtime.Click(*stops[Pick(3)]);
                Check("stop while idle");
            }
            if (plays == 0) {
                g_.runtime.Close();
                m_.ended = true;
                ++totals_.closes;
                Check("close");
                break;
            }
            m_.coins -= 10;
            sweep = 0;
            if (m_.coins < 0) {
                g_.runtime.Click(f.cmdGo);
                m_.ended = true;
                ++totals_.gameOvers;
                Check("GO short of coins");
                const auto& box = g_.platform.boxes;
                if (box.size() != 1 || box[0].prompt != "You ran out of your coins!" || box[0].style != 48
                    || box[0].title != "GameOver" || g_.platform.quitStatus != 0)
                    failure_ = "the game-over message or its ending";
                break;
            }
            m_.counter = std::to_string(m_.coins);
            m_.spinning = true;
            std::fill(m_.stopped, m_.stopped + 3, false);
            std::fill(m_.lit, m_.lit + 5, false);
            g_.runtime.Click(f.cmdGo);
            if (m_.ended) {
                Check("after the close");
                break;
            }
            const long long pay = m_.Judge();
            totals_.paid += f.Coins.Value() - m_.coins;
            m_.coins += pay;
            m_.counter = std::to_string(m_.coins);
            m_.spinning = false;
            Check("judged");
            ++totals_.plays;
            totals_.wins += pay > 0 ? 1 : 0;
            totals_.predicted += pay;
        }
        ++totals_.games;
        return failure_;
    }

private:
    bool Chance(double p) { return std::uniform_real_distribution<>(0, 1)(rng_) < p; }
    int Pick(int n) { return std::uniform_int_distribution<>(0, n - 1)(rng_); }

    void Check(const char* event)
    {
        ++totals_.events;
        if (!failure_.empty())
            return;
        const frmMain& f = g_.form;
        const forms::ControlArray<forms::Label, 3>* reels[3] = { &f.labLeft, &f.labMid, &f.labRight };
        std::string wrong;
        for (int r = 0; r < 3; ++r) {
            if (f.ReelPos(r + 1).Value() != m_.pos[r] || f.Stopped(r + 1).Value() != (m_.stopped[r] ? -1 : 0))
                wrong += " reel " + std::to_string(r + 1);
            for (int row = 0; row < 3; ++row)
                if ((*reels[r])(row).Caption.Get() != std::string(1, m_.Symbol(r, row)))
                    wrong += " cell " + std::to_string(r + 1) + "," + std::to_string(row);
        }
        for (int k = 0; k < 5; ++k)
            if (f.shpReach(k).BackColor.Get() != (m_.lit[k] ? 0xC0FFFFu : 0x808080u))
                wrong += " lamp " + std::to_string(k);
        if (f.cmdGo.Enabled != !m_.spinning || f.cmdLeft.Enabled != m_.spinning || f.cmdMid.Enabled != m_.spinning
            || f.cmdRight.Enabled != m_.spinning)
            wrong += " buttons";
        if (f.Coins.Value() != m_.coins || f.labCoins.Caption.Get() != m_.counter)
            wrong += " coins " + std::to_string(f.Coins.Value()) + " shown " + f.labCoins.Caption.Get();
        if (g_.runtime.Ended() != m_.ended || g_.runtime.ExitStatus() != 0)
            wrong += " ending";
        if (!wrong.empty())
            failure_ = std::string(event) + ":" + wrong;
    }

    std::mt19937_64 rng_;
    Totals& totals_;
    Machine g_;
    Model m_;
    std::string failure_;
};

} // namespace

class TestRandomPlay : public QObject {
    Q_OBJECT

private slots:
    void gamesAgreeWithTheRules();
};

void TestRandomPlay::gamesAgreeWithTheRules()
{
    const bool replay = qEnvironmentVariableIsSet("VANTU_SEED");
    const std::uint64_t first = replay ? qEnvironmentVariable("VANTU_SEED").toULongLong() : std::random_device {}();
    const std::uint64_t games = replay ? 1 : 20'000;
    qInfo("seeds %llu to %llu", static_cast<unsigned long long>(first), static_cast<unsigned long long>(first + games - 1));
    Totals t;
    for (std::uint64_t seed = first; seed < first + games; ++seed) {
        const std::string failure = Player(seed, t).Play();
        QVERIFY2(failure.empty(), qPrintable(QStringLiteral("VANTU_SEED=%1: %2").arg(seed).arg(failure.c_str())));
    }
    qInfo("%ld games, %ld events, %ld plays, %ld wins, %ld games over, %ld closed when idle; paid %lld coins, "
          "the rules %lld",
        t.games, t.events, t.plays, t.wins, t.gameOvers, t.closes, t.paid, t.predicted);
    QVERIFY(replay || (t.wins > 0 && t.gameOvers > 0 && t.closes > 0));
}

QTEST_GUILESS_MAIN(TestRandomPlay)
#include "test_random_play.moc"
