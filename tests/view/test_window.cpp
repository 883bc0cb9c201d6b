// The Vantu window as the Qt backend builds it, on the offscreen platform:
// geometry, colours and fonts against the design, window flags, focus, and
// real input reaching the form's handlers.

#include "forms/qt/conversions.h"
#include "game_window.h"
#include "scripted_platform.h"

#include <QtTest>

#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {

// The window after start-up, with the reels at positions 5, 7 and 10.
struct Game : GameWindow<ScriptedPlatform> {
    Game()
    {
        platform.draws = { 0.42, 0.61, 0.99 };
        Start();
    }
    using GameWindow::Widget;
    QWidget* Widget(const QString& name, int index) const
    {
        return window.WidgetOf(*form.FindControl(name.toStdString(), index));
    }
    QImage Screen() { return window.grab().toImage(); }
};

// Sends a key to the widget with the keyboard focus, as the player's keyboard does.
void Key(QWidget* window, int key, bool autoRepeat = false)
{
    QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &release);
}

QString Rgb(QRgb pixel)
{
    return QStringLiteral("%1,%2,%3").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel));
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void controlGeometry_data();
    void controlGeometry();
    void pixelColours_data();
    void pixelColours();
    void resolvedFonts_data();
    void resolvedFonts();
    void windowIsFixedWithoutMaximise();
    void firstWindow();
    void tabOrderFollowsTabIndex();
    void propertyWritesReachTheWidgets();
    void clicksReachEnabledButtonsOnly();
    void keysClickTheFocusedButtonOnce_data();
    void keysClickTheFocusedButtonOnce();
    void focusComesBackToTheNextEnabledButton();
    void closingTheWindowEndsTheProgram();
};

void TestWindow::initTestCase()
{
    forms::qt::RegisterFontSubstitutes();
}

void TestWindow::controlGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("pixels");
    const int columns[] = { 22, 53, 85 }, rows[] = { 15, 54, 93 };
    const char* reels[] = { "labLeft", "labMid", "labRight" };
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            QTest::addRow("%s(%d)", reels[c], r) << reels[c] << r << QRect(columns[c], rows[r], 28, 36);
    const int lampTops[] = { 3, 27, 63, 104, 129 };
    for (int k = 0; k < 5; ++k)
        QTest::addRow("shpReach(%d)", k) << "shpReach" << k << QRect(119, lampTops[k], 14, 14);
    QTest::newRow("cmdLeft") << "cmdLeft" << -1 << QRect(25, 144, 21, 19);
    QTest::newRow("cmdMid") << "cmdMid" << -1 << QRect(57, 144, 21, 19);
    QTest::newRow("cmdRight") << "cmdRight" << -1 << QRect(89, 144, 21, 19);
    QTest::newRow("cmdGo") << "cmdGo" << -1 << QRect(142, 19, 25, 111);
    QTest::newRow("labCoins") << "labCoins" << -1 << QRect(11, 176, 153, 27);
}

void TestWindow::controlGeometry()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QRect, pixels);
    Game game;
    QWidget* widget = game.Widget(name, index);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->geometry(), pixels);
    QVERIFY(widget->isVisible());
    QVERIFY(game.window.rect().contains(widget->geometry()));
    // No two controls overlap.
    for (forms::Control* other : game.form.Controls()) {
        QWidget* otherWidget = game.window.WidgetOf(*other);
        if (otherWidget != widget)
            QVERIFY2(!otherWidget->geometry().intersects(pixels), other->Name.c_str());
    }
}

void TestWindow::pixelColours_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("rgb");
    QTest::newRow("window background") << QPoint(3, 3) << "192,192,255";
    QTest::newRow("between the reels") << QPoint(51, 60) << "192,192,255";
    // Inside the frame, below the symbol's reach.
    QTest::newRow("labLeft(0) inside") << QPoint(22 + 3, 15 + 33) << "255,192,192";
    QTest::newRow("labMid(1) inside") << QPoint(53 + 3, 54 + 33) << "255,192,192";
    QTest::newRow("labRight(2) inside") << QPoint(85 + 24, 93 + 33) << "255,192,192";
    for (int top : { 3, 27, 63, 104, 129 })
        QTest::addRow("lamp at %d, centre", top) << QPoint(119 + 7, top + 7) << "128,128,128";
    QTest::newRow("counter inside") << QPoint(11 + 4, 176 + 4) << "0,0,128";
}

void TestWindow::pixelColours()
{
    QFETCH(QPoint, at);
    QFETCH(QString, rgb);
    Game game;
    QCOMPARE(Rgb(game.Screen().pixel(at)), rgb);
}

void TestWindow::resolvedFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("reel cell") << "labMid" << "Liberation Sans" << 29 << true;
    QTest::newRow("coin counter") << "labCoins" << "Liberation Sans" << 19 << true;
    QTest::newRow("GO button") << "cmdGo" << "IPAPGothic" << 16 << false;
    QTest::newRow("stop button") << "cmdRight" << "IPAPGothic" << 16 << false;
}

void TestWindow::resolvedFonts()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QFETCH(int, pixelSize);
    QFETCH(bool, bold);
    Game game;
    QWidget* widget = game.Widget(name, name == "labMid" ? 1 : -1);
    const QFontInfo info(widget->font());
    QCOMPARE(info.family(), family);
    QCOMPARE(info.pixelSize(), pixelSize);
    QCOMPARE(info.bold(), bold);
}

void TestWindow::windowIsFixedWithoutMaximise()
{
    Game game;
    QCOMPARE(game.window.windowTitle(), QStringLiteral("Vantu"));
    QCOMPARE(game.window.size(), QSize(174, 214));
    QCOMPARE(game.window.minimumSize(), QSize(174, 214));
    QCOMPARE(game.window.maximumSize(), QSize(174, 214));
    const Qt::WindowFlags flags = game.window.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(game.window.windowIcon().availableSizes().contains(QSize(32, 32)));
    // Minimised and restored, the layout is unchanged.
    const QRect go = game.Widget("cmdGo", -1)->geometry();
    game.window.showMinimized();
    game.window.showNormal();
    QCOMPARE(game.window.size(), QSize(174, 214));
    QCOMPARE(game.Widget("cmdGo", -1)->geometry(), go);
}

void TestWindow::firstWindow()
{
    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    QCOMPARE(QApplication::focusWidget(), game.Widget("cmdGo", -1));
    QVERIFY(game.Widget("cmdGo", -1)->isEnabled());
    for (const char* stop : { "cmdLeft", "cmdMid", "cmdRight" })
        QVERIFY2(!game.Widget(stop, -1)->isEnabled(), stop);
    const auto* counter = static_cast<QLabel*>(game.Widget("labCoins", -1));
    QCOMPARE(counter->text(), QStringLiteral("500"));
    QVERIFY(counter->alignment().testFlag(Qt::AlignRight));
    QCOMPARE(counter->palette().color(QPalette::WindowText), QColor(255, 255, 192));
    // Each lamp has a dark outline around its grey inside.
    const QImage screen = game.Screen();
    for (int top : { 3, 27, 63, 104, 129 })
        QVERIFY(qGray(screen.pixel(119 + 7, top)) < 40 && qGray(screen.pixel(119, top + 7)) < 40);
    // The symbols stand at the top of their cells, whole: the "7" in the
    // left reel's middle cell starts a few pixels below the frame and ends
    // well above the cell's bottom.
    int firstInk = -1, lastInk = -1;
    for (int y = 54 + 2; y < 54 + 34; ++y)
        for (int x = 22 + 2; x < 22 + 26; ++x)
            if (qGray(screen.pixel(x, y)) < 60) {
                firstInk = firstInk < 0 ? y - 54 : firstInk;
                lastInk = y - 54;
            }
    QVERIFY2(firstInk >= 4 && firstInk <= 9, qPrintable(QString::number(firstInk)));
    QVERIFY2(lastInk >= 24 && lastInk <= 30, qPrintable(QString::number(lastInk)));
    // The cells show what the runtime holds: positions 5, 7 and 10.
    const QString expected[3][3] = { { "#", "7", "C" }, { "-", "7", "$" }, { "*", "%", "$" } };
    const char* reels[] = { "labLeft", "labMid", "labRight" };
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r) {
            const auto* cell = static_cast<QLabel*>(game.Widget(reels[c], r));
            QCOMPARE(cell->text(), expected[c][r]);
            QVERIFY(cell->alignment().testFlag(Qt::AlignHCenter));
            QCOMPARE(cell->focusPolicy(), Qt::NoFocus);
        }
}

void TestWindow::tabOrderFollowsTabIndex()
{
    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    // While no spin runs, GO is the only button Tab can reach.
    Key(&game.window, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), game.Widget("cmdGo", -1));
    game.form.cmdLeft.Enabled = true;
    game.form.cmdMid.Enabled = true;
    game.form.cmdRight.Enabled = true;
    const QStringList order { "cmdLeft", "cmdMid", "cmdRight", "cmdGo", "cmdLeft" };
    for (const QString& next : order) {
        Key(&game.window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), game.Widget(next, -1));
    }
}

void TestWindow::propertyWritesReachTheWidgets()
{
    Game game;
    game.form.labMid(2).Caption = "Z";
    QCOMPARE(static_cast<QLabel*>(game.Widget("labMid", 2))->text(), QStringLiteral("Z"));
    game.form.labCoins.Caption = "2147483647";
    QCOMPARE(static_cast<QLabel*>(game.Widget("labCoins", -1))->text(), QStringLiteral("2147483647"));
    game.form.shpReach(3).BackColor = 0xC0FFFF;
    QCOMPARE(Rgb(game.Screen().pixel(119 + 7, 104 + 7)), QStringLiteral("255,255,192"));
    QCOMPARE(Rgb(game.Screen().pixel(119 + 7, 63 + 7)), QStringLiteral("128,128,128"));
    game.form.cmdGo.Enabled = false;
    QVERIFY(!game.Widget("cmdGo", -1)->isEnabled());
    game.form.cmdLeft.Enabled = true;
    QVERIFY(game.Widget("cmdLeft", -1)->isEnabled());
}

void TestWindow::clicksReachEnabledButtonsOnly()
{
    Game game;
    int clicks = 0;
    game.form.cmdLeft.Click = [&] { ++clicks; };
    QWidget* button = game.Widget("cmdLeft", -1);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 0);
    game.form.cmdLeft.Enabled = true;
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    // A click that fails ends the program through the event boundary.
    game.form.cmdLeft.Click = [] { forms::Raise(forms::ErrorNumber::Overflow); };
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(game.platform.fatalErrors, std::vector<int> { 6 });
    QCOMPARE(game.runtime.ExitStatus(), 1);
}

void TestWindow::keysClickTheFocusedButtonOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int { Qt::Key_Space };
    QTest::newRow("Return") << int { Qt::Key_Return };
    QTest::newRow("Enter") << int { Qt::Key_Enter };
}

void TestWindow::keysClickTheFocusedButtonOnce()
{
    QFETCH(int, key);
    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    int clicks = 0;
    game.form.cmdGo.Click = [&] { ++clicks; };
    Key(&game.window, key);
    QCOMPARE(clicks, 1);
    // A held key: the press, its repeats, one release.
    QWidget* go = game.Widget("cmdGo", -1);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(go, &press);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent repeatRelease(QEvent::KeyRelease, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(go, &repeatRelease);
        QKeyEvent repeatPress(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(go, &repeatPress);
    }
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(go, &release);
    QCOMPARE(clicks, 2);
}

void TestWindow::focusComesBackToTheNextEnabledButton()
{
    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    QWidget* go = game.Widget("cmdGo", -1);
    QCOMPARE(QApplication::focusWidget(), go);
    // As a spin starts: the stops come on, then GO goes off.
    game.form.cmdLeft.Enabled = true;
    game.form.cmdMid.Enabled = true;
    game.form.cmdRight.Enabled = true;
    game.form.cmdGo.Enabled = false;
    QCOMPARE(QApplication::focusWidget(), game.Widget("cmdLeft", -1));
    // As it ends: the stops go off, leaving no button to hold the focus,
    // then GO comes back on and takes it.
    game.form.cmdLeft.Enabled = false;
    game.form.cmdMid.Enabled = false;
    game.form.cmdRight.Enabled = false;
    game.form.cmdGo.Enabled = true;
    QTRY_COMPARE(QApplication::focusWidget(), go);
}

void TestWindow::closingTheWindowEndsTheProgram()
{
    Game game;
    QVERIFY(game.window.close());
    QVERIFY(game.runtime.Ended());
    QCOMPARE(game.runtime.ExitStatus(), 0);
    QCOMPARE(game.platform.quitStatus, std::optional<int>(0));
    QVERIFY(game.platform.boxes.empty());
    QVERIFY(game.platform.fatalErrors.empty());
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
