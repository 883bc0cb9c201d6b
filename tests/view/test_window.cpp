// The window as the Qt backend builds it, on the offscreen platform: every
// control against the design in one pass, and real keys and clicks reaching
// the form's handlers.

#include "forms/qt/conversions.h"
#include "game_window.h"
#include "scripted_platform.h"

#include <QtTest>

#include <QFontInfo>
#include <QLabel>

namespace {

struct Game : GameWindow<ScriptedPlatform> {
    Game() { Start(); }
};

// Presses and releases a key on the focused widget; a held key repeats.
void Key(QWidget* window, int key, int repeats = 0)
{
    QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
    for (int i = 0; i <= repeats; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(), i > 0);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), i < repeats);
        QApplication::sendEvent(target, &release);
    }
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { forms::qt::RegisterFontSubstitutes(); }
    void design();
    void keysAndClicks_data();
    void keysAndClicks();
};

void TestWindow::design()
{
    struct Row { QString name; int index; QRect pixels; QRgb inside; QString face; int size; };
    const QString cells[] = { "labLeft", "labMid", "labRight" };
    std::vector<Row> rows;
    const int columns[] = { 22, 53, 85 }, tops[] = { 15, 54, 93 }, lampTops[] = { 3, 27, 63, 104, 129 };
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 3; ++r)
            rows.push_back({ cells[c], r, QRect(columns[c], tops[r], 28, 36), qRgb(255, 192, 192), "Liberation Sans", 29 });
    for (int k = 0; k < 5; ++k)
        rows.push_back({ "shpReach", k, QRect(119, lampTops[k], 14, 14), qRgb(128, 128, 128), "", 0 });
    const QString stops[] = { "cmdLeft", "cmdMid", "cmdRight" };
    for (int b = 0; b < 3; ++b)
        rows.push_back({ stops[b], -1, QRect(25 + 32 * b, 144, 21, 19), 0, "IPAPGothic", 16 });
    rows.push_back({ "cmdGo", -1, QRect(142, 19, 25, 111), 0, "IPAPGothic", 16 });
    rows.push_back({ "labCoins", -1, QRect(11, 176, 153, 27), qRgb(0, 0, 128), "Liberation Sans", 19 });

    Game game;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    QCOMPARE(game.window.windowTitle(), "Vantu");
    QCOMPARE(game.window.minimumSize(), QSize(174, 214));
    QCOMPARE(game.window.maximumSize(), QSize(174, 214));
    QCOMPARE(game.window.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QVERIFY(game.window.windowIcon().availableSizes().contains(QSize(32, 32)));
    const QImage screen = game.window.grab().toImage();
    QCOMPARE(screen.pixel(3, 3), qRgb(192, 192, 255));
    QRegion covered;
    for (const Row& row : rows) {
        QWidget* w = game.window.WidgetOf(*game.form.FindControl(row.name.toStdString(), row.index));
        const QString where = row.name + QString::number(row.index);
        QVERIFY2(w->geometry() == row.pixels && !covered.intersects(row.pixels), qPrintable(where));
        covered += row.pixels;
        if (row.inside != 0) // below the symbol, inside the frame
            QVERIFY2(screen.pixel(row.pixels.center().x(), row.pixels.bottom() - 3) == row.inside, qPrintable(where));
        const QFontInfo font(w->font());
        if (!row.face.isEmpty())
            QVERIFY2(font.family() == row.face && font.pixelSize() == row.size && font.bold() == (row.face != "IPAPGothic"), qPrintable(where));
    }
    const auto* counter = static_cast<QLabel*>(game.Widget(game.form.labCoins));
    QCOMPARE(counter->text(), "500");
    QCOMPARE(counter->alignment(), Qt::AlignRight | Qt::AlignTop);
    QCOMPARE(counter->palette().color(QPalette::WindowText), QColor(255, 255, 192));
    QCOMPARE(static_cast<QLabel*>(game.Widget(game.form.labMid(1)))->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    QCOMPARE(static_cast<QLabel*>(game.Widget(game.form.labMid(1)))->text().toStdString(), game.form.labMid(1).Caption.Get());
    // GO holds the focus, and Tab keeps it there while it is the only
    // enabled button; then it follows the tab order.
    QCOMPARE(QApplication::focusWidget(), game.Widget(game.form.cmdGo));
    for (forms::CommandButton* next : { &game.form.cmdGo, &game.form.cmdLeft, &game.form.cmdMid, &game.form.cmdRight, &game.form.cmdGo }) {
        Key(&game.window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), game.Widget(*next));
        for (auto* stop : { &game.form.cmdLeft, &game.form.cmdMid, &game.form.cmdRight })
            stop->Enabled = true;
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
    Game game;
    frmMain& f = game.form;
    QVERIFY(QTest::qWaitForWindowActive(&game.window));
    std::map<forms::CommandButton*, int> clicks;
    for (auto* button : { &f.cmdGo, &f.cmdLeft, &f.cmdMid, &f.cmdRight })
        button->Click = [&clicks, button] { ++clicks[button]; };
    Key(&game.window, key, 5); // held down: one click
    QTest::mouseClick(game.Widget(f.cmdLeft), Qt::LeftButton); // disabled: none
    QCOMPARE(clicks, (std::map<forms::CommandButton*, int> { { &f.cmdGo, 1 } }));
    // As a spin starts the focus moves to the first stop button; when it
    // ends it comes back to GO.
    f.cmdLeft.Enabled = f.cmdMid.Enabled = f.cmdRight.Enabled = true;
    f.cmdGo.Enabled = false;
    Key(&game.window, key);
    QTest::mouseClick(game.Widget(f.cmdRight), Qt::LeftButton);
    f.cmdLeft.Enabled = f.cmdMid.Enabled = f.cmdRight.Enabled = false;
    f.cmdGo.Enabled = true;
    QTRY_COMPARE(QApplication::focusWidget(), game.Widget(f.cmdGo));
    QCOMPARE(clicks, (std::map<forms::CommandButton*, int> { { &f.cmdGo, 1 }, { &f.cmdLeft, 1 }, { &f.cmdRight, 1 } }));
}

QTEST_MAIN(TestWindow)
#include "test_window.moc"
