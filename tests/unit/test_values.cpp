// The checked numbers, arrays and control arrays: every operation either
// gives the exact result or raises its run-time error and stores nothing.

#include "error_of.h"
#include "forms/arrays.h"
#include "forms/controls.h"
#include "forms/list.h"
#include "forms/random.h"
#include "forms/values.h"

#include <QtTest>

#include <cmath>
#include <limits>

using namespace forms;

namespace {

constexpr int kOverflow = 6;
constexpr int kSubscript = 9;

} // namespace

class TestValues : public QObject {
    Q_OBJECT

private slots:
    void integerArithmetic_data();
    void integerArithmetic();
    void longArithmetic_data();
    void longArithmetic();
    void failedOperationStoresNothing();
    void conversionToInteger_data();
    void conversionToInteger();
    void floatingPointFaults_data();
    void floatingPointFaults();
    void arrayBounds_data();
    void arrayBounds();
    void twoDimensionalArrayKeepsEntriesApart();
    void listGrowsKeepingItsContents();
    void controlArrayBounds_data();
    void controlArrayBounds();
    void randomNumbersStayBelowOne();
    void randomSeeds();
};

void TestValues::integerArithmetic_data()
{
    QTest::addColumn<int>("a");
    QTest::addColumn<QChar>("op");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("result"); // ignored when it overflows
    QTest::addColumn<bool>("overflows");
    QTest::newRow("largest plus nothing") << 32767 << QChar('+') << 0 << 32767 << false;
    QTest::newRow("largest plus one") << 32767 << QChar('+') << 1 << 0 << true;
    QTest::newRow("smallest minus one") << -32768 << QChar('-') << 1 << 0 << true;
    QTest::newRow("smallest minus nothing") << -32768 << QChar('-') << 0 << -32768 << false;
    QTest::newRow("step below position 1") << 1 << QChar('-') << 1 << 0 << false;
    QTest::newRow("product at the limit") << 181 << QChar('*') << 181 << 32761 << false;
    QTest::newRow("product past the limit") << 200 << QChar('*') << 164 << 0 << true;
    QTest::newRow("negative product past the limit") << -200 << QChar('*') << 164 << 0 << true;
    QTest::newRow("largest line credit") << 200 << QChar('*') << 5 << 1000 << false;
}

void TestValues::integerArithmetic()
{
    QFETCH(int, a);
    QFETCH(QChar, op);
    QFETCH(int, b);
    QFETCH(int, result);
    QFETCH(bool, overflows);
    Integer x = a, y = b, z;
    const int error = ErrorOf([&] {
        z = op == '+' ? x + y : op == '-' ? x - y : x * y;
    });
    QCOMPARE(error, overflows ? kOverflow : 0);
    if (!overflows)
        QCOMPARE(int { z.Value() }, result);
}

void TestValues::longArithmetic_data()
{
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<bool>("overflows");
    QTest::newRow("balance plus a credit") << qint64 { 490 } << qint64 { 200 } << false;
    QTest::newRow("largest balance plus nothing") << qint64 { 2147483647 } << qint64 { 0 } << false;
    QTest::newRow("a credit that just fits") << qint64 { 2147482647 } << qint64 { 1000 } << false;
    QTest::newRow("a credit one coin too many") << qint64 { 2147482648 } << qint64 { 1000 } << true;
    QTest::newRow("stake from zero") << qint64 { 0 } << qint64 { -10 } << false;
    QTest::newRow("stake below the smallest") << qint64 { -2147483643 } << qint64 { -10 } << true;
}

void TestValues::longArithmetic()
{
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(bool, overflows);
    Long sum;
    QCOMPARE(ErrorOf([&] { sum = Long(a) + Long(b); }), overflows ? kOverflow : 0);
    if (!overflows)
        QCOMPARE(qint64 { sum.Value() }, a + b);
}

void TestValues::failedOperationStoresNothing()
{
    Long coins = 2147483000;
    QCOMPARE(ErrorOf([&] { coins = coins + Long(Integer(1000)); }), kOverflow);
    QCOMPARE(coins, Long(2147483000));

    Integer position = -32768;
    QCOMPARE(ErrorOf([&] { position = position - 1; }), kOverflow);
    QCOMPARE(position, Integer(-32768));

    // A number out of range is refused on the way in, too.
    QCOMPARE(ErrorOf([] { Integer tooBig = 40000; Q_UNUSED(tooBig); }), kOverflow);
    QCOMPARE(ErrorOf([] { Long tooBig = 3000000000LL; Q_UNUSED(tooBig); }), kOverflow);
}

void TestValues::conversionToInteger_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("overflows");
    QTest::newRow("whole") << 10.0 << 10 << false;
    QTest::newRow("half rounds to even, down") << 2.5 << 2 << false;
    QTest::newRow("half rounds to even, up") << 1.5 << 2 << false;
    QTest::newRow("negative half to even") << -0.5 << 0 << false;
    QTest::newRow("largest") << 32767.4 << 32767 << false;
    QTest::newRow("rounds past the largest") << 32767.5 << 0 << true;
    QTest::newRow("smallest by rounding to even") << -32768.5 << -32768 << false;
    QTest::newRow("below the smallest") << -32768.6 << 0 << true;
    QTest::newRow("not a number") << std::nan("") << 0 << true;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0 << true;
}

void TestValues::conversionToInteger()
{
    QFETCH(double, value);
    QFETCH(int, result);
    QFETCH(bool, overflows);
    Integer converted = 99;
    QCOMPARE(ErrorOf([&] { converted = CInt(value); }), overflows ? kOverflow : 0);
    QCOMPARE(int { converted.Value() }, overflows ? 99 : result);
}

void TestValues::floatingPointFaults_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<QChar>("op");
    QTest::addColumn<double>("b");
    QTest::addColumn<int>("error");
    const double huge = std::numeric_limits<double>::max();
    QTest::newRow("ordinary product") << 0.5 << QChar('*') << 10.0 << 0;
    QTest::newRow("product overflows") << huge << QChar('*') << 10.0 << kOverflow;
    QTest::newRow("sum overflows") << huge << QChar('+') << huge << kOverflow;
    QTest::newRow("not a number is an invalid operation") << std::nan("") << QChar('*') << 10.0 << 5;
    QTest::newRow("infinity minus infinity is invalid")
        << std::numeric_limits<double>::infinity() << QChar('-') << std::numeric_limits<double>::infinity() << 5;
    QTest::newRow("division by zero") << 1.0 << QChar('/') << 0.0 << 11;
    QTest::newRow("zero by zero is invalid") << 0.0 << QChar('/') << 0.0 << 5;
}

void TestValues::floatingPointFaults()
{
    QFETCH(double, a);
    QFETCH(QChar, op);
    QFETCH(double, b);
    QFETCH(int, error);
    const Double x = a, y = b;
    QCOMPARE(ErrorOf([&] {
        switch (op.toLatin1()) {
        case '+': (void)(x + y); break;
        case '-': (void)(x - y); break;
        case '*': (void)(x * y); break;
        default: (void)(x / y); break;
        }
    }),
        error);
}

void TestValues::arrayBounds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("inBounds");
    QTest::newRow("below") << -1 << false;
    QTest::newRow("lower bound") << 0 << true;
    QTest::newRow("upper bound") << 3 << true;
    QTest::newRow("above") << 4 << false;
}

void TestValues::arrayBounds()
{
    QFETCH(int, index);
    QFETCH(bool, inBounds);
    Array<Integer, 0, 3> positions;
    QCOMPARE(ErrorOf([&] { positions(index) = 7; }), inBounds ? 0 : kSubscript);
    if (inBounds)
        QCOMPARE(positions(index), Integer(7));

    Array2D<std::string, 0, 3, 0, 10> strips;
    QCOMPARE(ErrorOf([&] { (void)strips(index, 10); }), inBounds ? 0 : kSubscript);
    QCOMPARE(ErrorOf([&] { (void)strips(1, index + 7); }), index + 7 <= 10 ? 0 : kSubscript);
}

void TestValues::twoDimensionalArrayKeepsEntriesApart()
{
    Array2D<int, 0, 3, 0, 10> table;
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 10; ++j)
            table(i, j) = 100 * i + j;
    for (int i = 0; i <= 3; ++i)
        for (int j = 0; j <= 10; ++j)
            QCOMPARE(table(i, j), 100 * i + j);
    // A swapped pair of subscripts is caught rather than read from elsewhere.
    QCOMPARE(ErrorOf([&] { (void)table(10, 3); }), kSubscript);
}

void TestValues::listGrowsKeepingItsContents()
{
    List<std::string> symbols;
    QCOMPARE(ErrorOf([&] { (void)symbols(1); }), kSubscript);
    symbols.ReDimPreserve(1, 1);
    // Assigned as strings: GCC 12 warns falsely (-Wrestrict) on a literal here.
    symbols(1) = std::string("$");
    symbols.ReDimPreserve(1, 2);
    symbols(2) = std::string("7");
    QCOMPARE(symbols(1), std::string("$"));
    QCOMPARE(symbols(2), std::string("7"));
    QCOMPARE(ErrorOf([&] { (void)symbols(0); }), kSubscript);
    QCOMPARE(ErrorOf([&] { (void)symbols(3); }), kSubscript);
    // Only the upper bound of a list with contents can change.
    QCOMPARE(ErrorOf([&] { symbols.ReDimPreserve(0, 2); }), kSubscript);
    QCOMPARE(ErrorOf([&] { symbols.ReDimPreserve(1, -1); }), kSubscript);
    QCOMPARE(symbols(2), std::string("7"));
}

void TestValues::controlArrayBounds_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("exists");
    QTest::newRow("first lamp") << 0 << true;
    QTest::newRow("last lamp") << 4 << true;
    QTest::newRow("one past the last") << 5 << false;
    QTest::newRow("negative") << -1 << false;
}

void TestValues::controlArrayBounds()
{
    QFETCH(int, index);
    QFETCH(bool, exists);
    ControlArray<Shape, 5> lamps("shpReach");
    Shape* found = nullptr;
    QCOMPARE(ErrorOf([&] { found = &lamps(index); }), exists ? 0 : kSubscript);
    if (exists) {
        QCOMPARE(found->Index, index);
        QCOMPARE(QString::fromStdString(found->Name), QStringLiteral("shpReach"));
    }
}

void TestValues::randomNumbersStayBelowOne()
{
    RandomSource random(1);
    double lowest = 1.0, highest = 0.0;
    int buckets[10] = {};
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i) {
        const double u = random.Next();
        QVERIFY(u >= 0.0 && u < 1.0);
        lowest = std::min(lowest, u);
        highest = std::max(highest, u);
        ++buckets[static_cast<int>(u * 10)];
    }
    QVERIFY(lowest < 0.001 && highest > 0.999);
    // Each tenth gets its share: 20,000 expected, five standard deviations allowed.
    for (int count : buckets)
        QVERIFY2(std::abs(count - kDraws / 10) < 700, qPrintable(QString::number(count)));
}

void TestValues::randomSeeds()
{
    RandomSource a(42), b(42), c(43);
    const double first = a.Next();
    QCOMPARE(b.Next(), first);
    QVERIFY(c.Next() != first);

    // Two seeds taken from the clock one right after the other differ.
    RandomSource early, late;
    early.SeedFromClock();
    late.SeedFromClock();
    QVERIFY(early.Next() != late.Next());
}

QTEST_APPLESS_MAIN(TestValues)
#include "test_values.moc"
