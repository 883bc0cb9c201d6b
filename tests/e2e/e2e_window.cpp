// End-to-end checks of the Vantu window: the real game binary, run under a
// real X server and window manager (see run-with-xserver), looked at through
// screen grabs and closed the way a player closes it.
//
// The game is found through VANTU_BIN. The X tools (xdotool, xwininfo, xprop,
// wmctrl) do the talking to the window manager; this program is itself an X
// client of the same display, which is how it grabs the screen.

#include "x_session.h"

#include <QtTest>

#include <QFileInfo>

#include <array>
#include <memory>
#include <optional>

using namespace e2e;

namespace {

// The window as the player sees it, in client-area pixels.
constexpr QRgb palePink = qRgb(255, 192, 192);
constexpr QRgb navy = qRgb(0, 0, 128);
constexpr QRgb unlitGrey = qRgb(128, 128, 128);

constexpr std::array<int, 3> reelLefts{22, 53, 85};
constexpr std::array<int, 3> reelTops{15, 54, 93};
constexpr QSize reelCellSize{28, 36};
constexpr int reelFrameWidth = 2;

constexpr int lampLeft = 119;
constexpr std::array<int, 5> lampTops{3, 27, 63, 104, 129};
constexpr int lampRadius = 7;

constexpr QPoint counterInterior{11 + 4, 176 + 4};

// The bounding box of the 3x3 reel grid, in client-area pixels.
QRect reelGridRect()
{
    return QRect(QPoint(reelLefts.front(), reelTops.front()),
                 QPoint(reelLefts.back() + reelCellSize.width() - 1,
                        reelTops.back() + reelCellSize.height() - 1));
}

// The actions the window manager offers for the window, once it has set them.
std::optional<QStringList> allowedActions(const QString &windowId, int timeoutMs = windowTimeoutMs)
{
    const QString property = QStringLiteral("_NET_WM_ALLOWED_ACTIONS");
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (const auto value = windowProperty(windowId, property)) {
            // "(ATOM) = _NET_WM_ACTION_MOVE, _NET_WM_ACTION_CLOSE, ..."
            const qsizetype equals = value->indexOf(QLatin1Char('='));
            QStringList actions = value->mid(equals + 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (QString &action : actions)
                action = action.trimmed();
            return actions;
        }
        QTest::qWait(pollIntervalMs);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

// A size from the window's WM_NORMAL_HINTS, e.g. which = "minimum".
std::optional<QSize> sizeHint(const QString &windowId, const QString &which)
{
    const auto hints = windowProperty(windowId, QStringLiteral("WM_NORMAL_HINTS"));
    if (!hints)
        return std::nullopt;
    const QRegularExpression pattern(
        QStringLiteral("program specified %1 size: (\\d+) by (\\d+)").arg(which));
    const QRegularExpressionMatch match = pattern.match(*hints);
    if (!match.hasMatch())
        return std::nullopt;
    return QSize(match.captured(1).toInt(), match.captured(2).toInt());
}

// What the background probe of a grab shows, for failure messages.
QString describeBackground(const QImage &grab)
{
    if (grab.size() != clientSize)
        return QStringLiteral("the grab is %1x%2").arg(grab.width()).arg(grab.height());
    return QStringLiteral("the background at (%1,%2) is %3, not %4")
        .arg(backgroundProbe.x())
        .arg(backgroundProbe.y())
        .arg(rgbName(grab.pixel(backgroundProbe)), rgbName(paleBlue));
}

// Keeps a grab next to the test's output, for a person to look at when a
// check of it fails. Returns where it went.
QString keepForInspection(const QImage &image, const QString &name)
{
    return e2e::keepForInspection(image, QStringLiteral("e2e_window"), name);
}

// Pixels in the area that belong to a black glyph rather than to the pink
// cell or its grey frame.
int darkPixelCount(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qRed(pixel) < 80 && qGreen(pixel) < 80 && qBlue(pixel) < 80)
                ++count;
        }
    return count;
}

} // namespace

class E2eWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void opensAFixedSizeWindow();
    void windowCannotBeResizedOrMaximised_data();
    void windowCannotBeResizedOrMaximised();
    void windowGetsPainted();
    void startColours_data();
    void startColours();
    void reelCellsShowSymbols_data();
    void reelCellsShowSymbols();
    void closingTheWindowEndsTheGame();

    void launchesStartAtDifferentReels();

private:
    // Launches the game and finds its window; the failure message otherwise.
    struct Launch {
        std::unique_ptr<GameProcess> game;
        QString windowId;
        QRect clientArea;
    };
    std::optional<Launch> launchGame(QString *failure) const;
    // Closes the window as a player does; the failure message if the game
    // then does not end at once and cleanly.
    static std::optional<QString> closeAsAPlayer(Launch &launch);

    QString gameBinary_;
    std::optional<Launch> running_; // the game the window checks look at
    QImage startScreen_;            // its client area once painted
};

void E2eWindow::initTestCase()
{
    gameBinary_ = qEnvironmentVariable("VANTU_BIN");
    QVERIFY2(!gameBinary_.isEmpty(), "VANTU_BIN must name the game's binary");
    QVERIFY2(QFileInfo(gameBinary_).isExecutable(),
             qPrintable(QStringLiteral("VANTU_BIN=%1 is not an executable file").arg(gameBinary_)));
    requireXSession();
}

void E2eWindow::cleanupTestCase()
{
    running_.reset(); // kills the game if a check stopped before closing it
}

std::optional<E2eWindow::Launch> E2eWindow::launchGame(QString *failure) const
{
    Launch launch{std::make_unique<GameProcess>(), {}, {}};
    if (!launch.game->start(gameBinary_)) {
        *failure = QStringLiteral("could not start %1: %2").arg(gameBinary_, launch.game->errorString());
        return std::nullopt;
    }
    const auto windowId = findGameWindow(launch.game->pid());
    if (!windowId) {
        *failure = QStringLiteral("no single visible window titled exactly \"Vantu\" appeared within %1 ms")
                       .arg(windowTimeoutMs);
        return std::nullopt;
    }
    launch.windowId = *windowId;
    const auto area = clientAreaOnScreen(launch.windowId);
    if (!area) {
        *failure = QStringLiteral("xwininfo could not tell the geometry of window %1").arg(launch.windowId);
        return std::nullopt;
    }
    launch.clientArea = *area;
    return launch;
}

std::optional<QString> E2eWindow::closeAsAPlayer(Launch &launch)
{
    // wmctrl asks the window manager, which asks the game (WM_DELETE_WINDOW),
    // as the frame's close button does.
    const CommandResult close = closeWindow(launch.windowId);
    if (!close.succeeded())
        return QStringLiteral("wmctrl could not close window %1: %2").arg(launch.windowId, close.errors);
    QElapsedTimer timer;
    timer.start();
    if (!launch.game->waitForExit(exitTimeoutMs))
        return QStringLiteral("the game was still running %1 ms after its window was closed")
            .arg(exitTimeoutMs);
    if (!launch.game->exitedNormally())
        return QStringLiteral("the game crashed after its window was closed");
    if (launch.game->exitCode() != 0)
        return QStringLiteral("the game exited with status %1 after its window was closed")
            .arg(launch.game->exitCode());
    qDebug("game ended %lld ms after its window was closed", static_cast<long long>(timer.elapsed()));
    return std::nullopt;
}

void E2eWindow::opensAFixedSizeWindow()
{
    QString failure;
    running_ = launchGame(&failure);
    QVERIFY2(running_, qPrintable(failure));

    const QRect area = running_->clientArea;
    QCOMPARE(area.size(), clientSize);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QVERIFY2(screen.contains(area),
             qPrintable(QStringLiteral("the client area %1,%2 %3x%4 is not all on the %5x%6 screen")
                            .arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height())
                            .arg(screen.width()).arg(screen.height())));

    // The window tells the window manager that it has one size only.
    const auto minimum = sizeHint(running_->windowId, QStringLiteral("minimum"));
    const auto maximum = sizeHint(running_->windowId, QStringLiteral("maximum"));
    QVERIFY2(minimum, "WM_NORMAL_HINTS gives no minimum size");
    QVERIFY2(maximum, "WM_NORMAL_HINTS gives no maximum size");
    QCOMPARE(*minimum, clientSize);
    QCOMPARE(*maximum, clientSize);
}

void E2eWindow::windowCannotBeResizedOrMaximised_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("no resizing") << QStringLiteral("_NET_WM_ACTION_RESIZE");
    QTest::newRow("no horizontal maximising") << QStringLiteral("_NET_WM_ACTION_MAXIMIZE_HORZ");
    QTest::newRow("no vertical maximising") << QStringLiteral("_NET_WM_ACTION_MAXIMIZE_VERT");
}

void E2eWindow::windowCannotBeResizedOrMaximised()
{
    QFETCH(QString, action);
    QVERIFY2(running_, "no game window: opensAFixedSizeWindow failed");

    const auto actions = allowedActions(running_->windowId);
    QVERIFY2(actions, "the window manager set no _NET_WM_ALLOWED_ACTIONS on the window");
    // The list is the window manager's real answer, not an empty one.
    QVERIFY2(actions->contains(QLatin1String("_NET_WM_ACTION_CLOSE")),
             qPrintable(QStringLiteral("the window cannot even be closed: %1").arg(actions->join(", "))));
    QVERIFY2(!actions->contains(action),
             qPrintable(QStringLiteral("the window manager offers %1: %2").arg(action, actions->join(", "))));
}

void E2eWindow::windowGetsPainted()
{
    QVERIFY2(running_, "no game window: opensAFixedSizeWindow failed");
    startScreen_ = grabPaintedClientArea(running_->clientArea);
    QCOMPARE(startScreen_.size(), clientSize);
    if (startScreen_.pixel(backgroundProbe) != paleBlue) {
        const QString kept = keepForInspection(startScreen_, QStringLiteral("start"));
        QFAIL(qPrintable(QStringLiteral("after %1 ms %2; grab kept in %3")
                             .arg(paintTimeoutMs).arg(describeBackground(startScreen_), kept)));
    }
}

void E2eWindow::startColours_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<uint>("expected");

    QTest::newRow("background, top left corner") << QPoint(2, 2) << uint{paleBlue};
    QTest::newRow("background, bottom right corner") << QPoint(171, 211) << uint{paleBlue};
    QTest::newRow("background, left of the reels") << QPoint(10, 80) << uint{paleBlue};
    QTest::newRow("background, between buttons and counter") << QPoint(60, 170) << uint{paleBlue};
    QTest::newRow("background, right of GO") << QPoint(170, 100) << uint{paleBlue};

    for (std::size_t row = 0; row < reelTops.size(); ++row)
        for (std::size_t column = 0; column < reelLefts.size(); ++column)
            QTest::addRow("reel cell, row %zu column %zu, lower left", row + 1, column + 1)
                << QPoint(reelLefts[column] + 3, reelTops[row] + 33) << uint{palePink};

    for (std::size_t lamp = 0; lamp < lampTops.size(); ++lamp)
        QTest::addRow("lamp %zu unlit", lamp + 1)
            << QPoint(lampLeft + lampRadius, lampTops[lamp] + lampRadius) << uint{unlitGrey};

    QTest::newRow("coin counter interior") << counterInterior << uint{navy};
}

void E2eWindow::startColours()
{
    QFETCH(QPoint, point);
    QFETCH(uint, expected);
    QVERIFY2(startScreen_.size() == clientSize, "no grab of the window: windowGetsPainted failed");

    const QRgb actual = startScreen_.pixel(point);
    if (actual != QRgb{expected}) {
        const QString kept = keepForInspection(startScreen_, QStringLiteral("start"));
        QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is %3, expected %4; grab kept in %5")
                             .arg(point.x()).arg(point.y())
                             .arg(rgbName(actual), rgbName(expected), kept)));
    }
}

void E2eWindow::reelCellsShowSymbols_data()
{
    QTest::addColumn<QRect>("cell");
    for (std::size_t row = 0; row < reelTops.size(); ++row)
        for (std::size_t column = 0; column < reelLefts.size(); ++column)
            QTest::addRow("row %zu column %zu", row + 1, column + 1)
                << QRect(QPoint(reelLefts[column], reelTops[row]), reelCellSize);
}

void E2eWindow::reelCellsShowSymbols()
{
    QFETCH(QRect, cell);
    QVERIFY2(startScreen_.size() == clientSize, "no grab of the window: windowGetsPainted failed");

    // Inside the sunken frame only, so that its dark edges do not count.
    const QRect inside = cell.adjusted(reelFrameWidth, reelFrameWidth, -reelFrameWidth, -reelFrameWidth);
    const int dark = darkPixelCount(startScreen_, inside);
    constexpr int minimumGlyphPixels = 10;
    if (dark < minimumGlyphPixels) {
        const QString kept = keepForInspection(startScreen_, QStringLiteral("start"));
        QFAIL(qPrintable(QStringLiteral("the cell at (%1,%2) shows no symbol: %3 dark pixels, at least %4 "
                                        "expected; grab kept in %5")
                             .arg(cell.x()).arg(cell.y()).arg(dark).arg(minimumGlyphPixels).arg(kept)));
    }
}

void E2eWindow::closingTheWindowEndsTheGame()
{
    QVERIFY2(running_, "no game window: opensAFixedSizeWindow failed");
    const auto failure = closeAsAPlayer(*running_);
    QVERIFY2(!failure, qPrintable(failure.value_or(QString())));
    running_.reset();
}

void E2eWindow::launchesStartAtDifferentReels()
{
    // Two launches show the same nine symbols one time in a thousand, so
    // three alike happen about once in a million runs of this test.
    constexpr int launches = 3;
    std::array<QImage, launches> grids;
    for (int i = 0; i < launches; ++i) {
        QString failure;
        auto launch = launchGame(&failure);
        QVERIFY2(launch, qPrintable(QStringLiteral("launch %1: %2").arg(i + 1).arg(failure)));
        QCOMPARE(launch->clientArea.size(), clientSize);
        const QImage screen = grabPaintedClientArea(launch->clientArea);
        QVERIFY2(screen.size() == clientSize && screen.pixel(backgroundProbe) == paleBlue,
                 qPrintable(QStringLiteral("launch %1: the window was not painted within %2 ms: %3")
                                .arg(i + 1).arg(paintTimeoutMs).arg(describeBackground(screen))));
        grids[static_cast<std::size_t>(i)] = screen.copy(reelGridRect());
        const auto closeFailure = closeAsAPlayer(*launch);
        QVERIFY2(!closeFailure,
                 qPrintable(QStringLiteral("launch %1: %2").arg(i + 1).arg(closeFailure.value_or(QString()))));
    }

    const bool allAlike = grids[0] == grids[1] && grids[1] == grids[2];
    if (allAlike) {
        const QString kept = keepForInspection(grids[0], QStringLiteral("reels"));
        QFAIL(qPrintable(QStringLiteral("%1 launches in a row showed the same reels (kept in %2): "
                                        "the reels do not start at random positions")
                             .arg(launches).arg(kept)));
    }
}

QTEST_MAIN(E2eWindow)
#include "e2e_window.moc"
