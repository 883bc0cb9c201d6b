// The window on the offscreen platform with the real platform services and
// an accessibility listener, as when a screen reader runs: every control
// against the design in one pass, real keys and clicks, what a screen
// reader learns of a play, the message boxes and the endings.

#include "forms/qt/conversions.h"
#include "forms/qt/form_window.h"
#include "forms/qt/qt_platform.h"
#include "window/frmMain.h"

#include <QtTest>

#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

using Stops = std::array<int, 3>;
std::vector<std::pair<QObject*, QAccessible::Event>> events;

// The real platform, with a hook at each DoEvents: the place to click.
struct Platform : forms::qt::QtPlatform {
    std::function<void(int)> onDoEvents;
    int sweeps = 0;
    void DoEvents() override
    {
        QtPlatform::DoEvents();
        if (onDoEvents)
            onDoEvents(++sweeps);
    }
};

struct Game {
    Platform platform;
    forms::Runtime runtime { platform };
    frmMain f { runtime };
    forms::qt::FormWindow window { f, runtime };

    Game()
    {
        platform.SetMainWindow(&window);
        runtime.Load(f);
        window.show();
        window.FocusFirstButton();
        events.clear();
    }
    QWidget* operator[](const forms::Control& c) const { return window.WidgetOf(c); }
    bool Ended() const { return runtime.Ended() && !window.isVisible(); }
    // A play with real clicks that stops the reels after `sweeps` sweeps at these positions.
    void Play(Stops stops, int sweeps)
    {
        for (int r = 1; r <= 3; ++r)
            f.ReelPos(r) = stops[static_cast<std::size_t>(r - 1)] + sweeps % 10;
        platform.onDoEvents = [this, sweeps](int sweep) {
            for (auto* stop : { &f.cmdLeft, &f.cmdMid, &f.cmdRight })
                if (sweep == sweeps)
                    QTest::mouseClick((*this)[*stop], Qt::LeftButton);
        };
        QTest::mouseClick((*this)[f.cmdGo], Qt::LeftButton);
    }
    // What a message box shown by `action` says, and whether it came as an alert, modal to the game.
    QString Heard(const std::function<void()>& action)
    {
        QString heard;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            const bool alert = std::count(events.begin(), events.end(), std::pair { static_cast<QObject*>(box), QAccessible::Alert })
                && QAccessible::queryAccessibleInterface(box)->role() == QAccessible::AlertMessage;
            heard = QStringLiteral("%1|%2|%3|%4|%5").arg(box->windowTitle(), box->text()).arg(box->icon()).arg(box->buttons().size())
                        .arg(alert && box->isModal() && box->parentWidget() == &window);
            box->accept();
        });
        action();
        return heard;
    }
};

// Presses and releases a key on the focused widget, held for `repeats` repeats.
void Key(QWidget* window, int key, int repeats = 0)
{
    for (int i = 0; i <= repeats; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(window->focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), i < repeats);
        QApplication::sendEvent(window->focusWidget(), &release);
    }
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QApplication::setApplicationName("Vantu");
        forms::qt::RegisterFontSubstitutes();
        QAccessible::installUpdateHandler([](QAccessibleEvent* e) { events.emplace_back(e->object(), e->type()); });
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
    }
    // Each test starts afresh, also after one that ended the program: a run
    // of the application's event loop clears the ending.
    void init()
    {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }
    void design();
    void keysAndClicks_data();
    void keysAndClicks();
    void screenReader_data();
    void screenReader();
    void endings();
};

void TestWindow::design()
{
    struct Row { const forms::Control& control; QRect pixels; QRgb inside; QString face; int size; };
    Game g;
    std::vector<Row> rows { { g.f.cmdGo, QRect(142, 19, 25, 111), 0, "IPAPGothic", 16 },
        { g.f.labCoins, QRect(11, 176, 153, 27), qRgb(0, 0, 128), "Liberation Sans", 19 } };
    for (int i = 0; i < 3; ++i) {
        rows.push_back({ *std::array<forms::Control*, 3> { &g.f.cmdLeft, &g.f.cmdMid, &g.f.cmdRight }[static_cast<std::size_t>(i)],
            QRect(25 + 32 * i, 144, 21, 19), 0, "IPAPGothic", 16 });
        for (int row = 0; row < 3; ++row)
            rows.push_back({ std::array { &g.f.labLeft, &g.f.labMid, &g.f.labRight }[static_cast<std::size_t>(i)]->operator()(row),
                QRect(std::array { 22, 53, 85 }[static_cast<std::size_t>(i)], 15 + 39 * row, 28, 36), qRgb(255, 192, 192), "Liberation Sans", 29 });
    }
    for (int k = 0; k < 5; ++k)
        rows.push_back({ g.f.shpReach(k), QRect(119, std::array { 3, 27, 63, 104, 129 }[static_cast<std::size_t>(k)], 14, 14), qRgb(128, 128, 128), "", 0 });

    QVERIFY(QTest::qWaitForWindowActive(&g.window));
    QCOMPARE(g.window.windowTitle(), "Vantu");
    QCOMPARE(g.window.minimumSize(), QSize(174, 214));
    QCOMPARE(g.window.maximumSize(), QSize(174, 214));
    QCOMPARE(g.window.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint), Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QVERIFY(g.window.windowIcon().availableSizes().contains(QSize(32, 32)));
    const QImage screen = g.window.grab().toImage();
    QCOMPARE(screen.pixel(3, 3), qRgb(192, 192, 255));
    QRegion covered;
    for (const Row& row : rows) {
        QWidget* w = g[row.control];
        const QFontInfo font(w->font());
        QVERIFY2(w->geometry() == row.pixels && !covered.intersects(row.pixels), row.control.Name.c_str());
        QVERIFY(row.inside == 0 || screen.pixel(row.pixels.center().x(), row.pixels.bottom() - 3) == row.inside);
        QVERIFY(row.face.isEmpty() || (font.family() == row.face && font.pixelSize() == row.size && font.bold() == (row.face != "IPAPGothic")));
        covered += row.pixels;
    }
    const auto* counter = static_cast<QLabel*>(g[g.f.labCoins]);
    QCOMPARE(counter->text() + counter->palette().color(QPalette::WindowText).name(), "500#ffffc0");
    QCOMPARE(counter->alignment(), Qt::AlignRight | Qt::AlignTop);
    QCOMPARE(static_cast<QLabel*>(g[g.f.labMid(1)])->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    QCOMPARE(static_cast<QLabel*>(g[g.f.labMid(1)])->text().toStdString(), g.f.labMid(1).Caption.Get());
    // GO holds the focus; Tab keeps it there while GO is the only enabled
    // button, then follows the tab order.
    QCOMPARE(QApplication::focusWidget(), g[g.f.cmdGo]);
    for (forms::CommandButton* next : { &g.f.cmdGo, &g.f.cmdLeft, &g.f.cmdMid, &g.f.cmdRight, &g.f.cmdGo }) {
        Key(&g.window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), g[*next]);
        g.f.cmdLeft.Enabled = g.f.cmdMid.Enabled = g.f.cmdRight.Enabled = true;
    }
}

void TestWindow::keysAndClicks_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int { Qt::Key_Space };
    QTest::newRow("Return") << int { Qt::Key_Return };
    QTest::newRow("Enter") << int { Qt::Key_Enter };
}

void TestWindow::keysAndClicks()
{
    QFETCH(int, key);
    Game g;
    QVERIFY(QTest::qWaitForWindowActive(&g.window));
    QString clicks;
    for (auto* button : { &g.f.cmdGo, &g.f.cmdLeft, &g.f.cmdMid, &g.f.cmdRight })
        button->Click = [&clicks, button] { clicks += QString::fromStdString(button->Name) + " "; };
    Key(&g.window, key, 5); // held down: one click
    QTest::mouseClick(g[g.f.cmdLeft], Qt::LeftButton); // disabled: none
    // As a spin starts the focus moves to the first stop button; when it
    // ends it comes back to GO.
    g.f.cmdLeft.Enabled = g.f.cmdMid.Enabled = g.f.cmdRight.Enabled = true;
    g.f.cmdGo.Enabled = false;
    Key(&g.window, key);
    QTest::mouseClick(g[g.f.cmdRight], Qt::LeftButton);
    g.f.cmdLeft.Enabled = g.f.cmdMid.Enabled = g.f.cmdRight.Enabled = false;
    g.f.cmdGo.Enabled = true;
    QTRY_COMPARE(QApplication::focusWidget(), g[g.f.cmdGo]);
    QCOMPARE(clicks, "cmdGo cmdLeft cmdRight ");
}

void TestWindow::screenReader_data()
{
    QTest::addColumn<Stops>("stops"); // none: the first window
    QTest::addColumn<int>("lit"); // the lamp lit, or -1
    QTest::addColumn<QString>("go");
    QTest::newRow("first window") << Stops {} << -1 << "Starts a play for 10 coins.";
    QTest::newRow("sevens, middle row") << Stops { 5, 7, 6 } << 2 << "Middle row wins with seven: 200 coins. 690 coins.";
    QTest::newRow("dollars, falling diagonal") << Stops { 2, 8, 10 } << 4 << "Falling diagonal wins with dollar: 150 coins. 640 coins.";
    QTest::newRow("no win") << Stops { 1, 1, 2 } << -1 << "No win. 490 coins.";
}

void TestWindow::screenReader()
{
    QFETCH(Stops, stops);
    QFETCH(int, lit);
    QFETCH(QString, go);
    Game g;
    QVERIFY(QTest::qWaitForWindowActive(&g.window));
    if (stops[0] != 0)
        g.Play(stops, 5000);
    QTRY_COMPARE(QApplication::focusWidget(), g[g.f.cmdGo]);
    // However long the reels spin, a play sends a few dozen events, and GO
    // has its new description before the focus comes back to it.
    qInfo("%zu accessibility events", events.size());
    QVERIFY(events.size() <= 40);
    const auto last = [&](QAccessible::Event type) { return std::find(events.rbegin(), events.rend(), std::pair { static_cast<QObject*>(g[g.f.cmdGo]), type }).base(); };
    QVERIFY(stops[0] == 0 || last(QAccessible::DescriptionChanged) < last(QAccessible::Focus));

    const std::map<std::string, QString> words { { "$", "dollar" }, { "*", "star" }, { "-", "minus" }, { "#", "hash" }, { "7", "seven" },
        { "C", "C" }, { "?", "question mark" }, { "=", "equals" }, { "+", "plus" }, { "%", "percent" } };
    const QString reels[] = { "Left reel, ", "Middle reel, ", "Right reel, " }, rows[] = { "top row", "middle row", "bottom row" };
    const QString lines[] = { "Rising diagonal", "Top row", "Middle row", "Bottom row", "Falling diagonal" };
    std::vector<std::tuple<const forms::Control&, QAccessible::Role, QString, QString>> expected { { g.f.cmdGo, QAccessible::Button, "GO", go },
        { g.f.cmdLeft, QAccessible::Button, "Stop left reel", "" }, { g.f.cmdMid, QAccessible::Button, "Stop middle reel", "" },
        { g.f.cmdRight, QAccessible::Button, "Stop right reel", "" },
        { g.f.labCoins, QAccessible::StaticText, "Balance", QString::fromStdString(g.f.labCoins.Caption) + " coins" } };
    for (int k = 0; k < 5; ++k)
        expected.emplace_back(g.f.shpReach(k), QAccessible::Graphic, lines[k], k == lit ? "lit" : "unlit");
    for (int r = 0; r < 3; ++r)
        for (int row = 0; row < 3; ++row) {
            const forms::Label& cell = std::array { &g.f.labLeft, &g.f.labMid, &g.f.labRight }[static_cast<std::size_t>(r)]->operator()(row);
            expected.emplace_back(cell, QAccessible::StaticText, reels[r] + rows[row], words.at(cell.Caption));
        }
    for (const auto& [control, role, name, description] : expected) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(g[control]);
        QCOMPARE(std::tuple(a->role(), a->text(QAccessible::Name), a->text(QAccessible::Description)), std::tuple(role, name, description));
    }
}

// A credit past the largest balance is fatal: reported, balance kept,
// status 1. A GO short of coins shows the game-over message: status 0.
// Closing the window while the reels spin ends the play unjudged: status 0.
void TestWindow::endings()
{
    Game fatal;
    fatal.f.Coins = 2147483647 - 100;
    QCOMPARE(fatal.Heard([&] { fatal.Play({ 5, 7, 6 }, 3); }), "Vantu|Run-time error '6':\n\nOverflow|3|1|1");
    QVERIFY(fatal.Ended() && fatal.runtime.ExitStatus() == 1 && fatal.f.Coins == 2147483647 - 110);
    init();
    Game over;
    over.f.Coins = 5;
    QCOMPARE(over.Heard([&] { QTest::mouseClick(over[over.f.cmdGo], Qt::LeftButton); }), "GameOver|You ran out of your coins!|2|1|1");
    QVERIFY(over.Ended() && over.runtime.ExitStatus() == 0 && static_cast<QLabel*>(over[over.f.labCoins])->text() == "500");
    init();
    Game closed;
    QTimer::singleShot(30, [&] { closed.window.close(); });
    QTest::mouseClick(closed[closed.f.cmdGo], Qt::LeftButton);
    QVERIFY(closed.Ended() && closed.runtime.ExitStatus() == 0 && closed.f.cmdLeft.Enabled && !closed.f.cmdGo.Enabled);
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
