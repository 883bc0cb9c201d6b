// SPDX-FileCopyrightText: 2026 The Vantu developers
// SPDX-License-Identifier: MIT

// What random play never reaches: judgements of captions no stop can show,
// the credit at the edge of the balance's range, and the checked numbers
// and bounds at their edges.

#include "machine.h"

#include "forms/list.h"

#include <QtTest>

#include <cmath>
#include <functional>

using forms::Integer;
using forms::Long;

class TestEdges : public QObject {
    Q_OBJECT

private slots:
    void judgements_data();
    void judgements();
    void checkedValues_data();
    void checkedValues();
};

void TestEdges::judgements_data()
{
    QTest::addColumn<QString>("cells"); // left, middle, right reel, each top to bottom
    QTest::addColumn<int>("coins");
    QTest::addColumn<QString>("lit"); // the lamps, 0 to 4
    QTest::addColumn<int>("after"); // the balance after, or the error that ended the program
    QTest::newRow("$ then 7 pay both, twice") << "$a7 $b7 $c7" << 490 << "01010" << 490 + 700;
    QTest::newRow("nine equal pay 25 times") << "CCC CCC CCC" << 0 << "11111" << 2500;
    QTest::newRow("the right cell differs") << "777 777 77$" << 0 << "11100" << 1800;
    QTest::newRow("case counts") << "ccc ccc CCC" << 0 << "00000" << 0;
    QTest::newRow("up to the largest balance") << "x7x y7y z7z" << 2147483647 - 200 << "00100" << 2147483647;
    QTest::newRow("past it: fatal, balance kept") << "x7x y7y z7z" << 2147483647 - 199 << "00100" << -6;
}

void TestEdges::judgements()
{
    QFETCH(QString, cells);
    QFETCH(int, coins);
    QFETCH(QString, lit);
    QFETCH(int, after);
    Machine g;
    frmMain& f = g.form;
    for (int row = 0; row < 3; ++row)
        for (int r = 0; r < 3; ++r)
            std::array { &f.labLeft, &f.labMid, &f.labRight }[static_cast<std::size_t>(r)]->operator()(row).Caption = cells.mid(4 * r + row, 1).toStdString();
    f.Coins = coins;
    g.runtime.RaiseEvent([&] { f.JudgeLines(); });
    for (int k = 0; k < 5; ++k)
        QCOMPARE(f.shpReach(k).BackColor.Get(), lit[k] == '1' ? frmMain::kLampLit : frmMain::kLampUnlit);
    // A failed credit is fatal: reported, the balance kept, status 1.
    QCOMPARE(f.Coins.Value(), after < 0 ? coins : after);
    QCOMPARE(f.labCoins.Caption.Get(), after < 0 ? "500" : std::to_string(after));
    QCOMPARE(g.platform.fatalErrors, after < 0 ? std::vector { -after } : std::vector<int> {});
    QCOMPARE(g.platform.quitStatus, after < 0 ? std::optional(1) : std::nullopt);
}

void TestEdges::checkedValues_data()
{
    QTest::addColumn<std::function<void()>>("operation");
    QTest::addColumn<int>("error"); // the run-time error raised, 0 for none
    static Machine g;
    static forms::List<std::string> list;
    const auto row = [](const char* name, const std::function<void()>& op, int error) {
        QTest::newRow(name) << op << error;
    };
    row("Integer past its top", [] { (void)(Integer(32767) + 1); }, 6);
    row("Integer past its bottom", [] { (void)(Integer(-32768) - 1); }, 6);
    row("Long past its top", [] { (void)(Long(2147483647) + 1); }, 6);
    row("Long past its bottom", [] { (void)(-Long(-2147483647 - 1)); }, 6);
    row("CInt rounds a half to even", [] { QCOMPARE(forms::CInt(32766.5), Integer(32766)); }, 0);
    row("CInt past the range", [] { (void)forms::CInt(32767.5); }, 6);
    row("Double: invalid operation", [] { (void)(forms::Double(std::nan("")) * 10.0); }, 5);
    row("Double: overflow", [] { (void)(forms::Double(1e308) * 10.0); }, 6);
    row("Double: division by zero", [] { (void)(forms::Double(1) / 0.0); }, 11);
    row("ReelPos(3)", [] { (void)g.form.ReelPos(3); }, 0);
    row("ReelPos(4)", [] { (void)g.form.ReelPos(4); }, 9);
    row("Stopped(-1)", [] { (void)g.form.Stopped(-1); }, 9);
    row("ReelStrip(3, 10)", [] { (void)g.form.ReelStrip(3, 10); }, 0);
    row("ReelStrip(3, 11)", [] { (void)g.form.ReelStrip(3, 11); }, 9);
    row("ReelStrip(4, 0)", [] { (void)g.form.ReelStrip(4, 0); }, 9);
    row("labRight(3)", [] { (void)g.form.labRight(3); }, 9);
    row("shpReach(5)", [] { (void)g.form.shpReach(5); }, 9);
    row("a list keeps what it held", [] {
        list.ReDimPreserve(1, 1);
        list(1).assign(1, '$');
        list.ReDimPreserve(1, 2);
        QVERIFY(list(1) == "$");
    }, 0);
    row("past a list's end", [] { (void)list(3); }, 9);
    row("before a list's start", [] { (void)list(0); }, 9);
    row("a start draw NaN", [] { g.platform.draws = { std::nan("") }; g.form.InitReels(); }, 5);
}

void TestEdges::checkedValues()
{
    QFETCH(std::function<void()>, operation);
    QFETCH(int, error);
    int raised = 0;
    try {
        operation();
    } catch (const forms::RuntimeError& e) {
        raised = e.Number();
    }
    QCOMPARE(raised, error);
}

QTEST_GUILESS_MAIN(TestEdges)
#include "test_edges.moc"
