// What a screen reader learns of the window, read through Qt's
// accessibility interfaces in process: every control's role, name and
// description at rest, and the events that a whole play sends.

#include "counting_platform.h"
#include "forms/qt/form_window.h"
#include "forms/qt/qt_platform.h"
#include "window/frmMain.h"

#include <QtTest>

#include <QAccessible>
#include <QMessageBox>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <map>
#include <vector>

namespace {

std::vector<std::pair<QObject*, QAccessible::Event>> events;
void Record(QAccessibleEvent* event) { events.emplace_back(event->object(), event->type()); }

struct Game {
    forms::qt::QtPlatform real;
    CountingPlatform platform { real };
    forms::Runtime runtime { platform };
    frmMain form { runtime };
    forms::qt::FormWindow window { form, runtime };

    Game()
    {
        real.SetMainWindow(&window);
        runtime.Load(form);
        window.show();
        window.FocusFirstButton();
    }
    // Plays with the reels stopped after `sweeps` sweeps, at these positions.
    void Play(int left, int middle, int right, int sweeps)
    {
        for (int r = 1; r <= 3; ++r)
            form.ReelPos(r) = forms::Integer(std::array { left, middle, right }[r - 1] + sweeps % 10);
        platform.onDoEvents = [this, sweeps](int count) {
            if (count % sweeps == 0)
                for (auto* stop : { &form.cmdLeft, &form.cmdMid, &form.cmdRight })
                    QTest::mouseClick(window.WidgetOf(*stop), Qt::LeftButton);
        };
        QTest::mouseClick(window.WidgetOf(form.cmdGo), Qt::LeftButton);
    }
    QAccessibleInterface* Accessible(const forms::Control& c) { return QAccessible::queryAccessibleInterface(window.WidgetOf(c)); }
};

const std::map<std::string, QString> kWords { { "$", "dollar" }, { "*", "star" }, { "-", "minus" },
    { "#", "hash" }, { "7", "seven" }, { "C", "C" }, { "?", "question mark" }, { "=", "equals" },
    { "+", "plus" }, { "%", "percent" } };

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As when a screen reader is listening: Qt then sends its events
        // to this handler instead of the platform's bridge.
        QAccessible::installUpdateHandler(&Record);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    void plays_data();
    void plays();
    void messagesAreAlerts();
};

void TestAccessibility::plays_data()
{
    QTest::addColumn<QList<int>>("stops"); // left, middle, right; none: the first window
    QTest::addColumn<int>("lit"); // the lamp lit, or -1
    QTest::addColumn<QString>("go");
    QTest::newRow("first window") << QList<int> {} << -1 << "Starts a play for 10 coins.";
    QTest::newRow("sevens in the middle row") << QList { 5, 7, 6 } << 2
                                              << "Middle row wins with seven: 200 coins. 690 coins.";
    QTest::newRow("dollars on the falling diagonal") << QList { 2, 8, 10 } << 4
                                                     << "Falling diagonal wins with dollar: 150 coins. 640 coins.";
    QTest::newRow("no win") << QList { 1, 1, 2 } << -1 << "No win. 490 coins.";
}

void TestAccessibility::plays()
{
    QFETCH(QList<int>, stops);
    QFETCH(int, lit);
    QFETCH(QString, go);
    Game game;
    frmMain& f = game.form;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    events.clear();
    if (!stops.isEmpty())
        game.Play(stops[0], stops[1], stops[2], 5000);
    QTRY_COMPARE(QApplication::focusWidget(), game.window.WidgetOf(f.cmdGo));

    // However long the reels spin, a play sends a few dozen events, and GO
    // has its new description before the focus comes back to it.
    qInfo("events in this play: %zu", events.size());
    QVERIFY2(events.size() <= 40, qPrintable(QString::number(events.size())));
    const auto last = [&](QAccessible::Event type) {
        const std::pair event { static_cast<QObject*>(game.window.WidgetOf(f.cmdGo)), type };
        return std::find(events.rbegin(), events.rend(), event).base() - events.begin();
    };
    if (!stops.isEmpty())
        QVERIFY(last(QAccessible::DescriptionChanged) < last(QAccessible::Focus));

    const QStringList reels { "Left reel", "Middle reel", "Right reel" }, rows { "top", "middle", "bottom" };
    const QStringList lines { "Rising diagonal", "Top row", "Middle row", "Bottom row", "Falling diagonal" };
    struct Expected { const forms::Control& control; QAccessible::Role role; QString name, description; };
    std::vector<Expected> expected {
        { f.cmdGo, QAccessible::Button, "GO", go },
        { f.cmdLeft, QAccessible::Button, "Stop left reel", "" },
        { f.cmdMid, QAccessible::Button, "Stop middle reel", "" },
        { f.cmdRight, QAccessible::Button, "Stop right reel", "" },
        { f.labCoins, QAccessible::StaticText, "Balance", QString::fromStdString(f.labCoins.Caption) + " coins" },
    };
    for (int k = 0; k < 5; ++k)
        expected.push_back({ f.shpReach(k), QAccessible::Graphic, lines[k], k == lit ? "lit" : "unlit" });
    for (int r = 0; r < 3; ++r)
        for (int row = 0; row < 3; ++row) {
            const forms::Label& cell = std::array { &f.labLeft, &f.labMid, &f.labRight }[r]->operator()(row);
            expected.push_back({ cell, QAccessible::StaticText, reels[r] + ", " + rows[row] + " row", kWords.at(cell.Caption) });
        }
    for (const Expected& e : expected) {
        QAccessibleInterface* a = game.Accessible(e.control);
        QCOMPARE(a->role(), e.role);
        QCOMPARE(a->text(QAccessible::Name), e.name);
        QCOMPARE(a->text(QAccessible::Description), e.description);
    }
}

// The game-over message reaches a screen reader as an alert with its text.
// Last: the program ends after it.
void TestAccessibility::messagesAreAlerts()
{
    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    game.form.Coins = 5;
    events.clear();
    QString heard;
    QTimer::singleShot(50, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box != nullptr);
        for (const auto& [object, type] : events)
            if (object == box && type == QAccessible::Alert)
                heard = QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name) + "|"
                    + box->text();
        box->accept();
    });
    QTest::mouseClick(game.window.WidgetOf(game.form.cmdGo), Qt::LeftButton);
    QCOMPARE(heard, QString("GameOver|You ran out of your coins!"));
    QVERIFY(game.runtime.Ended());
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
