// The reel strips, the reel window and start-up, against the plain forms
// runtime with a scripted platform.

#include "error_of.h"
#include "machine.h"
#include "write_log.h"

#include <QtTest>

#include <cmath>
#include <set>

using forms::Integer;

namespace {

QString Cell(const forms::Label& label)
{
    return QString::fromStdString(label.Caption);
}

forms::ControlArray<forms::Label, 3>& CellsOf(frmMain& form, int reel)
{
    return reel == 1 ? form.labLeft : reel == 2 ? form.labMid : form.labRight;
}

// The strips as the machine's paint shows them: position 1 first.
const char* const kStrips[] = { "$*-#7C?=+%", "=#C*?-7$+%", "$+=?C7#-*%" };

} // namespace

class TestReels : public QObject {
    Q_OBJECT

private slots:
    void showReelsShowsThreeNeighbours_data();
    void showReelsShowsThreeNeighbours();
    void showReelsWritesNineCellsInOrder();
    void showReelsRefusesPositionOffTheStrip_data();
    void showReelsRefusesPositionOffTheStrip();
    void stepDownMovesSymbolsDown();
    void stripsHoldEachSymbolOnce();
    void initReelsTurnsDrawsIntoPositions_data();
    void initReelsTurnsDrawsIntoPositions();
    void initReelsDrawsLeftMiddleRight();
    void initReelsChecksItsArithmetic_data();
    void initReelsChecksItsArithmetic();
    void formLoadPreparesTheFirstWindow();
    void formLoadFailureEndsTheProgram();
};

void TestReels::showReelsShowsThreeNeighbours_data()
{
    QTest::addColumn<int>("reel");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("bottom");
    QTest::newRow("reel 1 at 1") << 1 << 1 << "%" << "$" << "*";
    QTest::newRow("reel 1 at 2") << 1 << 2 << "$" << "*" << "-";
    QTest::newRow("reel 1 at 3") << 1 << 3 << "*" << "-" << "#";
    QTest::newRow("reel 1 at 4") << 1 << 4 << "-" << "#" << "7";
    QTest::newRow("reel 1 at 5") << 1 << 5 << "#" << "7" << "C";
    QTest::newRow("reel 1 at 6") << 1 << 6 << "7" << "C" << "?";
    QTest::newRow("reel 1 at 7") << 1 << 7 << "C" << "?" << "=";
    QTest::newRow("reel 1 at 8") << 1 << 8 << "?" << "=" << "+";
    QTest::newRow("reel 1 at 9") << 1 << 9 << "=" << "+" << "%";
    QTest::newRow("reel 1 at 10") << 1 << 10 << "+" << "%" << "$";
    QTest::newRow("reel 2 at 1") << 2 << 1 << "%" << "=" << "#";
    QTest::newRow("reel 2 at 2") << 2 << 2 << "=" << "#" << "C";
    QTest::newRow("reel 2 at 3") << 2 << 3 << "#" << "C" << "*";
    QTest::newRow("reel 2 at 4") << 2 << 4 << "C" << "*" << "?";
    QTest::newRow("reel 2 at 5") << 2 << 5 << "*" << "?" << "-";
    QTest::newRow("reel 2 at 6") << 2 << 6 << "?" << "-" << "7";
    QTest::newRow("reel 2 at 7") << 2 << 7 << "-" << "7" << "$";
    QTest::newRow("reel 2 at 8") << 2 << 8 << "7" << "$" << "+";
    QTest::newRow("reel 2 at 9") << 2 << 9 << "$" << "+" << "%";
    QTest::newRow("reel 2 at 10") << 2 << 10 << "+" << "%" << "=";
    QTest::newRow("reel 3 at 1") << 3 << 1 << "%" << "$" << "+";
    QTest::newRow("reel 3 at 2") << 3 << 2 << "$" << "+" << "=";
    QTest::newRow("reel 3 at 3") << 3 << 3 << "+" << "=" << "?";
    QTest::newRow("reel 3 at 4") << 3 << 4 << "=" << "?" << "C";
    QTest::newRow("reel 3 at 5") << 3 << 5 << "?" << "C" << "7";
    QTest::newRow("reel 3 at 6") << 3 << 6 << "C" << "7" << "#";
    QTest::newRow("reel 3 at 7") << 3 << 7 << "7" << "#" << "-";
    QTest::newRow("reel 3 at 8") << 3 << 8 << "#" << "-" << "*";
    QTest::newRow("reel 3 at 9") << 3 << 9 << "-" << "*" << "%";
    QTest::newRow("reel 3 at 10") << 3 << 10 << "*" << "%" << "$";
}

void TestReels::showReelsShowsThreeNeighbours()
{
    QFETCH(int, reel);
    QFETCH(int, position);
    QFETCH(QString, top);
    QFETCH(QString, middle);
    QFETCH(QString, bottom);
    Machine machine;
    auto& [platform, runtime, form] = machine;
    form.InitReels();
    // The other reels sit elsewhere, so a mix-up of reels shows.
    for (int r = 1; r <= 3; ++r)
        form.ReelPos(r) = r == reel ? position : (position + 3 * r) % 10 + 1;
    form.ShowReels();
    auto& cells = CellsOf(form, reel);
    QCOMPARE(Cell(cells(0)), top);
    QCOMPARE(Cell(cells(1)), middle);
    QCOMPARE(Cell(cells(2)), bottom);
    QVERIFY(top != middle && middle != bottom && top != bottom);
}

void TestReels::showReelsWritesNineCellsInOrder()
{
    Machine machine;
    auto& [platform, runtime, form] = machine;
    form.InitReels();
    form.Coins = 1234;
    form.Stopped(2) = -1;
    platform.calls.clear();
    WriteLog log(form);
    machine.ShowStops(10, 10, 10);
    // A second call with nothing moved writes all nine again.
    form.ShowReels();
    const QStringList once { "labLeft(1).Caption=%", "labLeft(0).Caption=+", "labLeft(2).Caption=$",
        "labMid(1).Caption=%", "labMid(0).Caption=+", "labMid(2).Caption==", "labRight(1).Caption=%",
        "labRight(0).Caption=*", "labRight(2).Caption=$" };
    // Nothing but the nine cells: no lamp, button, counter or state.
    QCOMPARE(log.writes, once + once);
    QCOMPARE(form.Coins, forms::Long(1234));
    QCOMPARE(form.Stopped(2), Integer(-1));
    QVERIFY(platform.calls.empty());
}

void TestReels::showReelsRefusesPositionOffTheStrip_data()
{
    QTest::addColumn<int>("position");
    QTest::newRow("0, below the strip") << 0;
    QTest::newRow("11, past the strip") << 11;
    QTest::newRow("-5") << -5;
}

void TestReels::showReelsRefusesPositionOffTheStrip()
{
    QFETCH(int, position);
    Machine machine;
    auto& [platform, runtime, form] = machine;
    form.InitReels();
    form.ReelPos(2) = position;
    QCOMPARE(ErrorOf([&] { form.ShowReels(); }), 9);
}

void TestReels::stepDownMovesSymbolsDown()
{
    Machine machine;
    auto& [platform, runtime, form] = machine;
    form.InitReels();
    form.ReelPos(1) = 1;
    form.ShowReels();
    QCOMPARE(Cell(form.labLeft(0)), QStringLiteral("%"));
    QCOMPARE(Cell(form.labLeft(1)), QStringLiteral("$"));
    QCOMPARE(Cell(form.labLeft(2)), QStringLiteral("*"));
    // One step down from 1 wraps to 10: "%" drops to the middle, "$" to the bottom.
    form.ReelPos(1) = 10;
    form.ShowReels();
    QCOMPARE(Cell(form.labLeft(0)), QStringLiteral("+"));
    QCOMPARE(Cell(form.labLeft(1)), QStringLiteral("%"));
    QCOMPARE(Cell(form.labLeft(2)), QStringLiteral("$"));
}

void TestReels::stripsHoldEachSymbolOnce()
{
    Machine machine;
    auto& [platform, runtime, form] = machine;
    form.InitReels();
    for (int r = 0; r <= 3; ++r) {
        std::set<std::string> seen;
        for (int i = 0; i <= 10; ++i) {
            const std::string& symbol = form.ReelStrip(r, i);
            if (r == 0 || i == 0) {
                QVERIFY2(symbol.empty(), "row 0 and column 0 of the strip table stay empty");
                continue;
            }
            QCOMPARE(symbol, std::string(1, kStrips[r - 1][i - 1]));
            seen.insert(symbol);
        }
        QCOMPARE(seen.size(), r == 0 ? 0u : 10u);
    }
}

void TestReels::initReelsTurnsDrawsIntoPositions_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("position");
    QTest::newRow("0 gives 1") << 0.0 << 1;
    QTest::newRow("just under 0.1 gives 1") << std::nextafter(0.1, 0.0) << 1;
    QTest::newRow("0.1 gives 2") << 0.1 << 2;
    QTest::newRow("0.5 gives 6") << 0.5 << 6;
    QTest::newRow("0.9 gives 10") << 0.9 << 10;
    QTest::newRow("just under 1 gives 10") << std::nextafter(1.0, 0.0) << 10;
}

void TestReels::initReelsTurnsDrawsIntoPositions()
{
    QFETCH(double, draw);
    QFETCH(int, position);
    Machine machine;
    auto& [platform, runtime, form] = machine;
    platform.draws = { draw, draw, draw };
    form.InitReels();
    for (int r = 1; r <= 3; ++r)
        QCOMPARE(form.ReelPos(r), Integer(position));
    QCOMPARE(form.ReelPos(0), Integer(0));
}

void TestReels::initReelsDrawsLeftMiddleRight()
{
    Machine machine;
    auto& [platform, runtime, form] = machine;
    platform.draws = { 0.05, 0.45, 0.95, 0.25 };
    form.InitReels();
    QCOMPARE(form.ReelPos(1), Integer(1));
    QCOMPARE(form.ReelPos(2), Integer(5));
    QCOMPARE(form.ReelPos(3), Integer(10));
    QCOMPARE(platform.calls, (std::vector<std::string> { "Rnd", "Rnd", "Rnd" }));
    QCOMPARE(platform.draws.size(), 1u);
}

void TestReels::initReelsChecksItsArithmetic_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<int>("error");
    QTest::newRow("not a number: invalid operation") << std::nan("") << 5;
    QTest::newRow("product overflows") << std::numeric_limits<double>::max() << 6;
    QTest::newRow("position too large for an Integer") << 5000.0 << 6;
}

void TestReels::initReelsChecksItsArithmetic()
{
    QFETCH(double, draw);
    QFETCH(int, error);
    Machine machine;
    auto& [platform, runtime, form] = machine;
    platform.draws = { 0.5, draw };
    QCOMPARE(ErrorOf([&] { form.InitReels(); }), error);
    QCOMPARE(form.ReelPos(1), Integer(6));
    QCOMPARE(form.ReelPos(2), Integer(0));
}

void TestReels::formLoadPreparesTheFirstWindow()
{
    Machine machine;
    auto& [platform, runtime, form] = machine;
    platform.draws = { 0.42, 0.61, 0.99 };
    form.Stopped(1) = -1; // as if left over; start-up clears it
    WriteLog log(form);
    runtime.Load(form);
    QVERIFY(!runtime.Ended());
    // Seeded before the three draws, and nothing else asked of the platform.
    QCOMPARE(platform.calls, (std::vector<std::string> { "Randomize", "Rnd", "Rnd", "Rnd" }));
    QCOMPARE(form.Coins, forms::Long(500));
    for (int r = 1; r <= 3; ++r)
        QCOMPARE(form.Stopped(r), Integer(0));
    // Positions 5, 7 and 10: the cells show the strips there.
    QCOMPARE(Cell(form.labLeft(1)) + Cell(form.labMid(1)) + Cell(form.labRight(1)), QStringLiteral("77%"));
    QCOMPARE(Cell(form.labLeft(0)) + Cell(form.labMid(0)) + Cell(form.labRight(0)), QStringLiteral("#-*"));
    QCOMPARE(Cell(form.labLeft(2)) + Cell(form.labMid(2)) + Cell(form.labRight(2)), QStringLiteral("C$$"));
    // The counter keeps its design caption; start-up writes only the cells.
    QCOMPARE(log.writes.size(), 9);
    QCOMPARE(Cell(form.labCoins), QStringLiteral("500"));
}

void TestReels::formLoadFailureEndsTheProgram()
{
    Machine machine;
    auto& [platform, runtime, form] = machine;
    platform.draws = { std::nan("") };
    runtime.Load(form);
    QVERIFY(runtime.Ended());
    QCOMPARE(runtime.ExitStatus(), 1);
    QCOMPARE(platform.fatalErrors, std::vector<int> { 5 });
    QCOMPARE(platform.quitStatus, std::optional<int>(1));
}

QTEST_APPLESS_MAIN(TestReels)
#include "test_reels.moc"
