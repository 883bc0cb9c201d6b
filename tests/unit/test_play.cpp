// The play cycle with a scripted platform: the stake, the spin, the stops
// as the player times them, the hand-over to the judgement and the endings.

#include "allocation_count.h"
#include "machine.h"
#include "write_log.h"

#include <QtTest>

#include <map>

using forms::Integer;

namespace {

// A game after start-up, with the reels at the positions drawn from `draws`.
struct Game : Machine {
    explicit Game(std::deque<double> draws = { 0.0, 0.0, 0.0 })
    {
        platform.draws = std::move(draws);
        runtime.Load(form);
    }
    // Clicks the stop buttons at the sweeps given ({sweep, button}); the
    // sweep's events are processed after its steps.
    void StopAt(std::multimap<int, forms::CommandButton*> stops)
    {
        platform.onDoEvents = [this, stops](int sweep) {
            const auto [first, last] = stops.equal_range(sweep);
            for (auto it = first; it != last; ++it)
                runtime.Click(*it->second);
        };
    }
    void StopAllAt(int sweep) { StopAt({ { sweep, &form.cmdLeft }, { sweep, &form.cmdMid }, { sweep, &form.cmdRight } }); }
    QString Coins() const { return QString::fromStdString(form.labCoins.Caption); }
    QString Middle() const
    {
        return QString::fromStdString(form.labLeft(1).Caption.Get() + form.labMid(1).Caption.Get()
            + form.labRight(1).Caption.Get());
    }
};

int StepsBetween(int from, int to)
{
    return ((from - to) % 10 + 10) % 10;
}

} // namespace

class TestPlay : public QObject {
    Q_OBJECT

private slots:
    void spinningAsSeenFromInside();
    void everyReelMovesAtLeastOnce();
    void stopsInAnyOrder_data();
    void stopsInAnyOrder();
    void repeatedStopClicksChangeNothing();
    void writesInPlayOrder();
    void lampsGoGreyAtGoAndStayGrey();
    void tenCoinsPlaysThenGameOver();
    void gameOverAtFiveCoins();
    void closingDuringTheSpin();
    void creditPastTheLimitIsFatal();
    void aSweepAllocatesNothing();
};

void TestPlay::spinningAsSeenFromInside()
{
    Game game;
    bool checked = false;
    game.platform.onDoEvents = [&](int sweep) {
        if (sweep != 1)
            return;
        checked = true;
        QVERIFY(!game.form.cmdGo.Enabled);
        QVERIFY(game.form.cmdLeft.Enabled && game.form.cmdMid.Enabled && game.form.cmdRight.Enabled);
        QCOMPARE(game.form.Coins, forms::Long(490));
        QCOMPARE(game.Coins(), QStringLiteral("490"));
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(game.form.Stopped(r), Integer(0));
        // GO is disabled, so a click on it now does nothing.
        game.runtime.Click(game.form.cmdGo);
        QCOMPARE(game.form.Coins, forms::Long(490));
        game.runtime.Click(game.form.cmdLeft);
        game.runtime.Click(game.form.cmdMid);
        game.runtime.Click(game.form.cmdRight);
    };
    game.runtime.Click(game.form.cmdGo);
    QVERIFY(checked);
    QCOMPARE(game.platform.doEventsCount, 1);
    QVERIFY(game.form.cmdGo.Enabled);
    QVERIFY(!game.form.cmdLeft.Enabled && !game.form.cmdMid.Enabled && !game.form.cmdRight.Enabled);
    for (int r = 1; r <= 3; ++r)
        QCOMPARE(game.form.Stopped(r), Integer(-1));
}

void TestPlay::everyReelMovesAtLeastOnce()
{
    // Stops pressed before the first sweep's events: each reel still steps once.
    Game game({ 0.0, 0.55, 0.95 }); // positions 1, 6, 10
    game.StopAllAt(1);
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.form.ReelPos(1), Integer(10));
    QCOMPARE(game.form.ReelPos(2), Integer(5));
    QCOMPARE(game.form.ReelPos(3), Integer(9));
}

void TestPlay::stopsInAnyOrder_data()
{
    QTest::addColumn<int>("leftAt");
    QTest::addColumn<int>("middleAt");
    QTest::addColumn<int>("rightAt");
    QTest::newRow("left, middle, right") << 2 << 5 << 9;
    QTest::newRow("left, right, middle") << 2 << 9 << 5;
    QTest::newRow("middle, left, right") << 5 << 2 << 9;
    QTest::newRow("middle, right, left") << 9 << 2 << 5;
    QTest::newRow("right, left, middle") << 5 << 9 << 2;
    QTest::newRow("right, middle, left") << 9 << 5 << 2;
    QTest::newRow("all at once, late") << 23 << 23 << 23;
}

void TestPlay::stopsInAnyOrder()
{
    QFETCH(int, leftAt);
    QFETCH(int, middleAt);
    QFETCH(int, rightAt);
    Game game({ 0.35, 0.05, 0.75 }); // positions 4, 1, 8
    game.StopAt({ { leftAt, &game.form.cmdLeft }, { middleAt, &game.form.cmdMid }, { rightAt, &game.form.cmdRight } });
    game.runtime.Click(game.form.cmdGo);
    // A click at sweep n takes effect at sweep n + 1: the reel made n steps.
    QCOMPARE(StepsBetween(4, game.form.ReelPos(1).Value()), leftAt % 10);
    QCOMPARE(StepsBetween(1, game.form.ReelPos(2).Value()), middleAt % 10);
    QCOMPARE(StepsBetween(8, game.form.ReelPos(3).Value()), rightAt % 10);
    QCOMPARE(game.platform.doEventsCount, std::max({ leftAt, middleAt, rightAt }));
    // The cells show the stopped positions.
    frmMain& f = game.form;
    const std::string expected = f.ReelStrip(1, f.ReelPos(1)) + f.ReelStrip(2, f.ReelPos(2)) + f.ReelStrip(3, f.ReelPos(3));
    QCOMPARE(game.Middle(), QString::fromStdString(expected));
}

void TestPlay::repeatedStopClicksChangeNothing()
{
    Game game({ 0.35, 0.05, 0.75 }); // positions 4, 1, 8
    game.StopAt({ { 1, &game.form.cmdLeft }, { 2, &game.form.cmdLeft }, { 3, &game.form.cmdLeft },
        { 3, &game.form.cmdMid }, { 4, &game.form.cmdMid }, { 6, &game.form.cmdRight } });
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.form.ReelPos(1), Integer(3));
    QCOMPARE(game.form.ReelPos(2), Integer(8));
    QCOMPARE(game.form.ReelPos(3), Integer(2));
}

void TestPlay::writesInPlayOrder()
{
    Game game; // positions 1, 1, 1; stopped at once they show % % % in the middle row
    game.StopAllAt(1);
    WriteLog log(game.form);
    game.runtime.Click(game.form.cmdGo);

    QStringList start { "labCoins.Caption=490", "cmdLeft.Enabled=1", "cmdMid.Enabled=1", "cmdRight.Enabled=1",
        "cmdGo.Enabled=0" };
    for (int k = 0; k < 5; ++k)
        start << QStringLiteral("shpReach(%1).BackColor=808080").arg(k);
    QCOMPARE(log.writes.mid(0, start.size()), start);
    // One sweep: ShowReels after each reel's turn, nine cells each time.
    const QStringList sweep = log.writes.mid(start.size(), 27);
    QCOMPARE(sweep.filter(QRegularExpression("^lab(Left|Mid|Right)\\(\\d\\)\\.Caption=.$")).size(), 27);
    // Judged with all four buttons disabled; GO comes back last.
    const QStringList end { "cmdLeft.Enabled=0", "cmdMid.Enabled=0", "cmdRight.Enabled=0",
        "shpReach(2).BackColor=C0FFFF", "labCoins.Caption=540", "cmdGo.Enabled=1" };
    QCOMPARE(log.writes.mid(start.size() + 27), end);
    QCOMPARE(game.Middle(), QStringLiteral("%%%"));
}

void TestPlay::lampsGoGreyAtGoAndStayGrey()
{
    Game game;
    game.StopAllAt(1);
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.form.shpReach(2).BackColor.Get(), frmMain::kLampLit);
    // The lit lamp stays lit while idle, and the next GO puts it out for the
    // whole spin (sweeps 2 and 3; the count runs on from the first play).
    game.platform.onDoEvents = [&](int sweep) {
        for (auto& lamp : game.form.shpReach)
            QCOMPARE(lamp.BackColor.Get(), frmMain::kLampUnlit);
        if (sweep == 3) {
            game.runtime.Click(game.form.cmdLeft);
            game.runtime.Click(game.form.cmdMid);
            game.runtime.Click(game.form.cmdRight);
        }
    };
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.platform.doEventsCount, 3);
}

void TestPlay::tenCoinsPlaysThenGameOver()
{
    Game game({ 0.0, 0.15, 0.25 }); // positions 1, 2, 3: a stop at once wins nothing
    game.form.Coins = 10;
    game.StopAllAt(1);
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.Coins(), QStringLiteral("0"));
    QVERIFY(!game.runtime.Ended());
    QVERIFY(game.platform.boxes.empty());

    WriteLog log(game.form);
    const int sweeps = game.platform.doEventsCount;
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.platform.boxes.size(), 1u);
    QCOMPARE(game.platform.boxes[0].prompt, std::string("You ran out of your coins!"));
    QCOMPARE(game.platform.boxes[0].title, std::string("GameOver"));
    QCOMPARE(game.platform.boxes[0].style, 48);
    QVERIFY(game.runtime.Ended());
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QCOMPARE(game.platform.calls.back(), std::string("Quit"));
    // Nothing ran after the message: no counter write, no spin.
    QVERIFY(log.writes.isEmpty());
    QCOMPARE(game.platform.doEventsCount, sweeps);
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.platform.boxes.size(), 1u);
}

void TestPlay::gameOverAtFiveCoins()
{
    Game game;
    game.form.Coins = 5;
    WriteLog log(game.form);
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.platform.boxes.size(), 1u);
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QVERIFY(log.writes.isEmpty());
    QCOMPARE(game.platform.doEventsCount, 0);
}

void TestPlay::closingDuringTheSpin()
{
    Game game;
    WriteLog log(game.form);
    game.platform.onDoEvents = [&](int sweep) {
        if (sweep == 4)
            game.runtime.Close();
    };
    game.runtime.Click(game.form.cmdGo);
    QVERIFY(game.runtime.Ended());
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QCOMPARE(game.platform.doEventsCount, 4);
    QVERIFY(game.platform.boxes.empty());
    QVERIFY(game.platform.fatalErrors.empty());
    // The spin was not judged: the last writes are the fourth sweep's cells.
    QVERIFY(log.writes.last().startsWith("labRight(2).Caption="));
    QVERIFY(log.writes.filter("Enabled=0").size() == 1); // GO's, at the start
}

void TestPlay::creditPastTheLimitIsFatal()
{
    Game game;
    game.form.Coins = 2147483647 - 20;
    game.StopAllAt(1); // % % % in the middle row pays 50
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.platform.fatalErrors, std::vector<int> { 6 });
    QCOMPARE(game.runtime.ExitStatus(), 1);
    QCOMPARE(game.form.Coins, forms::Long(2147483647 - 30));
    QCOMPARE(game.Coins(), QStringLiteral("2147483617"));
    QVERIFY(!game.form.cmdGo.Enabled);
}

void TestPlay::aSweepAllocatesNothing()
{
    Game game;
    game.platform.recordCalls = false;
    long before = 0, after = 0;
    game.platform.onDoEvents = [&](int sweep) {
        if (sweep == 10)
            before = allocationCount.load();
        if (sweep == 1010) {
            after = allocationCount.load();
            game.runtime.Click(game.form.cmdLeft);
            game.runtime.Click(game.form.cmdMid);
            game.runtime.Click(game.form.cmdRight);
        }
    };
    game.runtime.Click(game.form.cmdGo);
    QCOMPARE(game.platform.doEventsCount, 1010);
    QCOMPARE(after - before, 0L);
}

QTEST_APPLESS_MAIN(TestPlay)
#include "test_play.moc"
