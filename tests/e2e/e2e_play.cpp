// End-to-end plays of Vantu: the real game binary under a real X server and
// window manager (see run-with-xserver), played with real mouse clicks and
// key presses (xdotool) and judged only from what the screen shows.
//
// The reel cells, the coin counter, the buttons and the game-over box on the
// screen are read against pictures that the game's own renderer draws in
// this process (screen_reader.h). On the test display the two agree pixel
// for pixel; a reading allows matchLimit stray pixels and no more.
//
// The programs come from VANTU_BIN and VANTU_LOWCOINS_BIN (the test build
// that starts with 15 coins).

#include "forms/qt/conversions.h"
#include "screen_reader.h"
#include "x_session.h"

#include <QtTest>

#include <QElapsedTimer>
#include <QFileInfo>

#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <string_view>

using namespace e2e;

namespace {

constexpr qint64 startingCoins = 500;
constexpr qint64 lowStartingCoins = 15;
constexpr qint64 stake = 10;

// The strips, positions 1 to 10. The middle row shows position p, the top
// row p - 1 and the bottom row p + 1, the strip wrapping round.
constexpr std::array<std::string_view, reelCount> strips{"$*-#7C?=+%", "=#C*?-7$+%", "$+=?C7#-*%"};

// The rows (0 top, 2 bottom) of each pay line's left, middle and right cell.
// Line k lights lamp k.
constexpr std::array<std::array<std::size_t, reelCount>, lineCount> lineRows{{
    {2, 1, 0}, // rising diagonal
    {0, 0, 0}, // top row
    {1, 1, 1}, // middle row
    {2, 2, 2}, // bottom row
    {0, 1, 2}, // falling diagonal
}};
constexpr std::array<const char *, lineCount> lineNames{"rising diagonal", "top row", "middle row",
                                                        "bottom row", "falling diagonal"};
constexpr std::array<const char *, reelCount> reelNames{"left", "middle", "right"};

// Coins one winning line of the symbol pays, before the multiplier.
qint64 linePay(char symbol)
{
    switch (symbol) {
    case '7':
        return 200;
    case '$':
        return 150;
    case 'C':
    case '*':
        return 100;
    case '#':
    case '?':
    case '+':
        return 75;
    default:
        return 50;
    }
}

// The symbols shown, by reel and then row.
using Grid = std::array<std::array<char, rowCount>, reelCount>;

struct Outcome {
    std::array<bool, lineCount> won{};
    qint64 credit = 0;
};

// Every line of three equal symbols wins; the play pays the number of lines
// won times the sum of their pays.
Outcome judge(const Grid &grid)
{
    Outcome outcome;
    qint64 lines = 0;
    qint64 pays = 0;
    for (std::size_t k = 0; k < lineCount; ++k) {
        const char left = grid[0][lineRows[k][0]];
        if (grid[1][lineRows[k][1]] == left && grid[2][lineRows[k][2]] == left) {
            outcome.won[k] = true;
            ++lines;
            pays += linePay(left);
        }
    }
    outcome.credit = lines * pays;
    return outcome;
}

QString symbolText(char symbol)
{
    return QString(QLatin1Char(symbol));
}

QString describeGrid(const Grid &grid)
{
    QStringList rows;
    for (std::size_t row = 0; row < rowCount; ++row)
        rows << QStringLiteral("%1 %2 %3")
                    .arg(symbolText(grid[0][row]), symbolText(grid[1][row]), symbolText(grid[2][row]));
    return QStringLiteral("reels show [%1], top row first").arg(rows.join(QStringLiteral(" / ")));
}

// Whether a reel's three symbols, top to bottom, are neighbours on its strip.
bool fitsTheStrip(std::size_t reel, const std::array<char, rowCount> &column)
{
    const std::string_view strip = strips[reel];
    const std::size_t middle = strip.find(column[1]);
    if (middle == std::string_view::npos)
        return false;
    return strip[(middle + strip.size() - 1) % strip.size()] == column[0]
           && strip[(middle + 1) % strip.size()] == column[2];
}

// A reel, or the whole window, counts as standing still once it has not
// changed for this long while grabbed again and again. A spinning reel
// changes between any two grabs (it turns thousands of steps a second).
constexpr int stillMs = 250;
constexpr int grabIntervalMs = 15;
constexpr int settleTimeoutMs = 5'000;
// A first play wins about one game in twenty: ten wins in a row would be a fault.
constexpr int maxLaunchesToGameOver = 10;

using ReelStates = std::array<bool, reelCount>; // true: spinning
using Columns = std::array<QImage, reelCount>;

// Runs a checking step and ends the test function when the step failed.
#define STEP(step)                                                                                 \
    do {                                                                                           \
        step;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

} // namespace

class E2ePlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void picturesTellApartWhatIsRead();
    void playsWithTheMouse_data();
    void playsWithTheMouse();
    void playsFromTheKeyboard_data();
    void playsFromTheKeyboard();
    void runningOutOfCoinsEndsTheGame_data();
    void runningOutOfCoinsEndsTheGame();
    void closingTheWindowDuringASpin_data();
    void closingTheWindowDuringASpin();

private:
    // The game under test, its window, and the balance the screen should
    // show.
    struct Game {
        GameProcess process;
        QString windowId;
        QRect clientArea;
        qint64 balance = 0;
        int plays = 0;
    };

    void launch(const QString &program, qint64 coins);
    QImage grab() const { return grabScreenArea(game_->clientArea); }
    QPoint onScreen(const QRect &clientRect) const { return game_->clientArea.topLeft() + clientRect.center(); }
    QString keep(const QImage &image, const QString &what) const;
    QString playName() const { return QStringLiteral("play %1").arg(game_->plays); }

    void click(Button button, const QString &when);
    void press(const QString &key, const QString &when);
    void makeGameWindowActive();

    void checkCounter(const QImage &client, qint64 expected, const QList<qint64> &notExpected,
                      const QString &when);
    void checkButtons(const QImage &client, bool spinning, const QString &when);
    void checkLamps(const QImage &client, const std::array<bool, lineCount> &lit, const QString &when);
    void readReels(const QImage &client, Grid *grid, const QString &when);
    void waitForReels(const ReelStates &spinning, Columns *stoppedColumns, const QString &when);
    void waitForPlayEnd(QImage *settled, const QString &when);

    void beginPlay(const std::function<void()> &pressGo);
    void endPlay(const Columns &stoppedColumns);
    void playWithTheMouse(const QList<int> &stopOrder, bool checkEachStop);
    void closeAndExpectCleanExit(const QString &when);
    void expectNoGameWindowLeft();

    QString program_;
    QString lowCoinsProgram_;
    std::unique_ptr<WindowPictures> pictures_;
    std::unique_ptr<Game> game_;
};

void E2ePlay::initTestCase()
{
    program_ = qEnvironmentVariable("VANTU_BIN");
    lowCoinsProgram_ = qEnvironmentVariable("VANTU_LOWCOINS_BIN");
    for (const auto &[variable, path] : {std::pair{"VANTU_BIN", program_},
                                         std::pair{"VANTU_LOWCOINS_BIN", lowCoinsProgram_}})
        QVERIFY2(QFileInfo(path).isExecutable(),
                 qPrintable(QStringLiteral("%1=\"%2\" does not name an executable file")
                                .arg(QLatin1String(variable), path)));
    requireXSession();
    if (QTest::currentTestFailed())
        return;

    // The pictures come out as the game draws itself only with its fonts.
    forms::qt::RegisterFontSubstitutes();
    pictures_ = std::make_unique<WindowPictures>();
}

void E2ePlay::cleanup()
{
    game_.reset(); // kills the game if a check stopped the test midway
}

QString E2ePlay::keep(const QImage &image, const QString &what) const
{
    QString name = QStringLiteral("%1-%2-%3")
                       .arg(QLatin1String(QTest::currentTestFunction()),
                            QLatin1String(QTest::currentDataTag() ? QTest::currentDataTag() : ""), what);
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), QStringLiteral("_"));
    return keepForInspection(image, QStringLiteral("e2e_play"), name);
}

void E2ePlay::launch(const QString &program, qint64 coins)
{
    game_ = std::make_unique<Game>();
    game_->balance = coins;
    QVERIFY2(game_->process.start(program),
             qPrintable(QStringLiteral("could not start %1: %2").arg(program, game_->process.errorString())));
    const auto windowId = findGameWindow(game_->process.pid());
    QVERIFY2(windowId, qPrintable(QStringLiteral("no single window titled \"Vantu\" appeared within %1 ms")
                                      .arg(windowTimeoutMs)));
    game_->windowId = *windowId;
    const auto area = clientAreaOnScreen(game_->windowId);
    QVERIFY2(area && area->size() == clientSize,
             qPrintable(QStringLiteral("xwininfo gives no %1x%2 client area for window %3")
                            .arg(clientSize.width()).arg(clientSize.height()).arg(game_->windowId)));
    game_->clientArea = *area;

    // The pointer may still be where the last game's buttons were: a
    // button under it would light up.
    const CommandResult parked = movePointer(QPoint(0, 0));
    QVERIFY2(parked.succeeded(), qPrintable(QStringLiteral("xdotool could not move the pointer: %1").arg(parked.errors)));

    const QImage client = grabPaintedClientArea(game_->clientArea);
    const QString when = QStringLiteral("at the start");
    Grid grid;
    STEP(readReels(client, &grid, when));
    STEP(checkCounter(client, coins, {coins - 1, coins - stake}, when));
    STEP(checkButtons(client, false, when));
    STEP(checkLamps(client, {}, when));
}

void E2ePlay::click(Button button, const QString &when)
{
    const CommandResult clicked = clickAt(onScreen(buttonRect(button)));
    QVERIFY2(clicked.succeeded(), qPrintable(QStringLiteral("%1: xdotool could not click %2: %3")
                                                 .arg(when, buttonName(button), clicked.errors)));
}

void E2ePlay::press(const QString &key, const QString &when)
{
    const CommandResult pressed = pressKey(key);
    QVERIFY2(pressed.succeeded(),
             qPrintable(QStringLiteral("%1: xdotool could not press %2: %3").arg(when, key, pressed.errors)));
}

// The keys go where the keyboard focus is: the game's window must have it.
void E2ePlay::makeGameWindowActive()
{
    if (activeWindow() == game_->windowId)
        return;
    runCommand(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                                           game_->windowId});
    const QDeadlineTimer deadline(windowTimeoutMs);
    auto active = activeWindow();
    for (; active != game_->windowId && !deadline.hasExpired(); active = activeWindow())
        QTest::qWait(pollIntervalMs);
    if (active != game_->windowId)
        QFAIL(qPrintable(QStringLiteral("the game's window %1 did not get the keyboard focus; %2 has it")
                             .arg(game_->windowId, active.value_or(QStringLiteral("no window")))));
}

void E2ePlay::checkCounter(const QImage &client, qint64 expected, const QList<qint64> &notExpected,
                           const QString &when)
{
    const int mismatches = pictures_->counterMismatches(client, expected);
    if (mismatches > matchLimit) {
        const auto [closest, closestMismatches] =
            pictures_->closestCounter(client, expected - 500, expected + 500);
        QFAIL(qPrintable(QStringLiteral("%1: the counter should show %2 but differs from it in %3 pixels; "
                                        "it looks most like %4 (%5 pixels off); grab kept in %6")
                             .arg(when).arg(expected).arg(mismatches).arg(closest).arg(closestMismatches)
                             .arg(keep(client, QStringLiteral("counter")))));
    }
    // The picture tells the number apart from its neighbours.
    for (const qint64 other : notExpected) {
        const int otherMismatches = pictures_->counterMismatches(client, other);
        QVERIFY2(otherMismatches > matchLimit,
                 qPrintable(QStringLiteral("%1: the counter cannot be told apart from %2 (%3 pixels off)")
                                .arg(when).arg(other).arg(otherMismatches)));
    }
}

void E2ePlay::checkButtons(const QImage &client, bool spinning, const QString &when)
{
    for (const Button button : allButtons) {
        const bool pressable = (button == Button::Go) != spinning;
        const ButtonLook look = pictures_->buttonLook(client, button);
        if (look != (pressable ? ButtonLook::Pressable : ButtonLook::Greyed)) {
            const QString seen = look == ButtonLook::Pressable ? QStringLiteral("pressable")
                                 : look == ButtonLook::Greyed  ? QStringLiteral("greyed out")
                                                               : QStringLiteral("like neither");
            QFAIL(qPrintable(QStringLiteral("%1: %2 should look %3 but looks %4; grab kept in %5")
                                 .arg(when, buttonName(button),
                                      pressable ? QStringLiteral("pressable") : QStringLiteral("greyed out"),
                                      seen, keep(client, QStringLiteral("buttons")))));
        }
    }
}

void E2ePlay::checkLamps(const QImage &client, const std::array<bool, lineCount> &lit, const QString &when)
{
    for (std::size_t k = 0; k < lineCount; ++k) {
        const QRgb expected = lit[k] ? lampLit : lampUnlit;
        const QRgb shown = client.pixel(lampCentre(k));
        if (shown != expected)
            QFAIL(qPrintable(QStringLiteral("%1: lamp %2 (%3) is %4, expected %5 (%6); grab kept in %7")
                                 .arg(when).arg(k).arg(QLatin1String(lineNames[k]))
                                 .arg(rgbName(shown), rgbName(expected),
                                      lit[k] ? QStringLiteral("lit") : QStringLiteral("unlit"),
                                      keep(client, QStringLiteral("lamps")))));
    }
}

void E2ePlay::readReels(const QImage &client, Grid *grid, const QString &when)
{
    for (std::size_t reel = 0; reel < reelCount; ++reel) {
        for (std::size_t row = 0; row < rowCount; ++row) {
            const CellReading reading = pictures_->readCell(client, reel, row);
            if (!reading.isClear())
                QFAIL(qPrintable(QStringLiteral("%1: the %2 reel's row %3 shows no clear symbol: best %4; "
                                                "grab kept in %5")
                                     .arg(when, QLatin1String(reelNames[reel])).arg(row + 1)
                                     .arg(reading.describe(), keep(client, QStringLiteral("reels")))));
            (*grid)[reel][row] = reading.symbol;
        }
        QVERIFY2(fitsTheStrip(reel, (*grid)[reel]),
                 qPrintable(QStringLiteral("%1: the %2 reel shows %3, %4, %5 from the top, which are not "
                                           "neighbours on its strip %6")
                                .arg(when, QLatin1String(reelNames[reel]), symbolText((*grid)[reel][0]),
                                     symbolText((*grid)[reel][1]), symbolText((*grid)[reel][2]),
                                     QLatin1String(strips[reel].data(), qsizetype(strips[reel].size())))));
    }
}

// Grabs the reels again and again until those expected to spin change and
// the others have stood still for stillMs, all in the same stretch of time.
// Gives the pictures of the reels that stand still.
void E2ePlay::waitForReels(const ReelStates &spinning, Columns *stoppedColumns, const QString &when)
{
    QElapsedTimer clock;
    clock.start();
    Columns previous;
    std::array<qint64, reelCount> lastChange{-1, -1, -1}; // ms since the first grab
    for (bool first = true;; first = false) {
        const QImage client = grab();
        const qint64 now = clock.elapsed();
        for (std::size_t reel = 0; reel < reelCount; ++reel) {
            QImage column = client.copy(reelColumnRect(reel));
            if (!first && column != previous[reel])
                lastChange[reel] = now;
            previous[reel] = std::move(column);
        }
        bool settled = now >= stillMs;
        for (std::size_t reel = 0; reel < reelCount; ++reel)
            settled = settled && (lastChange[reel] >= now - stillMs) == spinning[reel];
        if (settled) {
            if (stoppedColumns != nullptr)
                for (std::size_t reel = 0; reel < reelCount; ++reel)
                    (*stoppedColumns)[reel] = spinning[reel] ? QImage() : previous[reel];
            return;
        }
        if (now > settleTimeoutMs) {
            QStringList problems;
            for (std::size_t reel = 0; reel < reelCount; ++reel) {
                const QString lastSeen =
                    lastChange[reel] < 0                  ? QStringLiteral("stood still throughout")
                    : lastChange[reel] >= now - stillMs ? QStringLiteral("still turns")
                                                          : QStringLiteral("stood still for the last %1 ms")
                                                                .arg(now - lastChange[reel]);
                problems << QStringLiteral("the %1 reel %2 (expected %3)")
                                .arg(QLatin1String(reelNames[reel]), lastSeen,
                                     spinning[reel] ? QStringLiteral("spinning") : QStringLiteral("stopped"));
            }
            QFAIL(qPrintable(QStringLiteral("%1: after %2 ms of grabs: %3; last grab kept in %4")
                                 .arg(when).arg(now).arg(problems.join(QStringLiteral(", ")),
                                                         keep(client, QStringLiteral("reels")))));
        }
        QTest::qWait(grabIntervalMs);
    }
}

// After the last stop: waits until the window stands still with GO
// pressable again, which the game shows only once the play is judged.
void E2ePlay::waitForPlayEnd(QImage *settled, const QString &when)
{
    QElapsedTimer clock;
    clock.start();
    QImage previous = grab();
    qint64 lastChange = 0;
    for (;;) {
        QTest::qWait(grabIntervalMs);
        QImage client = grab();
        const qint64 now = clock.elapsed();
        if (client != previous)
            lastChange = now;
        const ButtonLook go = pictures_->buttonLook(client, Button::Go);
        if (now - lastChange >= stillMs && go == ButtonLook::Pressable) {
            *settled = std::move(client);
            return;
        }
        if (now > settleTimeoutMs)
            QFAIL(qPrintable(QStringLiteral("%1: %2 ms after the last stop the window %3 and GO %4; "
                                            "last grab kept in %5")
                                 .arg(when).arg(now)
                                 .arg(now - lastChange >= stillMs ? QStringLiteral("stands still")
                                                                  : QStringLiteral("still changes"),
                                      go == ButtonLook::Pressable ? QStringLiteral("looks pressable")
                                                                  : QStringLiteral("does not look pressable"),
                                      keep(client, QStringLiteral("end")))));
        previous = std::move(client);
    }
}

// Reads the balance, presses GO and checks that the spin has begun: the
// stake is off the counter, the stop buttons are pressable and GO is not,
// every lamp is out and all three reels turn.
void E2ePlay::beginPlay(const std::function<void()> &pressGo)
{
    ++game_->plays;
    const qint64 before = game_->balance;
    const QString when = playName();
    STEP(checkCounter(grab(), before, {before - stake}, when + QStringLiteral(", before GO")));

    STEP(pressGo());
    const QString spinning = when + QStringLiteral(", after GO");
    STEP(waitForReels({true, true, true}, nullptr, spinning));
    const QImage client = grab();
    STEP(checkCounter(client, before - stake, {before, before - stake - 1}, spinning));
    STEP(checkButtons(client, true, spinning));
    STEP(checkLamps(client, {}, spinning));
    game_->balance = before - stake;
}

// After the last stop: reads the nine symbols off the settled window,
// judges them, and checks the lamps and the counter against that.
void E2ePlay::endPlay(const Columns &stoppedColumns)
{
    const QString when = playName() + QStringLiteral(", once judged");
    QImage client;
    STEP(waitForPlayEnd(&client, when));
    Grid grid;
    STEP(readReels(client, &grid, when));
    for (std::size_t reel = 0; reel < reelCount; ++reel)
        if (!stoppedColumns[reel].isNull() && client.copy(reelColumnRect(reel)) != stoppedColumns[reel])
            QFAIL(qPrintable(QStringLiteral("%1: the %2 reel moved after it had stopped; grab kept in %3")
                                 .arg(when, QLatin1String(reelNames[reel]), keep(client, QStringLiteral("moved")))));

    const Outcome outcome = judge(grid);
    const QString judged = QStringLiteral("%1 (%2)").arg(when, describeGrid(grid));
    STEP(checkButtons(client, false, judged));
    STEP(checkLamps(client, outcome.won, judged));
    const qint64 expected = game_->balance + outcome.credit;
    // Nor may it pass for the number before, or for the last other number
    // it showed: the balance before GO after a lost play, else the balance
    // after the stake.
    const QList<qint64> notExpected{expected - 1, outcome.credit > 0 ? game_->balance : expected + stake};
    STEP(checkCounter(client, expected, notExpected, judged));
    game_->balance = expected;
    qInfo("%s: %s, credit %lld, balance %lld", qPrintable(playName()), qPrintable(describeGrid(grid)),
          static_cast<long long>(outcome.credit), static_cast<long long>(expected));
}

// One play with the mouse: GO, then the stop buttons in the order given.
void E2ePlay::playWithTheMouse(const QList<int> &stopOrder, bool checkEachStop)
{
    STEP(beginPlay([this] { click(Button::Go, playName()); }));
    ReelStates spinning{true, true, true};
    Columns stoppedColumns;
    for (const int reel : stopOrder) {
        const auto index = static_cast<std::size_t>(reel);
        const QString when = QStringLiteral("%1, after stopping the %2 reel")
                                 .arg(playName(), QLatin1String(reelNames[index]));
        STEP(click(stopButtonOf(index), when));
        spinning[index] = false;
        if (checkEachStop && spinning != ReelStates{false, false, false})
            STEP(waitForReels(spinning, &stoppedColumns, when));
    }
    STEP(endPlay(stoppedColumns));
}

void E2ePlay::closeAndExpectCleanExit(const QString &when)
{
    const qint64 pid = game_->process.pid();
    const CommandResult closed = closeWindow(game_->windowId);
    QVERIFY2(closed.succeeded(), qPrintable(QStringLiteral("%1: wmctrl could not close window %2: %3")
                                                .arg(when, game_->windowId, closed.errors)));
    // Until the game has gone, no other window of it may show: no message,
    // no question.
    QElapsedTimer clock;
    clock.start();
    while (!game_->process.waitForExit(pollIntervalMs)) {
        // A window of the game other than the one just closed would be a
        // message.
        const auto shown = windowIds(QString(), pid);
        for (const QString &id : shown.value_or(QStringList()))
            if (id != game_->windowId)
                QFAIL(qPrintable(QStringLiteral("%1: the game showed window %2 (%3) after its window was closed")
                                     .arg(when, id, windowProperty(id, QStringLiteral("WM_NAME"))
                                                        .value_or(QStringLiteral("untitled")))));
        QVERIFY2(clock.elapsed() < exitTimeoutMs,
                 qPrintable(QStringLiteral("%1: the game was still running %2 ms after its window was closed")
                                .arg(when).arg(exitTimeoutMs)));
    }
    QVERIFY2(game_->process.exitedNormally(),
             qPrintable(QStringLiteral("%1: the game crashed when its window was closed").arg(when)));
    QVERIFY2(game_->process.exitCode() == 0,
             qPrintable(QStringLiteral("%1: the game exited with status %2 when its window was closed")
                            .arg(when).arg(game_->process.exitCode())));
    qInfo("%s: the game ended %lld ms after its window was closed", qPrintable(when),
          static_cast<long long>(clock.elapsed()));
}

// After the game has ended, no window titled as its window or its message
// shows. (This process has a window titled "Vantu" too, the one its
// pictures come from, never shown.)
void E2ePlay::expectNoGameWindowLeft()
{
    for (const QString &title : {QStringLiteral("Vantu"), QStringLiteral("GameOver")}) {
        const auto shown = windowIds(title);
        QVERIFY2(shown, "xdotool could not list the windows");
        QVERIFY2(shown->isEmpty(), qPrintable(QStringLiteral("windows titled \"%1\" show after the game ended: %2")
                                                  .arg(title, shown->join(QStringLiteral(", ")))));
    }
}

// The reading itself: every picture that a check must tell from another is
// far enough from it that a grab within matchLimit of one is far from the
// other, and each reading leaves a clear runner-up.
void E2ePlay::picturesTellApartWhatIsRead()
{
    constexpr int apart = 2 * matchLimit + clearMargin;
    int closestSymbols = std::numeric_limits<int>::max();
    for (std::size_t reel = 0; reel < reelCount; ++reel)
        for (std::size_t row = 0; row < rowCount; ++row)
            for (std::size_t i = 0; i < symbols.size(); ++i)
                for (std::size_t j = i + 1; j < symbols.size(); ++j) {
                    const int distance = differingPixels(pictures_->reelCell(reel, row, symbols[i]),
                                                         pictures_->reelCell(reel, row, symbols[j]));
                    closestSymbols = std::min(closestSymbols, distance);
                    QVERIFY2(distance >= apart,
                             qPrintable(QStringLiteral("\"%1\" and \"%2\" differ in only %3 pixels")
                                            .arg(symbolText(symbols[i]), symbolText(symbols[j]))
                                            .arg(distance)));
                }
    // Balances from below zero to well above what the plays here reach,
    // each against the one a coin and the one a stake higher.
    int closestCounters = std::numeric_limits<int>::max();
    std::pair<qint64, qint64> closestPair;
    for (qint64 coins = -stake; coins <= 1500; ++coins)
        for (const qint64 step : {qint64{1}, stake}) {
            const int distance = differingPixels(pictures_->counter(coins), pictures_->counter(coins + step));
            if (distance < closestCounters) {
                closestCounters = distance;
                closestPair = {coins, coins + step};
            }
            QVERIFY2(distance > 2 * matchLimit,
                     qPrintable(QStringLiteral("the counter at %1 and at %2 differ in only %3 pixels")
                                    .arg(coins).arg(coins + step).arg(distance)));
        }
    int closestButtons = std::numeric_limits<int>::max();
    for (const Button button : allButtons) {
        const int distance = differingPixels(pictures_->buttonInside(button, true),
                                             pictures_->buttonInside(button, false));
        closestButtons = std::min(closestButtons, distance);
        QVERIFY2(distance > 2 * matchLimit,
                 qPrintable(QStringLiteral("%1 looks nearly the same pressable and greyed out (%2 pixels)")
                                .arg(buttonName(button)).arg(distance)));
    }
    qInfo("closest pictures: symbols %d pixels apart, counters %d (%lld and %lld), a button's two looks %d",
          closestSymbols, closestCounters, static_cast<long long>(closestPair.first),
          static_cast<long long>(closestPair.second), closestButtons);
}

void E2ePlay::playsWithTheMouse_data()
{
    QTest::addColumn<QList<int>>("stopOrder"); // reels by index, 0 left to 2 right
    QTest::addColumn<bool>("checkEachStop");
    QTest::newRow("left, middle, right, one at a time") << QList<int>{0, 1, 2} << true;
    QTest::newRow("right, middle, left, one at a time") << QList<int>{2, 1, 0} << true;
    QTest::newRow("middle, right, left, in quick succession") << QList<int>{1, 2, 0} << false;
}

// Two plays with real mouse clicks, each stopping the reels in the row's
// order; after each stop, only the reels stopped so far stand still.
void E2ePlay::playsWithTheMouse()
{
    QFETCH(QList<int>, stopOrder);
    QFETCH(bool, checkEachStop);
    STEP(launch(program_, startingCoins));
    for (int play = 0; play < 2; ++play)
        STEP(playWithTheMouse(stopOrder, checkEachStop));
    STEP(closeAndExpectCleanExit(QStringLiteral("after the plays")));
}

void E2ePlay::playsFromTheKeyboard_data()
{
    // GO's key, then the keys that stop the reels. A spin starts with the
    // focus on the left stop button; Tab moves it on to the next stop
    // button, from the right one back to the left (GO cannot be pressed).
    QTest::addColumn<QString>("goKey");
    QTest::addColumn<QStringList>("stopKeys");
    QTest::newRow("Return; left, middle, right with Return")
        << QStringLiteral("Return")
        << QStringList{"Return", "Tab", "Return", "Tab", "Return"};
    QTest::newRow("Space; right, middle, left with Space")
        << QStringLiteral("space")
        << QStringList{"Tab", "Tab", "space", "Tab", "Tab", "space", "Tab", "Tab", "space"};
    QTest::newRow("keypad Enter; middle, right, left with keypad Enter")
        << QStringLiteral("KP_Enter")
        << QStringList{"Tab", "KP_Enter", "Tab", "KP_Enter", "Tab", "KP_Enter"};
}

// Two plays from the keyboard alone, and the start of a third: each press of
// GO's key starts a play only if the focus came back to GO.
void E2ePlay::playsFromTheKeyboard()
{
    QFETCH(QString, goKey);
    QFETCH(QStringList, stopKeys);
    STEP(launch(program_, startingCoins));
    STEP(makeGameWindowActive());

    for (int play = 0; play < 2; ++play) {
        STEP(beginPlay([&] { press(goKey, playName()); }));
        std::size_t focused = 0; // the stop button with the focus
        ReelStates spinning{true, true, true};
        Columns stoppedColumns;
        for (const QString &key : stopKeys) {
            if (key == QLatin1String("Tab")) {
                STEP(press(key, playName()));
                focused = (focused + 1) % reelCount;
                continue;
            }
            QVERIFY2(spinning[focused], "the row's keys stop one reel twice");
            const QString when = QStringLiteral("%1, after %2 on the %3 stop button")
                                     .arg(playName(), key, QLatin1String(reelNames[focused]));
            STEP(press(key, when));
            spinning[focused] = false;
            if (spinning != ReelStates{false, false, false})
                STEP(waitForReels(spinning, &stoppedColumns, when));
        }
        QVERIFY2(spinning == (ReelStates{false, false, false}), "the row's keys leave a reel spinning");
        STEP(endPlay(stoppedColumns));
    }
    STEP(beginPlay([&] { press(goKey, playName()); }));
    STEP(closeAndExpectCleanExit(playName() + QStringLiteral(", spinning")));
}

void E2ePlay::runningOutOfCoinsEndsTheGame_data()
{
    QTest::addColumn<bool>("clickOk"); // else Return
    QTest::newRow("message dismissed with its OK button") << true;
    QTest::newRow("message dismissed with Return") << false;
}

// With fewer coins than the stake, GO shows "You ran out of your coins!"
// instead of a spin; once the player has read it the program ends.
void E2ePlay::runningOutOfCoinsEndsTheGame()
{
    QFETCH(bool, clickOk);
    // One play takes 15 coins to 5, unless it wins: a win can pay enough
    // for dozens of plays more, so after one the game starts afresh.
    for (int launches = 1;; ++launches) {
        STEP(launch(lowCoinsProgram_, lowStartingCoins));
        STEP(playWithTheMouse({0, 1, 2}, false));
        if (game_->balance < stake)
            break;
        QVERIFY2(launches < maxLaunchesToGameOver,
                 qPrintable(QStringLiteral("the first play won in each of %1 games").arg(launches)));
        STEP(closeAndExpectCleanExit(QStringLiteral("after a winning first play")));
    }

    const qint64 pid = game_->process.pid();
    const QString when = QStringLiteral("GO with %1 coins").arg(game_->balance);
    STEP(click(Button::Go, when));
    const auto box = findWindow(pid, QStringLiteral("GameOver"));
    QVERIFY2(box, qPrintable(QStringLiteral("%1: no window titled \"GameOver\" appeared within %2 ms")
                                 .arg(when).arg(windowTimeoutMs)));
    const auto owner = transientFor(*box);
    QVERIFY2(owner == game_->windowId,
             qPrintable(QStringLiteral("%1: the message box is a dialog of %2, not of the game's window %3")
                            .arg(when, owner.value_or(QStringLiteral("no window")), game_->windowId)));

    // The box as the game's platform makes it: a warning, the text, one OK.
    const QImage expectedBox = pictures_->gameOverBox();
    auto boxArea = clientAreaOnScreen(*box);
    QVERIFY2(boxArea, "xwininfo could not tell where the message box is");
    QImage shownBox = grabScreenArea(*boxArea);
    int boxMismatches = differingPixels(shownBox, expectedBox);
    for (QDeadlineTimer deadline(paintTimeoutMs); boxMismatches > matchLimit && !deadline.hasExpired();) {
        QTest::qWait(pollIntervalMs);
        shownBox = grabScreenArea(*boxArea);
        boxMismatches = differingPixels(shownBox, expectedBox);
    }
    if (boxMismatches > matchLimit)
        QFAIL(qPrintable(QStringLiteral("%1: the message box is not the warning \"You ran out of your coins!\" "
                                        "with one OK button: %2 of its pixels differ (%3x%4, expected %5x%6); "
                                        "grab kept in %7")
                             .arg(when).arg(boxMismatches)
                             .arg(shownBox.width()).arg(shownBox.height())
                             .arg(expectedBox.width()).arg(expectedBox.height())
                             .arg(keep(shownBox, QStringLiteral("box")))));

    // Out of the way of the game's window, which must still show the coins
    // left: the stake was never taken and no spin began.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const int boxLeft = game_->clientArea.left() > boxArea->width() + 60 ? 10 : screen.width() - boxArea->width() - 10;
    runCommand(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), QStringLiteral("--sync"), *box,
                                           QString::number(boxLeft), QStringLiteral("40")});
    boxArea = clientAreaOnScreen(*box);
    QVERIFY2(boxArea && !boxArea->adjusted(-40, -40, 40, 40).intersects(game_->clientArea),
             "the message box could not be moved off the game's window");
    const QImage client = grabPaintedClientArea(game_->clientArea);
    STEP(checkCounter(client, game_->balance, {game_->balance - stake}, when + QStringLiteral(", box shown")));
    STEP(checkButtons(client, false, when + QStringLiteral(", box shown")));

    if (clickOk) {
        const QRect ok = pictures_->gameOverBoxOkButton();
        QVERIFY2(ok.isValid(), "the message box has no OK button");
        const CommandResult clicked = clickAt(boxArea->topLeft() + ok.center());
        QVERIFY2(clicked.succeeded(), qPrintable(QStringLiteral("could not click OK: %1").arg(clicked.errors)));
    } else {
        // The box takes the keyboard focus by itself.
        const QDeadlineTimer deadline(windowTimeoutMs);
        auto active = activeWindow();
        for (; active != *box && !deadline.hasExpired(); active = activeWindow())
            QTest::qWait(pollIntervalMs);
        if (active != *box)
            QFAIL(qPrintable(QStringLiteral("the message box %1 does not have the keyboard focus; %2 has it")
                                 .arg(*box, active.value_or(QStringLiteral("no window")))));
        STEP(press(QStringLiteral("Return"), when));
    }

    QVERIFY2(game_->process.waitForExit(exitTimeoutMs),
             qPrintable(QStringLiteral("the game was still running %1 ms after its message was dismissed")
                            .arg(exitTimeoutMs)));
    QVERIFY2(game_->process.exitedNormally(), "the game crashed after its message was dismissed");
    QCOMPARE(game_->process.exitCode(), 0);
    STEP(expectNoGameWindowLeft());
}

void E2ePlay::closingTheWindowDuringASpin_data()
{
    QTest::addColumn<QList<int>>("stopFirst"); // reels stopped before the window is closed
    QTest::newRow("all three reels spinning") << QList<int>{};
    QTest::newRow("left reel stopped") << QList<int>{0};
    QTest::newRow("right and middle reels stopped") << QList<int>{2, 1};
}

// Closing the window in the middle of a spin ends the program at once and
// without a word.
void E2ePlay::closingTheWindowDuringASpin()
{
    QFETCH(QList<int>, stopFirst);
    STEP(launch(program_, startingCoins));
    STEP(beginPlay([this] { click(Button::Go, playName()); }));
    ReelStates spinning{true, true, true};
    for (const int reel : stopFirst) {
        const auto index = static_cast<std::size_t>(reel);
        const QString when = QStringLiteral("after stopping the %1 reel").arg(QLatin1String(reelNames[index]));
        STEP(click(stopButtonOf(index), when));
        spinning[index] = false;
        STEP(waitForReels(spinning, nullptr, when));
    }
    STEP(closeAndExpectCleanExit(QStringLiteral("closed during the spin")));
    STEP(expectNoGameWindowLeft());
}

QTEST_MAIN(E2ePlay)
#include "e2e_play.moc"
