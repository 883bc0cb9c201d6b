// The judgement of the pay lines: which lamps light and what is credited,
// from what the reel cells show.

#include "machine.h"
#include "write_log.h"

#include <QtTest>

#include <map>

namespace {

constexpr forms::Color kGrey = 0x808080, kLit = 0xC0FFFF;

// The pay of one line, as the machine's paytable card reads.
const std::map<QString, int> kPay { { "7", 200 }, { "$", 150 }, { "C", 100 }, { "*", 100 }, { "#", 75 },
    { "?", 75 }, { "+", 75 }, { "-", 50 }, { "=", 50 }, { "%", 50 } };

struct Reels : Machine {
    Reels() { form.InitReels(); }

    // Stops the reels at these positions and judges them, from a balance of 490.
    void JudgeStops(int left, int middle, int right)
    {
        ShowStops(left, middle, right);
        form.Coins = 490;
        form.JudgeLines();
    }

    // Sets the nine cells from three rows of three symbols, top row first.
    void Show(const QString& top, const QString& middle, const QString& bottom)
    {
        const QString rows[] = { top, middle, bottom };
        for (int row = 0; row < 3; ++row) {
            form.labLeft(row).Caption = rows[row].mid(0, 1).toStdString();
            form.labMid(row).Caption = rows[row].mid(1, 1).toStdString();
            form.labRight(row).Caption = rows[row].mid(2, 1).toStdString();
        }
    }
    QString Lamps()
    {
        QString lamps;
        for (auto& lamp : form.shpReach)
            lamps += lamp.BackColor.Get() == kLit ? '*' : lamp.BackColor.Get() == kGrey ? '.' : '?';
        return lamps;
    }
};

} // namespace

class TestJudge : public QObject {
    Q_OBJECT

private slots:
    void everyStopCombination();
    void stopPositions_data();
    void stopPositions();
    void shownSymbols_data();
    void shownSymbols();
    void losingLampsAreNeverWritten();
    void creditThatOverflowsStoresNothing();
    void eachLineIsCreditedInTurn();
};

// All 1,000 ways the three reels can stop: exactly one line per symbol per
// line wins, and no stop wins two lines.
void TestJudge::everyStopCombination()
{
    int wins = 0;
    std::map<int, QStringList> symbolsByLine;
    for (int p1 = 1; p1 <= 10; ++p1)
        for (int p2 = 1; p2 <= 10; ++p2)
            for (int p3 = 1; p3 <= 10; ++p3) {
                Reels machine;
                machine.JudgeStops(p1, p2, p3);
                const QString lamps = machine.Lamps();
                const int lit = static_cast<int>(lamps.count('*'));
                QVERIFY2(lit <= 1, qPrintable(QStringLiteral("%1 %2 %3: %4").arg(p1).arg(p2).arg(p3).arg(lamps)));
                QCOMPARE(lamps.count('?'), 0);
                const int credit = machine.form.Coins.Value() - 490;
                if (lit == 0) {
                    QCOMPARE(credit, 0);
                    continue;
                }
                ++wins;
                const int line = static_cast<int>(lamps.indexOf('*'));
                const int rows[5][3] = { { 2, 1, 0 }, { 0, 0, 0 }, { 1, 1, 1 }, { 2, 2, 2 }, { 0, 1, 2 } };
                const QString symbol = QString::fromStdString(machine.form.labLeft(rows[line][0]).Caption);
                QCOMPARE(QString::fromStdString(machine.form.labMid(rows[line][1]).Caption), symbol);
                QCOMPARE(QString::fromStdString(machine.form.labRight(rows[line][2]).Caption), symbol);
                QCOMPARE(credit, kPay.at(symbol));
                QCOMPARE(QString::fromStdString(machine.form.labCoins.Caption), QString::number(490 + credit));
                symbolsByLine[line] << symbol;
            }
    QCOMPARE(wins, 50);
    for (int line = 0; line < 5; ++line) {
        QStringList symbols = symbolsByLine[line];
        symbols.sort();
        QCOMPARE(symbols.join(QString()), QStringLiteral("#$%*+-7=?C"));
    }
}

void TestJudge::stopPositions_data()
{
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("middle");
    QTest::addColumn<int>("right");
    QTest::addColumn<QString>("lamps");
    QTest::addColumn<int>("coins");
    QTest::newRow("10, 10, 10: middle row of %") << 10 << 10 << 10 << "..*.." << 540;
    QTest::newRow("1, 1, 1: top row of %") << 1 << 1 << 1 << ".*..." << 540;
    QTest::newRow("5, 7, 6: middle row of 7") << 5 << 7 << 6 << "..*.." << 690;
    QTest::newRow("4, 7, 7: rising diagonal of 7") << 4 << 7 << 7 << "*...." << 690;
    QTest::newRow("2, 8, 10: falling diagonal of $") << 2 << 8 << 10 << "....*" << 640;
    QTest::newRow("1, 2, 3: nothing") << 1 << 2 << 3 << "....." << 490;
}

void TestJudge::stopPositions()
{
    QFETCH(int, left);
    QFETCH(int, middle);
    QFETCH(int, right);
    QFETCH(QString, lamps);
    QFETCH(int, coins);
    Reels machine;
    machine.JudgeStops(left, middle, right);
    QCOMPARE(machine.Lamps(), lamps);
    QCOMPARE(machine.form.Coins, forms::Long(coins));
    QCOMPARE(QString::fromStdString(machine.form.labCoins.Caption), QString::number(coins));
}

void TestJudge::shownSymbols_data()
{
    QTest::addColumn<QString>("top");
    QTest::addColumn<QString>("middle");
    QTest::addColumn<QString>("bottom");
    QTest::addColumn<QString>("lamps");
    QTest::addColumn<int>("credit");
    QTest::newRow("$ then 7: (150 + 200) x 2") << "$$$" << "777" << "#?+" << ".**.." << 700;
    QTest::newRow("7 in all nine cells: 25 x 200") << "777" << "777" << "777" << "*****" << 5000;
    QTest::newRow("% in all nine cells: 25 x 50") << "%%%" << "%%%" << "%%%" << "*****" << 1250;
    QTest::newRow("three lines: (200 + 200 + 75) x 3") << "777" << "777" << "###" << ".***." << 1425;
    QTest::newRow("both diagonals of C: (100 + 100) x 2") << "C-C" << "=C?" << "C+C" << "*...*" << 400;
    QTest::newRow("left = middle, right differs") << "$$7" << "=-?" << "#*+" << "....." << 0;
    QTest::newRow("left = right, middle differs") << "$7$" << "=-?" << "#*+" << "....." << 0;
    QTest::newRow("case counts") << "CCc" << "=-?" << "#*+" << "....." << 0;
    QTest::newRow("? * + each pay their own") << "???" << "***" << "+++" << ".***." << 750;
}

void TestJudge::shownSymbols()
{
    QFETCH(QString, top);
    QFETCH(QString, middle);
    QFETCH(QString, bottom);
    QFETCH(QString, lamps);
    QFETCH(int, credit);
    Reels machine;
    machine.Show(top, middle, bottom);
    machine.form.Coins = 1000;
    // The judgement reads the cells, not the reel positions behind them.
    machine.form.ReelPos(1) = 10;
    machine.form.ReelPos(2) = 10;
    machine.form.ReelPos(3) = 10;
    machine.form.JudgeLines();
    QCOMPARE(machine.Lamps(), lamps);
    QCOMPARE(machine.form.Coins, forms::Long(1000 + credit));
    QCOMPARE(QString::fromStdString(machine.form.labCoins.Caption), QString::number(1000 + credit));
}

void TestJudge::losingLampsAreNeverWritten()
{
    Reels machine;
    machine.Show("$$$", "-=?", "#*+");
    machine.form.Coins = 20;
    WriteLog log(machine.form);
    machine.form.JudgeLines();
    QCOMPARE(log.writes, (QStringList { "shpReach(1).BackColor=C0FFFF", "labCoins.Caption=170" }));

    // Without a win only the counter is written, with the unchanged balance.
    machine.Show("$$7", "-=?", "#*+");
    log.writes.clear();
    machine.form.JudgeLines();
    QCOMPARE(log.writes, QStringList { "labCoins.Caption=170" });
}

void TestJudge::creditThatOverflowsStoresNothing()
{
    Reels machine;
    machine.Show("$*-", "777", "#?+");
    machine.form.Coins = 2147483647 - 100;
    machine.form.labCoins.Caption = "before";
    machine.runtime.RaiseEvent([&] { machine.form.JudgeLines(); });
    QCOMPARE(machine.platform.fatalErrors, std::vector<int> { 6 });
    QCOMPARE(machine.runtime.ExitStatus(), 1);
    QCOMPARE(machine.form.Coins, forms::Long(2147483647 - 100));
    QCOMPARE(machine.form.labCoins.Caption.Get(), std::string("before"));
    QCOMPARE(machine.Lamps(), QStringLiteral("..*.."));
}

void TestJudge::eachLineIsCreditedInTurn()
{
    // "$" then "7", each times two: 300 fits, the 400 after it does not.
    Reels machine;
    machine.Show("$$$", "777", "#?+");
    machine.form.Coins = 2147483647 - 500;
    machine.runtime.RaiseEvent([&] { machine.form.JudgeLines(); });
    QCOMPARE(machine.platform.fatalErrors, std::vector<int> { 6 });
    QCOMPARE(machine.form.Coins, forms::Long(2147483647 - 200));

    // Within a coin of the limit, the same lines are paid in full.
    Reels exact;
    exact.Show("$$$", "777", "#?+");
    exact.form.Coins = 2147483647 - 700;
    exact.form.JudgeLines();
    QCOMPARE(exact.form.Coins, forms::Long(2147483647));
    QCOMPARE(exact.form.labCoins.Caption.Get(), std::string("2147483647"));
}

QTEST_APPLESS_MAIN(TestJudge)
#include "test_judge.moc"
