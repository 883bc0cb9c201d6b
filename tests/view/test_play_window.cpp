// Plays in the real window with the real platform services, on the
// offscreen platform, read as a screen reader reads them: every control's
// role, name and description through Qt's accessibility, the events a play
// sends, the message boxes and the endings.
//

#include "counting_platform.h"
#include "forms/qt/form_window.h"
#include "forms/qt/qt_platform.h"
#include "window/frmMain.h"

#include <QtTest>

#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <functional>

namespace {

using Stops = std::array<int, 3>;
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
    QWidget* Widget(const forms::Control& c) const { return window.WidgetOf(c); }
    // Plays with real clicks, the reels stopped after `sweeps` sweeps at
    // these positions.
    void Play(Stops stops, int sweeps)
    {
        for (int r = 1; r <= 3; ++r)
            form.ReelPos(r) = stops[static_cast<std::size_t>(r - 1)] + sweeps % 10;
        platform.onDoEvents = [this, sweeps](int count) {
            for (auto* stop : { &form.cmdLeft, &form.cmdMid, &form.cmdRight })
                if (count == sweeps)
                    QTest::mouseClick(Widget(*stop), Qt::LeftButton);
        };
        QTest::mouseClick(Widget(form.cmdGo), Qt::LeftButton);
    }
};

// Runs `inspect` on the modal message box once it shows; it must close it.
void WhenMessageBoxShows(const std::function<void(QMessageBox*)>& inspect)
{
    QTimer::singleShot(50, [inspect] { inspect(qobject_cast<QMessageBox*>(QApplication::activeModalWidget())); });
}

} // namespace

class TestPlayWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As when a screen reader listens: Qt's accessibility is on, and
        // its events come here instead of to the platform's bridge.
        QApplication::setApplicationName("Vantu");
        QAccessible::installUpdateHandler(&Record);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    // Each test starts afresh, also after one that ended the program: a
    // run of the application's event loop clears the ending.
    void init()
    {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
    void screenReader_data();
    void screenReader();
    void fatalReport();
    void closingDuringTheSpin();
    void gameOver();
};

void TestPlayWindow::screenReader_data()
{
    QTest::addColumn<Stops>("stops"); // none: the first window
    QTest::addColumn<int>("lit"); // the lamp lit, or -1
    QTest::addColumn<QString>("go");
    QTest::newRow("first window") << Stops { 0, 0, 0 } << -1 << "Starts a play for 10 coins.";
    QTest::newRow("sevens, middle row") << Stops { 5, 7, 6 } << 2 << "Middle row wins with seven: 200 coins. 690 coins.";
    QTest::newRow("dollars, falling diagonal") << Stops { 2, 8, 10 } << 4 << "Falling diagonal wins with dollar: 150 coins. 640 coins.";
    QTest::newRow("no win") << Stops { 1, 1, 2 } << -1 << "No win. 490 coins.";
}

void TestPlayWindow::screenReader()
{
    QFETCH(Stops, stops);
    QFETCH(int, lit);
    QFETCH(QString, go);
    Game game;
    frmMain& f = game.form;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    events.clear();
    if (stops[0] != 0)
        game.Play(stops, 5000);
    QTRY_COMPARE(QApplication::focusWidget(), game.Widget(f.cmdGo));
    // However long the reels spin, a play sends a few dozen events, and GO
    // has its new description before the focus comes back to it.
    qInfo("%zu accessibility events", events.size());
    QVERIFY(events.size() <= 40);
    const auto last = [&](QAccessible::Event type) {
        return std::find(events.rbegin(), events.rend(), std::pair { static_cast<QObject*>(game.Widget(f.cmdGo)), type }).base() - events.begin();
    };
    QVERIFY(stops[0] == 0 || last(QAccessible::DescriptionChanged) < last(QAccessible::Focus));

    const std::map<std::string, QString> words { { "$", "dollar" }, { "*", "star" }, { "-", "minus" },
        { "#", "hash" }, { "7", "seven" }, { "C", "C" }, { "?", "question mark" }, { "=", "equals" },
        { "+", "plus" }, { "%", "percent" } };
    const QString reels[] = { "Left reel", "Middle reel", "Right reel" }, rows[] = { "top", "middle", "bottom" };
    const QString lines[] = { "Rising diagonal", "Top row", "Middle row", "Bottom row", "Falling diagonal" };
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
            const forms::Label& cell = std::array { &f.labLeft, &f.labMid, &f.labRight }[static_cast<std::size_t>(r)]->operator()(row);
            expected.push_back({ cell, QAccessible::StaticText, reels[r] + ", " + rows[row] + " row", words.at(cell.Caption) });
        }
    for (const Expected& e : expected) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(game.Widget(e.control));
        QCOMPARE(a->role(), e.role);
        QCOMPARE(a->text(QAccessible::Name), e.name);
        QCOMPARE(a->text(QAccessible::Description), e.description);
    }
}

// A message box reaches a screen reader as an alert. Returns what it says:
// its title, text, icon and buttons, and whether it is modal to the game.
QString Heard(QMessageBox* box, const Game& game)
{
    const bool alert = std::find(events.begin(), events.end(), std::pair { static_cast<QObject*>(box), QAccessible::Alert }) != events.end();
    return QStringLiteral("%1|%2|%3|%4 button|%5|%6")
        .arg(box->windowTitle(), box->text())
        .arg(box->icon())
        .arg(box->buttons().size())
        .arg(box->isModal() && box->parentWidget() == &game.window ? "modal" : "modeless")
        .arg(alert && QAccessible::queryAccessibleInterface(box)->role() == QAccessible::AlertMessage ? "alert" : "silent");
}

// A credit past the largest balance is fatal: reported, then status 1.
void TestPlayWindow::fatalReport()
{
    Game game;
    QString heard;
    game.form.Coins = 2147483647 - 100;
    WhenMessageBoxShows([&](QMessageBox* box) {
        heard = Heard(box, game);
        box->accept();
    });
    game.Play({ 5, 7, 6 }, 3);
    QCOMPARE(heard, "Vantu|Run-time error '6':\n\nOverflow|3|1 button|modal|alert");
    QCOMPARE(game.form.Coins.Value(), 2147483647 - 110);
    QVERIFY(game.runtime.Ended() && !game.window.isVisible());
    QCOMPARE(game.runtime.ExitStatus(), 1);
}

void TestPlayWindow::gameOver()
{
    Game game;
    QString heard;
    game.form.Coins = 5;
    WhenMessageBoxShows([&](QMessageBox* box) {
        heard = Heard(box, game);
        box->accept();
    });
    QTest::mouseClick(game.Widget(game.form.cmdGo), Qt::LeftButton);
    QCOMPARE(heard, "GameOver|You ran out of your coins!|2|1 button|modal|alert");
    QVERIFY(game.runtime.Ended() && !game.window.isVisible());
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QCOMPARE(static_cast<QLabel*>(game.Widget(game.form.labCoins))->text(), "500");
}

// Closing the window while the reels spin ends the play unjudged, status 0.
void TestPlayWindow::closingDuringTheSpin()
{
    Game game;
    QTimer::singleShot(30, [&] { game.window.close(); });
    QTest::mouseClick(game.Widget(game.form.cmdGo), Qt::LeftButton);
    QVERIFY(game.runtime.Ended() && !game.window.isVisible());
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QVERIFY(game.form.cmdLeft.Enabled && !game.form.cmdGo.Enabled);
}

QTEST_MAIN(TestPlayWindow)
#include "test_play_window.moc"
