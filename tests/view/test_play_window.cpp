// Plays in the real window with the real platform services, on the
// offscreen platform: clicks delivered while the reels spin, the message
// boxes, and the endings.
//
// The tests run in order: once the program has ended, Qt's event loops of
// this process return at once, so the tests that end it come last.

#include "counting_platform.h"
#include "event_counter.h"
#include "forms/qt/conversions.h"
#include "forms/qt/qt_platform.h"
#include "game_window.h"

#include <QtTest>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <functional>
#include <map>
#include <vector>

using forms::qt::FormWindow;
using forms::qt::QtPlatform;

namespace {

struct Game : GameWindow<QtPlatform> {
    Game() { Start(); }
    void Click(forms::Control& control) { QTest::mouseClick(Widget(control), Qt::LeftButton); }
};

// Runs `inspect` on the modal message box as soon as it is shown; the
// inspection must close it.
void WhenMessageBoxShows(const std::function<void(QMessageBox*)>& inspect)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, inspect] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            inspect(box);
        }
    });
    timer->start();
}

} // namespace

class TestPlayWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { forms::qt::RegisterFontSubstitutes(); }
    void playWithRealClicks();
    void aSweepRepaintsOnlyTheCells();
    void fatalReportNamesTheError();
    void gameOverMessage();
    void closingDuringTheSpin();
};

void TestPlayWindow::playWithRealClicks()
{
    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    frmMain& f = game.form;
    bool sawSpin = false;
    // While the reels spin, the player stops them one by one.
    QTimer::singleShot(30, [&] {
        sawSpin = !f.cmdGo.Enabled && !game.Widget(f.cmdGo)->isEnabled()
            && QApplication::focusWidget() == game.Widget(f.cmdLeft)
            && static_cast<QLabel*>(game.Widget(f.labCoins))->text() == "490";
        game.Click(f.cmdMid);
        QTimer::singleShot(20, [&] {
            game.Click(f.cmdRight);
            QTimer::singleShot(20, [&] { game.Click(f.cmdLeft); });
        });
    });
    game.Click(f.cmdGo); // returns when the spin is over
    QVERIFY(sawSpin);
    for (int r = 1; r <= 3; ++r)
        QCOMPARE(f.Stopped(r), forms::Integer(-1));
    QVERIFY(game.Widget(f.cmdGo)->isEnabled());
    QVERIFY(!game.Widget(f.cmdLeft)->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), game.Widget(f.cmdGo));
    // The window shows what the game holds.
    QCOMPARE(static_cast<QLabel*>(game.Widget(f.labCoins))->text(), QString::fromStdString(f.labCoins.Caption));
    QCOMPARE(static_cast<QLabel*>(game.Widget(f.labMid(1)))->text(),
        QString::fromStdString(f.ReelStrip(2, f.ReelPos(2))));
    const QImage screen = game.window.grab().toImage();
    const int lampTops[] = { 3, 27, 63, 104, 129 };
    for (int k = 0; k < 5; ++k) {
        const QColor expected = forms::qt::ToQColor(f.shpReach(k).BackColor, game.window.palette());
        QCOMPARE(QColor(screen.pixel(119 + 7, lampTops[k] + 7)), expected);
    }
    QVERIFY(!game.runtime.Ended());
}

// Each sweep repaints the nine cells once each, and nothing else: no
// layout pass, no lamp, button or window repaint.
void TestPlayWindow::aSweepRepaintsOnlyTheCells()
{
    QtPlatform real;
    CountingPlatform platform(real);
    forms::Runtime runtime(platform);
    frmMain form(runtime);
    FormWindow window(form, runtime);
    real.SetMainWindow(&window);
    runtime.Load(form);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    EventCounter counter;
    std::vector<QObject*> watched { &window };
    for (forms::Control* control : form.Controls())
        watched.push_back(window.WidgetOf(*control));
    constexpr int kFirst = 5, kLast = 105;
    platform.onDoEvents = [&](int sweep) {
        if (sweep == kFirst)
            for (QObject* object : watched)
                object->installEventFilter(&counter);
        if (sweep == kLast) {
            for (QObject* object : watched)
                object->removeEventFilter(&counter);
            runtime.Click(form.cmdLeft);
            runtime.Click(form.cmdMid);
            runtime.Click(form.cmdRight);
        }
    };
    runtime.Click(form.cmdGo);
    QCOMPARE(platform.doEventsCount, kLast);
    QCOMPARE(counter.layoutRequests, 0);
    long cellPaints = 0;
    for (auto [object, count] : counter.paints) {
        QVERIFY2(qobject_cast<QLabel*>(object) != nullptr, qPrintable(object->metaObject()->className()));
        QVERIFY(count <= kLast - kFirst);
        cellPaints += count;
    }
    // Every cell changes at every step while all three reels spin.
    QCOMPARE(cellPaints, 9 * (kLast - kFirst));
}

void TestPlayWindow::fatalReportNamesTheError()
{
    Game game;
    QString text, title;
    WhenMessageBoxShows([&](QMessageBox* box) {
        text = box->text();
        title = box->windowTitle();
        QCOMPARE(box->icon(), QMessageBox::Critical);
        box->accept();
    });
    game.platform.ReportFatal(forms::RuntimeError(forms::ErrorNumber::Overflow));
    QCOMPARE(text, QStringLiteral("Run-time error '6':\n\nOverflow"));
    QCOMPARE(title, QApplication::applicationName());
    // A message box with buttons other than OK is refused, not shown.
    QVERIFY_THROWS_EXCEPTION(forms::RuntimeError, game.platform.MsgBox("Again?", 4 + 32, "Vantu"));
}

void TestPlayWindow::gameOverMessage()
{
    Game game;
    game.form.Coins = 5;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QList<QAbstractButton*> buttons;
    bool modalToTheGame = false;
    WhenMessageBoxShows([&](QMessageBox* box) {
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->buttons();
        modalToTheGame = box->parentWidget() == &game.window && box->isModal();
        box->button(QMessageBox::Ok)->click();
    });
    game.Click(game.form.cmdGo);
    QCOMPARE(text, QStringLiteral("You ran out of your coins!"));
    QCOMPARE(title, QStringLiteral("GameOver"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons.size(), 1);
    QVERIFY(modalToTheGame);
    QVERIFY(game.runtime.Ended());
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QVERIFY(!game.window.isVisible());
    QCOMPARE(static_cast<QLabel*>(game.Widget(game.form.labCoins))->text(), QStringLiteral("500"));
}

void TestPlayWindow::closingDuringTheSpin()
{
    Game game;
    int spinsSeen = 0;
    QTimer::singleShot(30, [&] {
        spinsSeen = game.Widget(game.form.cmdLeft)->isEnabled() ? 1 : 0;
        game.window.close();
    });
    game.Click(game.form.cmdGo); // returns when the closing has ended the spin
    QCOMPARE(spinsSeen, 1);
    QVERIFY(game.runtime.Ended());
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QVERIFY(!game.window.isVisible());
    // The spin was not judged: the stop buttons were never disabled again.
    QVERIFY(game.form.cmdLeft.Enabled);
    QVERIFY(!game.form.cmdGo.Enabled);
}

QTEST_MAIN(TestPlayWindow)
#include "test_play_window.moc"
