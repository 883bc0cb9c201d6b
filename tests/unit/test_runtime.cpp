// The event boundary and the ways a program ends.

#include "forms/form.h"
#include "forms/runtime.h"
#include "scripted_platform.h"

#include <QtTest>

#include <new>
#include <stdexcept>

using namespace forms;

namespace {

// A form with one button and one label, designed from a table.
class TinyForm : public Form {
public:
    explicit TinyForm(Runtime& runtime)
        : Form(runtime)
    {
        cmdGo.Name = "cmdGo";
        labText.Name = "labText";
        Register(cmdGo);
        Register(labText);
    }
    void Design(std::span<const ControlDesign> rows) { ApplyDesign({ "Tiny", 1500, 1500, 0xFFFFFF, nullptr, nullptr }, rows); }
    void Pump() { DoEvents(); }
    [[noreturn]] void Quit() { End(); }

    CommandButton cmdGo;
    Label labText;
};

constexpr ControlDesign kGo { "cmdGo", -1, 15, 30, 300, 150, 1, "GO", true, nullptr };
constexpr ControlDesign kText { "labText", -1, 15, 300, 600, 150, 0, "hello", true, nullptr };

// The tiny form, designed, on a scripted platform.
struct Tiny {
    ScriptedPlatform platform;
    Runtime runtime { platform };
    TinyForm form { runtime };

    Tiny() { form.Design(std::array { kGo, kText }); }
};

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT

private slots:
    void runtimeErrorIsReportedAndEnds();
    void otherFailuresAreReportedToo_data();
    void otherFailuresAreReportedToo();
    void endStopsTheHandlerAndRefusesLaterEvents();
    void disabledButtonRaisesNoClick();
    void closingDuringDoEventsUnwindsTheHandler();
    void errorInNestedHandlerIsReportedOnce();
    void closingTwiceQuitsOnce();
    void designThatDoesNotFitIsRefused_data();
    void designThatDoesNotFitIsRefused();
};

void TestRuntime::runtimeErrorIsReportedAndEnds()
{
    ScriptedPlatform platform;
    Runtime runtime(platform);
    bool after = false;
    runtime.RaiseEvent([&] {
        Long coins = 2147483647;
        coins = coins + 1;
        after = true;
    });
    QVERIFY(!after);
    QVERIFY(runtime.Ended());
    QCOMPARE(runtime.ExitStatus(), 1);
    QCOMPARE(platform.fatalErrors, std::vector<int> { 6 });
    QCOMPARE(platform.calls, (std::vector<std::string> { "ReportFatal", "Quit" }));
    QCOMPARE(platform.quitStatus, std::optional<int>(1));
}

void TestRuntime::otherFailuresAreReportedToo_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("error");
    QTest::newRow("out of memory") << 0 << 7;
    QTest::newRow("a C++ exception") << 1 << 51;
    QTest::newRow("something else thrown") << 2 << 51;
}

void TestRuntime::otherFailuresAreReportedToo()
{
    QFETCH(int, kind);
    QFETCH(int, error);
    ScriptedPlatform platform;
    Runtime runtime(platform);
    runtime.RaiseEvent([kind] {
        if (kind == 0)
            throw std::bad_alloc();
        if (kind == 1)
            throw std::out_of_range("vector");
        throw 42;
    });
    QCOMPARE(platform.fatalErrors, std::vector<int> { error });
    QCOMPARE(runtime.ExitStatus(), 1);
}

void TestRuntime::endStopsTheHandlerAndRefusesLaterEvents()
{
    Tiny tiny;
    auto& [platform, runtime, form] = tiny;
    int clicks = 0;
    bool afterEnd = false;
    form.cmdGo.Click = [&] {
        ++clicks;
        form.Quit();
        afterEnd = true;
    };
    runtime.Click(form.cmdGo);
    runtime.Click(form.cmdGo); // already queued behind the first
    QCOMPARE(clicks, 1);
    QVERIFY(!afterEnd);
    QCOMPARE(runtime.ExitStatus(), 0);
    QCOMPARE(platform.quitStatus, std::optional<int>(0));
    QVERIFY(platform.fatalErrors.empty());
}

void TestRuntime::disabledButtonRaisesNoClick()
{
    Tiny tiny;
    auto& [platform, runtime, form] = tiny;
    int clicks = 0;
    form.cmdGo.Click = [&] { ++clicks; };
    form.cmdGo.Enabled = false;
    runtime.Click(form.cmdGo);
    QCOMPARE(clicks, 0);
    form.cmdGo.Enabled = true;
    runtime.Click(form.cmdGo);
    QCOMPARE(clicks, 1);
}

void TestRuntime::closingDuringDoEventsUnwindsTheHandler()
{
    Tiny tiny;
    auto& [platform, runtime, form] = tiny;
    int sweeps = 0;
    form.cmdGo.Click = [&] {
        for (;;) { // a loop with no exit of its own
            ++sweeps;
            form.Pump();
        }
    };
    platform.onDoEvents = [&](int count) {
        if (count == 3)
            runtime.Close();
    };
    runtime.Click(form.cmdGo);
    QCOMPARE(sweeps, 3);
    QVERIFY(runtime.Ended());
    QCOMPARE(runtime.ExitStatus(), 0);
    QVERIFY(platform.fatalErrors.empty());
}

void TestRuntime::errorInNestedHandlerIsReportedOnce()
{
    Tiny tiny;
    auto& [platform, runtime, form] = tiny;
    bool outerFinished = false;
    form.cmdGo.Click = [&] {
        form.Pump();
        outerFinished = true;
    };
    // During the outer handler's DoEvents, another event fails.
    platform.onDoEvents = [&](int) { runtime.RaiseEvent([] { Raise(ErrorNumber::SubscriptOutOfRange); }); };
    runtime.Click(form.cmdGo);
    QVERIFY(!outerFinished);
    QCOMPARE(platform.fatalErrors, std::vector<int> { 9 });
    QCOMPARE(runtime.ExitStatus(), 1);
}

void TestRuntime::closingTwiceQuitsOnce()
{
    ScriptedPlatform platform;
    Runtime runtime(platform);
    runtime.Close();
    runtime.Close();
    QCOMPARE(platform.calls, std::vector<std::string> { "Quit" });
    QCOMPARE(runtime.ExitStatus(), 0);
}

void TestRuntime::designThatDoesNotFitIsRefused_data()
{
    QTest::addColumn<int>("mistake");
    QTest::newRow("a row for no control") << 0;
    QTest::newRow("a control named twice") << 1;
    QTest::newRow("a control without a row") << 2;
}

void TestRuntime::designThatDoesNotFitIsRefused()
{
    QFETCH(int, mistake);
    ScriptedPlatform platform;
    Runtime runtime(platform);
    TinyForm form(runtime);
    ControlDesign stranger = kText;
    stranger.Name = "labOther";
    switch (mistake) {
    case 0:
        QVERIFY_THROWS_EXCEPTION(std::logic_error, form.Design(std::array { kGo, kText, stranger }));
        break;
    case 1:
        QVERIFY_THROWS_EXCEPTION(std::logic_error, form.Design(std::array { kGo, kText, kGo }));
        break;
    default:
        QVERIFY_THROWS_EXCEPTION(std::logic_error, form.Design(std::array { kGo }));
        break;
    }
}

QTEST_APPLESS_MAIN(TestRuntime)
#include "test_runtime.moc"
